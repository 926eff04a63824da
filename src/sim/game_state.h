// The few global settings that screens and the stage share.
#pragma once
#include <cstdint>
#include <string>

extern std::string screenState;  // "Overworld", "Character Select", "Mainmenu", "Playstage"
extern std::string worldName;
extern std::string stageName;
extern int32_t cameraTarget;

constexpr int kDrawOrderCount = 1001;
extern int32_t drawOrder[kDrawOrderCount];

extern int32_t cameraX;
extern int32_t cameraY;
extern int32_t shakeSign;
