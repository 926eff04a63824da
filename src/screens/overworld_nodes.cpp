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

namespace {

// A finger covers about this many picture pixels round the spot it means.
constexpr int64_t kTapReach = 64;

bool nodeInUse(const OverworldState& map, int32_t n) {
  return !map.nodeStage[n].empty() || map.nodeLeft[n] != 0 || map.nodeRight[n] != 0 || map.nodeUp[n] != 0 ||
         map.nodeDown[n] != 0;
}

}  // namespace

int32_t overworldNodeAt(const OverworldState& map, int32_t x, int32_t y) {
  int32_t best = -1;
  int64_t bestDistance = kTapReach * kTapReach + 1;
  for (int32_t n = 0; n < kOverworldNodes; ++n) {
    if (!nodeInUse(map, n) || map.nodeLocked[n] == 1) continue;
    const int64_t dx = int64_t{map.nodeX[n]} - x, dy = int64_t{map.nodeY[n]} - y;
    const int64_t distance = dx * dx + dy * dy;
    // No way leads to node 0 (0 is the tables' "no way"): where another node stands on its spot,
    // a tap there means that one.
    if (distance < bestDistance || (distance == bestDistance && best == 0)) {
      best = n;
      bestDistance = distance;
    }
  }
  return best;
}

int32_t overworldStepTowards(const OverworldState& map, int32_t from, int32_t to) {
  if (!isNodeNumber(from) || !isNodeNumber(to)) return -1;
  if (from == to) return from;
  // Breadth first from `from` (ways are one-way in the tables), each node remembering the first
  // step that reached it.
  int32_t firstStep[kOverworldNodes];
  for (int32_t& s : firstStep) s = -1;
  int32_t queue[kOverworldNodes];
  int head = 0, tail = 0;
  queue[tail++] = from;
  firstStep[from] = from;
  while (head < tail) {
    const int32_t n = queue[head++];
    const int32_t ways[] = {map.nodeLeft[n], map.nodeRight[n], map.nodeUp[n], map.nodeDown[n]};
    for (int32_t next : ways) {
      if (next == 0 || map.nodeLocked[next] == 1 || firstStep[next] != -1) continue;
      firstStep[next] = n == from ? next : firstStep[n];
      if (next == to) return firstStep[next];
      queue[tail++] = next;
    }
  }
  return -1;
}
