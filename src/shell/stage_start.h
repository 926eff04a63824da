// Turning (worldName, stageName) into a playable stage.
#pragma once

void startStage();
