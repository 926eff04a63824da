// The genre's moves as house rules (gameRules.genreMoves): grabs, knees and throws, the
// special, food and weapons. With the rule off every entry point here returns at once, so the
// game plays exactly as without them.
#pragma once

#include <cstdint>
#include <string>

#include "content/script_lines.h"
#include "sim/entity.h"
#include "sim/rect.h"

// One of the moves' script commands, run by the interpreter for entity `self`.
void runMoveCommand(int self, const ScriptCommand& command);
// GRABBABLE and GRABS read among a script's statistics.
void applyMoveStatistic(Entity& e, const ScriptCommand& command);

// Player p's pass, before its state handlers: the special, the hold (knee, throw, vault),
// breaking free, picking up and swinging a weapon. Returns with the player's state set so the
// design's handlers leave it alone.
void movesBeforeControl(int p);
// After the handlers: walking into an opponent grabs it; a weapon in hand shows in the stance.
void movesAfterControl(int p);
// The moves' step of the tick, after the attacks: pending knees, throws, specials and knives
// resolved, opponents that grab or pick up, thrown bodies and flying knives, holds kept.
void updateMoves();
// True while e walks with its weapon in hand: an opponent's approach moves it as on its plain
// walk. Never with the rule off, as no one carries anything then.
bool walksArmed(int e);
// DROPITEM's item names (FOOD, FEAST, PIPE, KNIFE) as their ItemKind; kItemNone for any other.
int32_t itemKindNamed(const std::string& name);

// Where the moves reach, for drawing over the scene; each is false when the rule does not apply.
// The floor band in which walking into an opponent grabs it: a player's reaches from its centre
// to its leading edge (an opponent whose centre lies ahead and whose body crosses into the band,
// feet inside it, is taken); a grabbing opponent's spans its body. False while e holds someone.
bool grabReach(int e, Rect* band);
// The foot point at which e keeps the one it holds; false when e holds no one.
bool holdSpot(int e, int32_t* x, int32_t* footY);
// The floor from which an item lying on the street is taken: a taker's foot point inside it.
bool pickUpArea(int item, Rect* area);
