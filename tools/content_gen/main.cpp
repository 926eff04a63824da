// brawler-content-gen OUTPUT_FOLDER [PART...]
// Draws, synthesises and writes the game's default content pack into OUTPUT_FOLDER.
// With PART names (fighters, props, effects, font, interface, frontend, stages, sounds, music)
// only those parts are written; "icons" writes the desktop icons, which are not in the pack. The output depends on nothing but this program: no clock,
// no threads, fixed random seeds.
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
  // Written beside the pack by the build, for the installed game, never into it.
  const std::map<std::string, void (*)(const std::string&)> namedOnly = {{"icons", writeIcons}};
  std::string root = argv[1];
  try {
    if (argc == 2) {
      for (const auto& part : parts) part.second(root);
    } else {
      for (int i = 2; i < argc; ++i) {
        auto part = parts.find(argv[i]);
        if (part == parts.end()) part = namedOnly.find(argv[i]);
        if (part == namedOnly.end()) {
          std::fprintf(stderr, "unknown part %s\n", argv[i]);
          return 2;
        }
        part->second(root);
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "content generation failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
