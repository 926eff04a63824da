// The cast: how each fighter of the pack looks.
#pragma once

#include <string>
#include <vector>

#include "figure.h"

struct FighterLook {
  std::string name;
  Look look;
};

// Players first ("kestor", "bluesoldier"), then the street opponents.
const std::vector<FighterLook>& castLooks();
const Look& lookOf(const std::string& name);
