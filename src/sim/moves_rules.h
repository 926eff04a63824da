// What the moves' files (grab, special, pickups) share among themselves.
#pragma once
#include <cstdint>

#include <string>

#include "sim/entity.h"
#include "sim/player_command.h"

// Units: ticks (58.8 a second) and pixels.
constexpr int32_t kHoldDistance = 46;       // centre to centre while one holds the other
constexpr int32_t kBreakFreeTicks = 118;    // about 2 s of a quiet hold and the held one is loose
constexpr int32_t kKneesPerHold = 3;        // the third knee throws the held one down
constexpr int32_t kOpponentKneeTicks = 40;  // an opponent holding a player knees this often
constexpr int32_t kMashToBreakFree = 6;     // direction presses that free a held player
constexpr double kGrabDepth = 15;           // foot lines closer than this can grab
constexpr double kSpecialCost = 0.08;       // of the maximum hit points, once per special that hits
constexpr double kBlowDepth = 20;           // as for attacks: foot lines this far apart never meet
constexpr int32_t kBowledKnockX = 6;        // how a thrown body sends those it lands on flying
constexpr int32_t kBowledKnockY = 8;
constexpr int32_t kSparkEffect = 0;

bool movesOn();
const PlayerCommand& moveCommand(int p);
bool isPlayerIndex(int e);
int directionOf(int32_t facing);  // -1 facing left, 1 facing right
int32_t facingToward(int direction);
// Player e's tally, or nullptr for an opponent; count adds to one of its deeds.
MoveTally* tallyOf(int e);
void count(int e, int32_t MoveTally::*deed, int32_t times = 1);

// grab.cpp
bool holdBeforeControl(int p);   // true when p holds or is held: its pass is the hold's
void tryPlayerGrab(int p);
void opponentsGrab();
void resolveKnee(int holder);
void resolveThrow(int holder);
void keepHolds();
void flyThrownBodies();
void releaseGrab(int e);  // ends the hold e takes part in, both sides back on their feet

// all_round_attack.cpp
bool startSpecial(int p);
void resolveAllRound(int a);

// pickups.cpp
void dropItem(int e, int32_t kind, int32_t uses);
bool startKnifeThrow(int p);
bool pickUpOrSwing(int p);
void showWeaponStance(int e);  // a weapon in hand shows in the stance and the walk
void showOpponentsWeapons();
void opponentsPickUp();
void opponentsSwingWeapons();
void resolveWeaponThrow(int e);
void wearWeapons();
void flyKnives();
void dropWeaponsOnKnockDown();

int32_t newHitsSinceSwing(const Entity& e);  // victims a weapon swing added to the list
