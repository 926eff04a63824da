// brawler-content-gen OUTPUT_FOLDER [PART...]
// Draws, synthesises and writes the game's default content pack into OUTPUT_FOLDER.
// With PART names (fighters, props, effects, font, interface, frontend, stages, sounds, music)
// only those parts are written; "icons" writes the desktop icons and "webicons" the web page's,
// neither of which is in the pack, and only when named. The output depends on nothing but this
// program: no clock, no threads, fixed random seeds.
#include <cstdio>
#include <exception>
#include <map>
#include <string>

#include "pack.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [PART...]\n", argv[0]);
    return 2;
  }
  const std::map<std::string, void (*)(const std::string&)> parts = {
      {"fighters", writeFighters}, {"props", writeProps},   {"effects", writeEffects},
      {"font", writeFont},         {"interface", writeInterface}, {"frontend", writeFrontEnd},
      {"stages", writeStages},     {"sounds", writeSounds}, {"music", writeMusic}};
  // Written beside the pack (the desktop icons by the build, the web page's beside its sources),
  // never into it.
  const std::map<std::string, void (*)(const std::string&)> namedOnly = {{"icons", writeIcons},
                                                                         {"webicons", writeWebIcons}};
  std::string root = argv[1];
  try {
    if (argc == 2) {
      for (const auto& part : parts) part.second(root);
    } else {
      for (int i = 2; i < argc; ++i) {
        auto part = parts.find(argv[i]);
        auto named = namedOnly.find(argv[i]);
        if (part != parts.end()) {
          part->second(root);
        } else if (named != namedOnly.end()) {
          named->second(root);
        } else {
          std::fprintf(stderr, "unknown part %s\n", argv[i]);
          return 2;
        }
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "content generation failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
