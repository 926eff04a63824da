// Pictures of the stages: the fixed backdrop and each stage type's tile sheet.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "sheet.h"

enum class Wall { Brick, Metal, Concrete };

struct Theme {
  std::string stageType;  // tile set folder
  std::string backdrop;   // background picture name
  Color skyTop, skyBottom, sun, skyline, skylineLit;
  bool night = false;
  Wall wall = Wall::Brick;
  Color walls[4];
  Color trim, awnings[2], pavement, road, laneMark;
  std::string signs[4];
};

// Tiles of every stage type's sheet, in frame order.
enum Tile {
  kFacade0, kFacade1, kFacade2, kFacade3,
  kFarBlock0, kFarBlock1, kFarBlock2,
  kLampPost, kHydrant, kBin, kBollard, kFence,
  kPavement, kRoad, kRailing, kCrates,
  kTileCount
};

const int kFacadeW = 256, kFacadeH = 400, kShopH = 190;
const int kFarBlockW = 200, kFarBlockH = 360;
const int kPavementW = 128, kPavementH = 60;
const int kRoadW = 128, kRoadH = 270;

const std::vector<Theme>& stageThemes();
Canvas paintBackdrop(const Theme& theme);
Canvas paintTiles(const Theme& theme, std::vector<FrameRect>& frames);
