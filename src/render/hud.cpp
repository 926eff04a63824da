#include "render/stage_scene.h"
void drawHud() {}
