#include "shell/camera.h"
void updateCamera() {}
