// The cast: how each fighter of the pack looks.
#pragma once

#include <string>
#include <vector>

#include "figure.h"

struct FighterLook {
  std::string name;
  Look look;
  double scale = 1.0;  // drawn larger than life: the bosses
};

// Players first ("kestor", "bluesoldier"), then the street opponents, then the bosses.
const std::vector<FighterLook>& castLooks();
const Look& lookOf(const std::string& name);
double scaleOf(const std::string& name);
// The second colours a player's fighter wears when both players pick it: the same shapes, so
// the sheet cuts into the same frames.
const Look& secondLookOf(const std::string& name);
