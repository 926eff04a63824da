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

int heightOf(const std::string& name) {
  return static_cast<int>(std::lround(standingHeight(lookOf(name)) * scaleOf(name)));
}

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

// A boss answers a lone blow: a player's combo chains its blows about 9 ticks apart, one who
// walks in between blows lands them 15 or more apart and is struck back.
const int kBossCounterAfter = 12;

Moveset boss(Moveset m, const char* cardName, std::string wakeAttack, std::string counter) {
  m.boss = cardName;
  m.wakeAttack = std::move(wakeAttack);
  m.counter = std::move(counter);
  m.counterAfter = kBossCounterAfter;
  return m;
}

// The bosses: three times a bruiser's hit points, heavier blows, a flinch half as long, and
// each a way of fighting of its own (docs/content-pack.md says how each is beaten).
std::vector<Moveset> bosses() {
  // Slow and heavy: a quick shove to clear room, then long wind-ups to blows that hurt, and a
  // three-blow hammering that punishes standing in front.
  Moveset harbourmaster = boss(
      fighter("harbourmaster", "Harbourmaster: slow, and every blow a wrecking ball", kOpponent, {96, 420, 2, 14, 2},
              {strike("jab_w", "jab_s", attackLine("ATTACKKNOCKHIGH", 60, kSpark, 30, 7, 8), 6, 4),
               strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 40, kSpark, 40, 9, 11), 18, 4),
               strike("cross_w", "cross_s", attackLine("ATTACKMID", 44, kSpark, 30), 16, 6)},
              attackLine("ATTACKKNOCKLOW", 30, kSpark, 30, 8, 8), attackLine("ATTACKKNOCKHIGH", 32, kSpark, 28, 6, 6)),
      "HARBOURMASTER", attackLine("ATTACKKNOCKLOW", 46, kSpark, 36, 9, 8),
      attackLine("ATTACKKNOCKHIGH", 40, kSpark, 20, 8, 8));
  harbourmaster.followsAttack = 3;
  harbourmaster.followUps = {
      {"HAMMER2", strike("jab_w", "elbow_s", attackLine("ATTACKMID", 30, kBlood, 26), 8, 4)},
      {"HAMMER3", strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 40, kSpark, 36, 9, 11), 10, 4)}};
  // Keeps his distance and charges across half the screen; a quick elbow up close.
  Moveset furnace = boss(
      fighter("furnace", "Furnace: charges from afar with his shoulder down", kOpponent, {92, 450, 3, 15, 2},
              {strike("jab_w", "elbow_s", attackLine("ATTACKKNOCKHIGH", 56, kBlood, 30, 7, 8), 6, 4),
               strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 36, kSpark, 40, 10, 10), 14, 4)},
              attackLine("ATTACKKNOCKHIGH", 36, kSpark, 42, 11, 9), attackLine("ATTACKKNOCKHIGH", 30, kSpark, 28, 6, 6)),
      "FURNACE", attackLine("ATTACKKNOCKHIGH", 44, kSpark, 34, 9, 9),
      attackLine("ATTACKKNOCKHIGH", 40, kBlood, 22, 8, 8));
  furnace.dashTicks = 26;
  furnace.dashStep = 9;
  // Light on his feet: flies in with a kick from a distance, quick hands and a high kick.
  Moveset kingpin = boss(
      fighter("kingpin", "Kingpin: flying kicks from afar, quick hands up close", kOpponent, {88, 480, 5, 20, 0},
              {strike("jab_w", "jab_s", attackLine("ATTACKKNOCKHIGH", 60, kSpark, 30, 7, 8), 6, 3),
               strike("lkick_w", "lkick_s", attackLine("ATTACKLOW", 46, kSpark, 28), 10),
               strike("hkick_w", "hkick_s", attackLine("ATTACKKNOCKHIGH", 52, kSpark, 42, 9, 10), 13)},
              attackLine("ATTACKKNOCKLOW", 28, kSpark, 30, 8, 8), attackLine("ATTACKKNOCKHIGH", 40, kSpark, 38, 8, 7)),
      "KINGPIN", attackLine("ATTACKKNOCKLOW", 50, kSpark, 34, 8, 8),
      attackLine("ATTACKKNOCKHIGH", 44, kSpark, 24, 8, 8));
  // World 2. The signalman swings a long lamp-arm: the longest reach of all, slow to come.
  Moveset signalman = boss(
      fighter("signalman", "Signalman: the longest reach in the yard, and a hammering like the harbourmaster's",
              kOpponent, {96, 480, 3, 15, 2},
              {strike("jab_w", "jab_s", attackLine("ATTACKKNOCKHIGH", 60, kSpark, 30, 7, 8), 6, 4),
               strike("cross_w", "cross_s", attackLine("ATTACKMID", 70, kSpark, 34), 16, 6),
               strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 60, kSpark, 42, 10, 11), 18, 4)},
              attackLine("ATTACKKNOCKLOW", 34, kSpark, 32, 8, 8), attackLine("ATTACKKNOCKHIGH", 32, kSpark, 28, 6, 6)),
      "SIGNALMAN", attackLine("ATTACKKNOCKLOW", 50, kSpark, 36, 9, 8), attackLine("ATTACKKNOCKHIGH", 40, kSpark, 22, 8, 8));
  signalman.followsAttack = 2;
  signalman.followUps = {{"LAMPSWING", strike("jab_w", "elbow_s", attackLine("ATTACKMID", 40, kBlood, 28), 8, 4)}};
  // Skyline runs the roofs: charges and flying kicks from afar, light on her feet.
  Moveset skyline = boss(
      fighter("skyline", "Skyline: runs the roofs, charging and flying in from afar", kOpponent, {88, 480, 5, 20, 0},
              {strike("jab_w", "jab_s", attackLine("ATTACKKNOCKHIGH", 60, kSpark, 30, 7, 8), 6, 3),
               strike("crouch", "knee_s", attackLine("ATTACKLOW", 36, kBlood, 28), 10, 3),
               strike("hkick_w", "hkick_s", attackLine("ATTACKKNOCKHIGH", 54, kSpark, 40, 9, 10), 13)},
              attackLine("ATTACKKNOCKHIGH", 36, kSpark, 38, 11, 9), attackLine("ATTACKKNOCKHIGH", 42, kSpark, 36, 8, 7)),
      "SKYLINE", attackLine("ATTACKKNOCKLOW", 50, kSpark, 34, 8, 8), attackLine("ATTACKKNOCKHIGH", 44, kSpark, 24, 8, 8));
  skyline.dashTicks = 18;
  skyline.dashStep = 9;
  // The ringmaster: the toughest, every move of the others in one body.
  Moveset ringmaster = boss(
      fighter("ringmaster", "Ringmaster: the toughest of all, with every trick of the others", kOpponent,
              {96, 520, 3, 16, 1},
              {strike("jab_w", "jab_s", attackLine("ATTACKKNOCKHIGH", 60, kSpark, 32, 7, 8), 6, 4),
               strike("lkick_w", "lkick_s", attackLine("ATTACKLOW", 50, kSpark, 30), 12),
               strike("cross_w", "cross_s", attackLine("ATTACKMID", 44, kSpark, 32), 16, 6)},
              attackLine("ATTACKKNOCKHIGH", 36, kSpark, 40, 10, 9), attackLine("ATTACKKNOCKHIGH", 40, kSpark, 36, 8, 7)),
      "RINGMASTER", attackLine("ATTACKKNOCKLOW", 50, kSpark, 38, 9, 8), attackLine("ATTACKKNOCKHIGH", 40, kSpark, 24, 8, 8));
  ringmaster.followsAttack = 3;
  ringmaster.followUps = {
      {"FINALE2", strike("jab_w", "elbow_s", attackLine("ATTACKMID", 30, kBlood, 26), 8, 4)},
      {"FINALE3", strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 40, kSpark, 38, 9, 11), 10, 4)}};
  ringmaster.dashTicks = 20;
  ringmaster.dashStep = 9;
  return {harbourmaster, furnace, kingpin, signalman, skyline, ringmaster};
}

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
      // World 2's new kinds.
      fighter("yardhand", "Yard hand: a long, slow reach and a shove that floors", kOpponent, {76, 130, 3, 15, 2},
              {strike("cross_w", "cross_s", attackLine("ATTACKMID", 46, kSpark, 13), 11, 4),
               strike("upper_w", "upper_s", attackLine("ATTACKKNOCKHIGH", 40, kSpark, 18, 8, 9), 12)},
              attackLine("ATTACKKNOCKLOW", 26, kSpark, 15, 8, 8), attackLine("ATTACKKNOCKHIGH", 28, kSpark, 13, 6, 6)),
      fighter("runner", "Roof runner: fast, fragile, and flies in feet first", kOpponent, {64, 70, 6, 21, 0},
              {strike("jab_w", "jab_s", attackLine("ATTACKMID", 28, kSpark, 9), 7),
               strike("lkick_w", "lkick_s", attackLine("ATTACKLOW", 40, kSpark, 11), 8)},
              attackLine("ATTACKKNOCKLOW", 22, kSpark, 13, 7, 8), attackLine("ATTACKKNOCKHIGH", 34, kSpark, 15, 7, 6)),
  };
}

void writeStats(ScriptWriter& w, const Moveset& m) {
  w.remark(m.description);
  if (!m.boss.empty()) w.command("BOSS " + m.boss);
  w.stat("WIDTH", m.width);
  w.stat("HEIGHT", m.height);
  w.stat("SETHP", m.hp);
  w.stat("WALKSPEED", m.walkSpeed);
  w.stat("JUMPHEIGHT", m.jumpHeight);
  w.stat("WEIGHT", m.weight);
  w.stat("ATTACKSAMOUNT", static_cast<double>(m.chain.size()));
  w.stat("JUMPATTACKSAMOUNT", 1);
  // The arcade's moves: a boss cannot be grabbed, and some kinds grab players.
  if (!m.boss.empty()) w.stat("GRABBABLE", 0);
  if (m.grabs) w.stat("GRABS", 1);
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

// Wind-up, the blow, and back to guard; a chain's next step may start during the recovery.
void writeBlow(ScriptWriter& w, const Strike& s, bool comboAllowed) {
  w.show(frame(s.windPose), s.windTicks);
  w.command("FRAMESET " + std::to_string(frame(s.strikePose)));
  w.command("PLAYGAMESOUND " + std::to_string(kSwingSound));
  if (s.stepForward) w.command("MOVEFORWARD " + std::to_string(s.stepForward));
  w.command("LOOPSTART " + std::to_string(s.activeTicks));
  w.command(s.attack);
  w.command("LOOPEND");
  w.show(frame(s.strikePose), s.holdTicks);
  if (comboAllowed) w.command("COMBOALLOWED");
  w.show(frame(s.windPose), 3);
  w.show(frame("stance"), s.recoverTicks - 3);
}

void writeChain(ScriptWriter& w, const Moveset& m) {
  for (size_t i = 0; i < m.chain.size(); ++i) {
    w.begin("QUICKATTACK" + std::to_string(i + 1));
    writeBlow(w, m.chain[i], i + 1 < m.chain.size());  // the last blow ends the chain
    const bool followed = static_cast<int>(i) + 1 == m.followsAttack && !m.followUps.empty();
    if (followed) w.command("ASSIGNANIMATION " + m.followUps.front().block);
    else w.end();
  }
  for (size_t k = 0; k < m.followUps.size(); ++k) {
    w.begin(m.followUps[k].block);
    writeBlow(w, m.followUps[k].blow, false);
    if (k + 1 < m.followUps.size()) w.command("ASSIGNANIMATION " + m.followUps[k + 1].block);
    else w.end();
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

// Hurt by a light hit: a flinch, or with a counter, a flinch that ends in a blow.
void writeFlinch(ScriptWriter& w, const Moveset& m, const char* block, const char* first, const char* second) {
  w.begin(block);
  if (m.counter.empty()) {
    const int flinch = m.hurtTicks * 7 / 16;
    w.show(frame(first), flinch);
    w.show(frame(second), m.hurtTicks - flinch);
    w.end();
    return;
  }
  const int firstTicks = m.counterAfter / 3;
  w.show(frame(first), firstTicks);
  w.show(frame("cross_w"), m.counterAfter - 1 - firstTicks);
  w.command("FRAMESET " + std::to_string(frame("cross_s")));
  w.command("PLAYGAMESOUND " + std::to_string(kSwingSound));
  w.command("LOOPSTART 2");
  w.command(m.counter);
  w.command("LOOPEND");
  // Back on guard quickly: a boss struck from behind turns only once its flinch is over.
  w.show(frame("cross_s"), 2);
  w.show(frame("stance"), 2);
  w.end();
}

void writeDamage(ScriptWriter& w, const Moveset& m) {
  writeFlinch(w, m, "HIGHDAMAGE", "hurt_high1", "hurt_high2");
  writeFlinch(w, m, "LOWDAMAGE", "hurt_low1", "hurt_low2");
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
  if (m.wakeAttack.empty()) {
    w.show(frame("crouch"), 6);
  } else {
    // Comes up swinging: whoever crowds a fallen boss pays for it.
    w.command("PLAYGAMESOUND " + std::to_string(kSwingSound));
    w.show(frame("upper_s"), 3, {m.wakeAttack});
    w.show(frame("upper_s"), 6);
    w.show(frame("crouch"), 4);
  }
  w.end();
  w.remark("Stays down for good: the last frame is held and the animation counts as finished.");
  w.begin("DIE");
  w.show(frame("collapse"), 8);
  w.command("FRAMESET " + std::to_string(frame("lying")));
  w.stopFinish();
}

void writeWalk(ScriptWriter& w, const std::string& prefix) {
  for (int k = 0; k < 3; ++k) w.show(frame(prefix + std::to_string(k)), 8);
  w.end();
}

// The genre's moves, which only the arcade starts; `brawler` never reaches these blocks.
void writeGenreMoves(ScriptWriter& w, const Moveset& m) {
  w.remark("The arcade's moves: grabs, throws, the special, pick-ups and weapons.");
  w.begin("GRAB");
  w.show(frame("grab"), 6);
  w.end();
  w.begin("HOLD");
  w.show(frame("hold"), 30);
  w.end();
  w.begin("KNEE");
  w.show(frame("hold"), 3);
  w.command("FRAMESET " + std::to_string(frame("knee_hold")));
  w.command("PLAYGAMESOUND " + std::to_string(kSwingSound));
  w.command("ATTACKHELD " + std::to_string(m.kneeDamage) + " " + std::to_string(kSpark) + " 6 8");
  w.show(frame("knee_hold"), 7);
  w.show(frame("hold"), 4);
  w.end();
  w.begin("THROW");
  w.show(frame("throw_w"), 7);
  w.command("FRAMESET " + std::to_string(frame("throw_s")));
  w.command("PLAYGAMESOUND " + std::to_string(kWhooshSound));
  w.command("THROWHELD " + std::to_string(m.throwDamage) + " 8 9");
  w.show(frame("throw_s"), 12);
  w.show(frame("stance"), 6);
  w.end();
  w.begin("HELD");
  w.show(frame("held"), 20);
  w.end();
  w.remark("Held while flying from a throw; landing starts FALLLAND.");
  w.begin("THROWN");
  w.command("FRAMESET " + std::to_string(frame("thrown")));
  w.stop();
  w.remark("Untouchable while it spins; every blow of it floors whoever stands close.");
  w.begin("SPECIAL");
  w.command("INVINCIBLE 28");
  w.command("PLAYGAMESOUND " + std::to_string(kWhooshSound));
  const std::string allRound = attackLine("ATTACKALLROUND", 40, kSpark, m.specialDamage, 7, 9);
  for (int turn = 0; turn < 2; ++turn) {
    w.show(frame("special1"), 3, {allRound});
    w.show(frame("special2"), 3, {allRound});
  }
  w.show(frame("stance"), 8);
  w.end();
  w.begin("PICKUP");
  w.show(frame("pickup"), 8);
  w.show(frame("crouch"), 4);
  w.end();
  w.begin("PIPESTAND");
  w.show(frame("pipe_stand"), 30);
  w.end();
  w.begin("PIPEWALK");
  writeWalk(w, "pipe_walk");
  w.begin("PIPEATTACK");
  w.show(frame("pipe_w"), 5);
  w.command("FRAMESET " + std::to_string(frame("pipe_s")));
  w.command("PLAYGAMESOUND " + std::to_string(kSwingSound));
  w.show(frame("pipe_s"), 2, {attackLine("ATTACKWEAPON", 50, kSpark, m.pipeDamage, 7, 9)});
  w.show(frame("pipe_s"), 4);
  w.show(frame("pipe_stand"), 8);
  w.end();
  w.begin("KNIFESTAND");
  w.show(frame("knife_stand"), 30);
  w.end();
  w.begin("KNIFEWALK");
  writeWalk(w, "knife_walk");
  w.begin("KNIFETHROW");
  w.show(frame("knife_w"), 5);
  w.command("FRAMESET " + std::to_string(frame("knife_s")));
  w.command("PLAYGAMESOUND " + std::to_string(kWhooshSound));
  w.command("THROWWEAPON 14 " + std::to_string(m.knifeDamage));
  w.show(frame("knife_s"), 6);
  w.show(frame("stance"), 4);
  w.end();
}

}  // namespace

std::vector<Moveset> castMovesets() {
  std::vector<Moveset> cast = movesets();
  for (Moveset& m : bosses()) cast.push_back(m);
  // Two kinds of opponent grab players: the bruiser and the yard hand.
  for (Moveset& m : cast) m.grabs = m.name == "bruiser" || m.name == "yardhand";
  // Players' own moves hurt more than an opponent's, and a boss's most of all.
  for (Moveset& m : cast) {
    if (m.player) m.kneeDamage = 10, m.throwDamage = 22, m.specialDamage = 24, m.pipeDamage = 20, m.knifeDamage = 26;
    if (!m.boss.empty()) m.kneeDamage = 14, m.pipeDamage = 30;
  }
  for (Moveset& m : cast) m.height = heightOf(m.name);
  return cast;
}

std::vector<std::string> fighterScript(const Moveset& moves) {
  ScriptWriter w;
  writeStats(w, moves);
  writeMovement(w);
  writeChain(w, moves);
  writeAir(w, moves);
  writeDamage(w, moves);
  writeGenreMoves(w, moves);
  return w.lines();
}
