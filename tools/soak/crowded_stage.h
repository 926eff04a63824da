// A crowded stage for the soak and the benchmarks: the default content's stage3 with scattered
// placements of every declared type until the entity table is full, both players in it.
#pragma once
#include <vector>

// Run from the content folder. Starts the stage with the null platform and enters its play
// loop; returns the stage types that are fighters (the soak sends more of them in).
std::vector<int> startCrowdedStage();
