// "NODE n x y left right up down stage" and "START stage": the overworld lines turned into the
// node graph and the stage a new game opens with.
#include "base/numbers.h"
#include "content/text_file.h"
#include "screens/keyword_lines.h"
#include "screens/overworld.h"

namespace {

bool isNodeNumber(int32_t n) { return n >= 0 && n <= kOverworldLastNode; }

// A way to a node that does not exist is no way at all: the tables are indexed by it later.
int32_t readNeighbour(const std::string& line, int field) {
  int32_t n = roundToInt(toNumber(getField(line, field)));
  return isNodeNumber(n) ? n : 0;
}

void readNode(OverworldState& state, const std::string& line) {
  int32_t n = roundToInt(toNumber(getField(line, 2)));
  if (!isNodeNumber(n)) return;
  state.nodeX[n] = roundToInt(toNumber(getField(line, 3)));
  state.nodeY[n] = roundToInt(toNumber(getField(line, 4)));
  state.nodeLeft[n] = readNeighbour(line, 5);
  state.nodeRight[n] = readNeighbour(line, 6);
  state.nodeUp[n] = readNeighbour(line, 7);
  state.nodeDown[n] = readNeighbour(line, 8);
  state.nodeStage[n] = getField(line, 9);
}

void readStart(OverworldState& state, const std::string& line) { state.startStage = getField(line, 2); }

const KeywordHandler<OverworldState> kNodeKeywords[] = {
    {"NODE", readNode},
    {"START", readStart},
};

}  // namespace

void readOverworldNodes(OverworldState& state) { runKeywordLines(state.lines, kNodeKeywords, state); }
