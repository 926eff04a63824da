// The worlds a pack holds, in the order the arcade plays them: "stage/worlds.dat", one line
//   WORLD name
// per world, each a folder of stage/ with its overworld data and a map picture of its name.
// Other lines are remarks. A pack without the file, or with no WORLD line, has the one world
// the game opens on. `brawler` never reads it.
#pragma once
#include <cstdint>
#include <string>

constexpr int kWorldListCapacity = 21;  // lines read, and so worlds at most
constexpr char kWorldKeyword[] = "WORLD";

struct WorldList {
  std::string names[kWorldListCapacity];
  int32_t count = 0;
};

WorldList readWorldList();
