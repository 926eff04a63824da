// Pictures of the stages: the fixed backdrop and each stage type's tile sheet.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "rng.h"
#include "sheet.h"

enum class Wall { Brick, Metal, Concrete };
// Which painters draw a stage's pieces: each place has buildings, ground and furniture of its own.
enum class Place { Downtown, Harbour, Factory, Railyard, Rooftops, Pier };

struct Theme {
  std::string stageType;  // tile set folder
  std::string backdrop;   // background picture name
  Place place;
  Color skyTop, skyBottom, sun, skyline, skylineLit;
  bool night = false;
  Wall wall = Wall::Brick;
  Color walls[4];
  Color trim, awnings[2], pavement, road, laneMark;
  std::string signs[4];
};

// Tiles of every stage type's sheet, in frame order. The names are downtown's; the other places
// put their own pieces of the same size in each slot (a moored boat for a shop front, a mooring
// bollard for a hydrant, the quay's edge for the pavement).
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

// Each place's painters for the pieces whose slots they fill. `variant` picks one of the
// slot's looks; (ox, oy) is the piece's top-left corner on the sheet.
struct PlacePainters {
  void (*backdrop)(Canvas& c, const Theme& t, Rng& rng);
  void (*front)(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng);  // kFacade0..3
  void (*far)(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng);    // kFarBlock0..2
  void (*post)(Canvas& c, int ox, int oy);                                            // kLampPost
  void (*small)(Canvas& c, int ox, int oy);                                           // kHydrant
  void (*box)(Canvas& c, int ox, int oy);                                             // kBin
  void (*forePost)(Canvas& c, int ox, int oy);                                        // kBollard
  void (*screen)(Canvas& c, int ox, int oy);                                          // kFence
  void (*edge)(Canvas& c, int ox, int oy, const Theme& t, Rng& rng);                  // kPavement
  void (*ground)(Canvas& c, int ox, int oy, const Theme& t, Rng& rng);                // kRoad
  void (*foreRail)(Canvas& c, int ox, int oy);                                        // kRailing
  void (*stack)(Canvas& c, int ox, int oy, Rng& rng);                                 // kCrates
};
const PlacePainters& harbourPainters();
const PlacePainters& factoryPainters();
const PlacePainters& railyardPainters();
const PlacePainters& rooftopPainters();
const PlacePainters& pierPainters();

// Shared by the places' painters.
void wallTexture(Canvas& c, int x, int y, int w, int h, Color base, Wall wall, Rng& rng);
void hazardStripes(Canvas& c, int x, int y, int w, int h);
