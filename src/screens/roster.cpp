// "FIGHTER box name": which fighter each selection box stands for.
#include "content/text_file.h"
#include "screens/character_select.h"

namespace {

void readFighter(CharacterSelectState& state, const std::string& line) {
  int32_t box = roundToInt(toNumber(getField(line, 2)));
  if (box < 0 || box >= kSelectBoxes) return;
  state.boxFighter[box] = getField(line, 3);
}

struct RosterKeyword {
  const char* keyword;
  void (*handler)(CharacterSelectState&, const std::string&);
};

const RosterKeyword kRosterKeywords[] = {
    {"FIGHTER", readFighter},
};

}  // namespace

void readRoster(CharacterSelectState& state) {
  for (const std::string& line : state.rosterLines) {
    std::string keyword = getField(line, 1);
    for (const RosterKeyword& k : kRosterKeywords)
      if (keyword == k.keyword) k.handler(state, line);
  }
}
