#include "shell/input.h"
int16_t keyHeld[kInputCodes + 1];
int16_t keyPressed[kInputCodes + 1];
int32_t bindUp[kBindPlayers];
int32_t bindDown[kBindPlayers];
int32_t bindLeft[kBindPlayers];
int32_t bindRight[kBindPlayers];
int32_t bindAttack[kBindPlayers];
int32_t bindExtra[kBindPlayers];
int32_t bindJump[kBindPlayers];
void setDefaultBindings() {}
void pollInput() {}
bool isHeld(int code) { return code >= 1 && code <= kInputCodes && keyHeld[code] != 0; }
bool isPressed(int code) { return code >= 1 && code <= kInputCodes && keyPressed[code] != 0; }
