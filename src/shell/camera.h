// The camera that follows player 1.
#pragma once

void updateCamera();
