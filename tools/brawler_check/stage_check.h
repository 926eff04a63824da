// Stage files and everything they make the game load.
#pragma once
#include <string>

void checkStage(const std::string& stagePath);
// Empties the stages checked, for a new content folder.
void forgetStages();
