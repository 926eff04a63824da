#include "sim/player_command.h"

PlayerCommand playerCommands[kCommandPlayers];
