// Which screen runs, and which stage of which world it plays: set by the screens as they hand
// over, read by whatever runs the screens and by the stage start.
#pragma once
#include <string>

// The values of `screenState`, compared exactly.
constexpr const char* kScreenOverworld = "Overworld";
constexpr const char* kScreenCharacterSelect = "Character Select";
constexpr const char* kScreenMainMenu = "Mainmenu";
constexpr const char* kScreenPlaystage = "Playstage";

extern std::string screenState;
extern std::string worldName;  // a folder under stage/ and the map picture's name
extern std::string stageName;  // a stage file in that folder, without its extension
