// "FIGHTER box name": which fighter each selection box stands for.
#include "base/numbers.h"
#include "content/text_file.h"
#include "screens/character_select.h"
#include "screens/keyword_lines.h"

namespace {

void readFighter(CharacterSelectState& state, const std::string& line) {
  int32_t box = roundToInt(toNumber(getField(line, 2)));
  if (box < 0 || box >= kSelectBoxes) return;
  state.boxFighter[box] = getField(line, 3);
}

const KeywordHandler<CharacterSelectState> kRosterKeywords[] = {
    {"FIGHTER", readFighter},
};

}  // namespace

void readRoster(CharacterSelectState& state) { runKeywordLines(state.rosterLines, kRosterKeywords, state); }
