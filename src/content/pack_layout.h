// Where a content pack keeps what the game opens, and what the game starts with: one list the
// game's loaders and every tool that opens or checks a pack read alike. Paths are spelled as
// the game asks for them (some with backslashes, which the platform turns into slashes), so a
// finding names the file the way the game would.
#pragma once
#include <string>

// The world and stage the game opens on, how many play, and the fighters players 1 and 2
// start with.
constexpr const char* kStartWorld = "world1";
constexpr const char* kStartStage = "stage3";
constexpr int kStartPlayers = 2;
constexpr int kStartFighterCount = 2;
constexpr const char* kStartFighters[kStartFighterCount] = {"kestor", "bluesoldier"};

// Every stage loads sound/0.wav .. sound/4.wav into the sound slots of the same numbers.
constexpr int kStageSoundFiles = 5;
inline std::string soundEffectPath(int slot) { return "sound/" + std::to_string(slot) + ".wav"; }

// The worlds the arcade plays, in order (content/world_list.h).
constexpr const char* kWorldListFile = "stage/worlds.dat";

inline std::string stageFilePath(const std::string& world, const std::string& stage) {
  return "stage/" + world + "/" + stage + ".lev";
}
inline std::string stageMusicPath(const std::string& name) { return "bgm/" + name + ".ogg"; }
// A stage's background picture (BGNAME), cut by the one frame list every background shares,
// and its type's tile sheet (STAGETYPE) with its frame list.
inline std::string stageBackgroundImage(const std::string& name) { return "gfx/stage/" + name + ".png"; }
constexpr const char* kStageBackgroundFrames = "gfx/stage/bg.spr";
inline std::string stageTilesImage(const std::string& type) { return "gfx/stage/" + type + "/tiles0.png"; }
inline std::string stageTilesFrames(const std::string& type) { return "gfx/stage/" + type + "/tiles0.spr"; }
// A fighter's or prop's script (LOADENTITY names it).
inline std::string entityScriptPath(const std::string& name) { return "scripts/" + name + ".dat"; }
// A fighter's or prop's sheet, frame list and offsets: this, then ".png", ".spr", ".off".
inline std::string entityFilesBase(const std::string& name) { return "gfx/entities/" + name; }
// A playable fighter's second colours (arcade): the same frames as its ".png", other clothes.
inline std::string secondColoursSheet(const std::string& name) { return entityFilesBase(name) + "_2p.png"; }

// Loaded at start-up, before any screen.
constexpr const char* kFontImage = "gfx/font/mainfont.png";
constexpr const char* kFontFrames = "gfx\\font\\mainfont.spr";
constexpr const char* kFontOffsets = "gfx/font/mainfont.off";
constexpr const char* kInterfaceImage = "gfx\\interface\\global.png";
constexpr const char* kInterfaceFrames = "gfx\\interface\\global.spr";

// The front-end screens' sheets.
constexpr const char* kMainMenuImage = "gfx/interface/mainmenu.png";
constexpr const char* kMainMenuFrames = "gfx/interface/mainmenu.spr";
constexpr const char* kSelectBackgroundImage = "gfx\\interface\\menus.png";
constexpr const char* kRosterFile = "roster.dat";
constexpr const char* kSelectBoxesImage = "gfx\\interface\\menusprites.png";
constexpr const char* kSelectBoxesFrames = "gfx\\interface\\menusprites.spr";
constexpr const char* kPortraitsImage = "gfx\\portraits\\port.png";
constexpr const char* kPortraitsFrames = "gfx\\portraits\\port.spr";
constexpr const char* kMarkersImage = "gfx\\overworld\\markers.png";
constexpr const char* kMarkersFrames = "gfx\\overworld\\markers.spr";
constexpr const char* kMarkersOffsets = "gfx\\overworld\\markers.off";
constexpr const char* kMarkersScript = "scripts\\overworldmarkers.dat";
constexpr const char* kOverworldMapFrames = "gfx\\stage\\bg.spr";
inline std::string overworldMapImage(const std::string& world) { return "gfx\\overworld\\" + world + ".png"; }
