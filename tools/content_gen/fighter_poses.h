// Every fighter sheet holds the same poses in the same order, so all fighter scripts share
// one frame numbering; each fighter's own look turns the poses into its own pictures.
#pragma once

#include <string>
#include <vector>

#include "figure.h"

struct NamedPose {
  std::string name;
  Pose pose;
};

const std::vector<NamedPose>& fighterPoses();
// Frame number of a pose on every fighter sheet; throws for an unknown name.
int fighterFrame(const std::string& poseName);
