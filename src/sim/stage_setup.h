// Setting a stage up in the world's tables (the game's "p_setup"): the stage file read into
// stageLines is carried out here; the content loaders only read files.
#pragma once
#include <string>

// The statements of a stage file and the pass of loadStage that carries each out: names
// first (so they may stand anywhere), then everything else in line order.
enum StagePass { kPassNames = 1, kPassStatements = 2 };
struct StageStatement {
  const char* keyword;
  int pass;
  void (*run)(const std::string& line);
};
extern const StageStatement kStageStatements[];
extern const int kStageStatementCount;

// stageLines carried out: the stage's values and sheets, its scenery, types and entities,
// each entity's type offsets, and the shared effects type.
void loadStage();
// Each player's script, sheet, frame list and offsets by its `name`; WIDTH and HEIGHT from
// anywhere in the script go to scriptWidth/scriptHeight.
void loadPlayers();
// Appends an entity of stage type typeField + 1 at lastEntity + 1. A type that is not loaded,
// or a full table, places nothing.
void placeEntity(double x, double y, double typeField);
// Every placed entity gets the offsets of its own type's ".off".
void applyTypeOffsets();
// The statistics section of entity e's script (up to and including its first blank line).
void readStats(int e);
// Every entity up to the last started: props "STATIONARY", fighters "STAND", statistics read,
// alive; the draw order back to slot order.
void startStageEntities();
