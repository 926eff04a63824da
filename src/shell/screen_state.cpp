#include "shell/screen_state.h"

std::string screenState;
std::string worldName;
std::string stageName;
