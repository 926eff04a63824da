#include "fighter_moves.h"

#include <cmath>

#include "fighter_looks.h"
#include "fighter_poses.h"

namespace {

// Effects of the attack commands.
const int kSpark = 0;
const int kBlood = 1;
// Sound slots the scripts play themselves.
const int kSwingSound = 2;
const int kWhooshSound = 4;

int frame(const std::string& pose) { return fighterFrame(pose); }

Strike strike(const std::string& wind, const std::string& blow, const std::string& attack, int windTicks = 3,
              int stepForward = 0) {
  Strike s;
  s.windPose = wind;
  s.strikePose = blow;
  s.attack = attack;
  s.windTicks = windTicks;
  s.stepForward = stepForward;
  return s;
}

int heightOf(const std::string& name) { return static_cast<int>(std::lround(standingHeight(lookOf(name)))); }

struct Body {
  int width, hp, walkSpeed, jumpHeight, weight;
};

Moveset fighter(const char* name, const char* description, bool player, Body body, std::vector<Strike> chain,
                std::string dashAttack, std::string jumpAttack) {
  Moveset m;
  m.name = name;
  m.description = description;
  m.player = player;
  m.width = body.width;
  m.hp = body.hp;
  m.walkSpeed = body.walkSpeed;
  m.jumpHeight = body.jumpHeight;
  m.weight = body.weight;
  m.chain = std::move(chain);
  m.dashAttack = std::move(dashAttack);
  m.jumpAttack = std::move(jumpAttack);
  return m;
}

const bool kPlayer = true, kOpponent = false;

std::vector<Moveset> movesets() {
  return {
      // Body: width, hit points, walking speed, jump height, weight.
      fighter("kestor", "Kestor: street fighter, fast hands and a roundhouse finisher", kPlayer, {70, 500, 5, 20, 0},
              {strike("jab_w", "jab_s", attackLine("ATTACKMID", 30, kSpark, 8), 2, 2),
               strike("cross_w", "cross_s", attackLine("ATTACKMID", 32, kSpark, 9), 3, 3),
               strike("lkick_w", "lkick_s", attackLine("ATTACKLOW", 44, kSpark, 10), 3),
               strike("hkick_w", "hkick_s", attackLine("ATTACKKNOCKHIGH", 48, kSpark, 18, 8, 10), 4)},
              attackLine("ATTACKKNOCKLOW", 24, kSpark, 14, 7, 8), attackLine("ATTACKKNOCKHIGH", 30, kSpark, 14, 6, 6)),
      fighter("bluesoldier", "Blue soldier: drilled close-quarters fighter, elbow and knee into an uppercut", kPlayer,
              {72, 500, 5, 19, 0},
              {strike("jab_w", "jab_s", attackLine("ATTACKMID", 30, kSpark, 8), 2, 2),
               strike("jab_w", "elbow_s", attackLine("ATTACKMID", 22, kSpark, 10), 3, 4),
               strike("crouch", "knee_s", attackLine("ATTACKLOW", 20, kBlood, 11), 3, 3),
               strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 28, kSpark, 18, 6, 12), 4, 4)},
              attackLine("ATTACKKNOCKLOW", 24, kSpark, 14, 7, 8), attackLine("ATTACKKNOCKHIGH", 30, kSpark, 14, 6, 6)),
      // Picked on the character select screen.
      fighter("rider", "Rider: fast feet, knees and a high kick", kPlayer, {70, 480, 6, 20, 0},
              {strike("jab_w", "jab_s", attackLine("ATTACKMID", 30, kSpark, 7), 2, 2),
               strike("crouch", "knee_s", attackLine("ATTACKLOW", 22, kBlood, 9), 2, 3),
               strike("lkick_w", "lkick_s", attackLine("ATTACKLOW", 44, kSpark, 9), 3),
               strike("hkick_w", "hkick_s", attackLine("ATTACKKNOCKHIGH", 48, kSpark, 16, 8, 10), 3)},
              attackLine("ATTACKKNOCKLOW", 24, kSpark, 13, 8, 8), attackLine("ATTACKKNOCKHIGH", 32, kSpark, 13, 6, 6)),
      fighter("brick", "Brick: slow, heavy hands, shrugs off a beating", kPlayer, {80, 560, 4, 18, 1},
              {strike("cross_w", "cross_s", attackLine("ATTACKMID", 30, kSpark, 11), 4, 4),
               strike("jab_w", "elbow_s", attackLine("ATTACKMID", 22, kBlood, 12), 4, 4),
               strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 28, kSpark, 20, 7, 11), 5, 4)},
              attackLine("ATTACKKNOCKLOW", 26, kSpark, 15, 8, 8), attackLine("ATTACKKNOCKHIGH", 30, kSpark, 14, 6, 6)),
      // Opponents telegraph their blows longer than the players do, so a watchful player can cut in.
      fighter("punk", "Punk: quick and fragile, jabs and shin kicks", kOpponent, {64, 60, 4, 17, 0},
              {strike("jab_w", "jab_s", attackLine("ATTACKMID", 26, kSpark, 9), 8),
               strike("lkick_w", "lkick_s", attackLine("ATTACKLOW", 36, kSpark, 10), 9)},
              attackLine("ATTACKKNOCKLOW", 20, kSpark, 12, 6, 7), attackLine("ATTACKKNOCKHIGH", 26, kSpark, 11, 5, 5)),
      fighter("bruiser", "Bruiser: slow and heavy, hits hard and takes a beating", kOpponent, {80, 150, 3, 15, 2},
              {strike("cross_w", "cross_s", attackLine("ATTACKMID", 30, kSpark, 14), 10, 4),
               strike("jab_w", "elbow_s", attackLine("ATTACKMID", 22, kBlood, 16), 10, 4),
               strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 28, kSpark, 22, 7, 10), 12)},
              attackLine("ATTACKKNOCKLOW", 26, kSpark, 18, 8, 8), attackLine("ATTACKKNOCKHIGH", 28, kSpark, 15, 6, 6)),
      fighter("biker", "Biker: quick on his feet, knees and a high kick", kOpponent, {70, 100, 5, 18, 1},
              {strike("jab_w", "jab_s", attackLine("ATTACKMID", 28, kSpark, 10), 7),
               strike("crouch", "knee_s", attackLine("ATTACKLOW", 20, kBlood, 12), 8, 3),
               strike("hkick_w", "hkick_s", attackLine("ATTACKKNOCKHIGH", 44, kSpark, 18, 7, 9), 9)},
              attackLine("ATTACKKNOCKLOW", 24, kSpark, 15, 7, 8), attackLine("ATTACKKNOCKHIGH", 30, kSpark, 14, 6, 6)),
      // The harbour and factory crews: the same kinds in other clothes, slower and softer than the
      // downtown gangs, so each stage asks a little more than the one before it.
      fighter("punk2", "Dock punk: slow to close in, one jab at a time", kOpponent, {64, 45, 3, 17, 0},
              {strike("jab_w", "jab_s", attackLine("ATTACKMID", 26, kSpark, 6), 10)},
              attackLine("ATTACKKNOCKLOW", 20, kSpark, 9, 6, 7), attackLine("ATTACKKNOCKHIGH", 26, kSpark, 8, 5, 5)),
      fighter("biker2", "Yard runner: quick feet, a jab and a knee", kOpponent, {70, 75, 4, 18, 1},
              {strike("jab_w", "jab_s", attackLine("ATTACKMID", 28, kSpark, 8), 9),
               strike("crouch", "knee_s", attackLine("ATTACKLOW", 20, kBlood, 9), 10, 3)},
              attackLine("ATTACKKNOCKLOW", 24, kSpark, 12, 7, 8), attackLine("ATTACKKNOCKHIGH", 30, kSpark, 11, 6, 6)),
      fighter("bruiser2", "Foreman: heavy and slow, two big swings", kOpponent, {80, 120, 2, 15, 2},
              {strike("cross_w", "cross_s", attackLine("ATTACKMID", 30, kSpark, 11), 12, 4),
               strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 28, kSpark, 16, 7, 10), 12)},
              attackLine("ATTACKKNOCKLOW", 26, kSpark, 14, 8, 8), attackLine("ATTACKKNOCKHIGH", 28, kSpark, 12, 6, 6)),
  };
}

void writeStats(ScriptWriter& w, const Moveset& m) {
  w.remark(m.description);
  w.stat("WIDTH", m.width);
  w.stat("HEIGHT", m.height);
  w.stat("SETHP", m.hp);
  w.stat("WALKSPEED", m.walkSpeed);
  w.stat("JUMPHEIGHT", m.jumpHeight);
  w.stat("WEIGHT", m.weight);
  w.stat("ATTACKSAMOUNT", static_cast<double>(m.chain.size()));
  w.stat("JUMPATTACKSAMOUNT", 1);
  w.endStats();
}

void writeMovement(ScriptWriter& w) {
  w.begin("STAND");
  w.show(frame("stance"), 28);
  w.show(frame("stance2"), 22);
  w.end();
  w.begin("WALK");
  for (int k = 0; k < 6; ++k) w.show(frame("walk" + std::to_string(k)), 6);
  w.end();
  w.begin("RUN");
  for (int k = 0; k < 6; ++k) w.show(frame("run" + std::to_string(k)), 4);
  w.end();
}

void writeChain(ScriptWriter& w, const Moveset& m) {
  for (size_t i = 0; i < m.chain.size(); ++i) {
    const Strike& s = m.chain[i];
    w.begin("QUICKATTACK" + std::to_string(i + 1));
    w.show(frame(s.windPose), s.windTicks);
    w.command("FRAMESET " + std::to_string(frame(s.strikePose)));
    w.command("PLAYGAMESOUND " + std::to_string(kSwingSound));
    if (s.stepForward) w.command("MOVEFORWARD " + std::to_string(s.stepForward));
    w.command("LOOPSTART " + std::to_string(s.activeTicks));
    w.command(s.attack);
    w.command("LOOPEND");
    w.show(frame(s.strikePose), s.holdTicks);
    if (i + 1 < m.chain.size()) w.command("COMBOALLOWED");  // the last blow ends the chain
    w.show(frame(s.windPose), 3);
    w.show(frame("stance"), s.recoverTicks - 3);
    w.end();
  }
  w.begin("RUNATTACK");
  w.command("PLAYGAMESOUND " + std::to_string(kWhooshSound));
  w.show(frame("charge"), m.dashTicks, {"MOVEFORWARD " + std::to_string(m.dashStep), m.dashAttack});
  w.show(frame("crouch"), 8);
  w.end();
}

void writeAir(ScriptWriter& w, const Moveset& m) {
  w.begin("JUMPSTART");
  w.show(frame("crouch"), 4);
  w.end();
  w.begin("JUMP");
  w.command("PLAYGAMESOUND " + std::to_string(kWhooshSound));
  w.show(frame("jump_up"), 18);
  w.command("FRAMESET " + std::to_string(frame("jump_down")));
  w.stop();
  w.begin("JUMPATTACK");
  w.show(frame("jkick_w"), 3);
  w.command("PLAYGAMESOUND " + std::to_string(kSwingSound));
  w.show(frame("jkick_s"), 14, {m.jumpAttack});
  w.command("FRAMESET " + std::to_string(frame("jump_down")));
  w.stop();
  w.begin("LAND");
  w.show(frame("crouch"), 5);
  w.end();
}

void writeDamage(ScriptWriter& w) {
  w.begin("HIGHDAMAGE");
  w.show(frame("hurt_high1"), 7);
  w.show(frame("hurt_high2"), 9);
  w.end();
  w.begin("LOWDAMAGE");
  w.show(frame("hurt_low1"), 7);
  w.show(frame("hurt_low2"), 9);
  w.end();
  w.remark("Held while knocked through the air; landing starts FALLLAND.");
  w.begin("FALL");
  w.show(frame("fall1"), 8);
  w.command("FRAMESET " + std::to_string(frame("fall2")));
  w.stop();
  w.begin("FALLLAND");
  w.show(frame("lying"), 30);
  w.end();
  w.begin("GETUP");
  w.show(frame("getup1"), 10);
  w.show(frame("getup2"), 10);
  w.show(frame("crouch"), 6);
  w.end();
  w.remark("Stays down for good: the last frame is held and the animation counts as finished.");
  w.begin("DIE");
  w.show(frame("collapse"), 8);
  w.command("FRAMESET " + std::to_string(frame("lying")));
  w.stopFinish();
}

}  // namespace

std::vector<Moveset> castMovesets() {
  std::vector<Moveset> cast = movesets();
  for (Moveset& m : cast) m.height = heightOf(m.name);
  return cast;
}

std::vector<std::string> fighterScript(const Moveset& moves) {
  ScriptWriter w;
  writeStats(w, moves);
  writeMovement(w);
  writeChain(w, moves);
  writeAir(w, moves);
  writeDamage(w);
  return w.lines();
}
