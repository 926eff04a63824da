// What each fighter can do: its statistics and its attacks, written out as its script.
#pragma once

#include <string>
#include <vector>

#include "script_writer.h"

struct Strike {
  std::string windPose, strikePose;
  int windTicks = 3;     // telegraph before the blow
  int activeTicks = 2;   // ticks in which the attack command runs
  int holdTicks = 3;     // the blow stays out after it stops hurting
  int recoverTicks = 8;  // back to guard; the next step of a chain may start here
  int stepForward = 0;   // pixels moved in the first active tick
  std::string attack;    // the attack command line
};

// A blow that follows a strike in the same attack: its own block, so that it can land on a
// victim the first blow already hit.
struct FollowUp {
  std::string block;  // the block's name
  Strike blow;
};

struct Moveset {
  std::string name;
  std::string description;
  std::string boss;  // the name on a boss's card; empty for everyone else
  bool player = false;
  int width = 70, height = 150, hp = 100, walkSpeed = 4, jumpHeight = 18, weight = 0;
  std::vector<Strike> chain;  // QUICKATTACK1, QUICKATTACK2, ...
  int dashTicks = 10, dashStep = 6;
  std::string dashAttack;  // run attack command, repeated while charging
  std::string jumpAttack;  // flying kick command, repeated while the leg is out
  // QUICKATTACKn (from 1) goes on into these blocks in turn instead of ending.
  int followsAttack = 0;
  std::vector<FollowUp> followUps;
  std::string wakeAttack;  // a blow swung while getting up; empty: gets up quietly
  int hurtTicks = 16;      // a light hit's flinch, both frames
  // A blow that answers a light hit unless the next hit comes first: only a combo whose blows
  // follow each other faster than counterAfter ticks keeps the fighter reeling.
  std::string counter;
  int counterAfter = 0;
  // The genre's moves (the arcade): an opponent that grabs players, and what the moves hurt.
  bool grabs = false;
  int kneeDamage = 8, throwDamage = 18, specialDamage = 20, pipeDamage = 16, knifeDamage = 20;
};

std::vector<Moveset> castMovesets();
std::vector<std::string> fighterScript(const Moveset& moves);
