#include "fighter_looks.h"

#include <stdexcept>

namespace {

Look kestor() {
  Look l;
  l.skin = rampOf(rgb(232, 172, 124));
  l.hair = rampOf(rgb(122, 66, 30));
  l.shirt = rampOf(rgb(236, 232, 218));
  l.jacket = rampOf(rgb(196, 38, 40));
  l.pants = rampOf(rgb(58, 82, 156));
  l.boots = rampOf(rgb(104, 62, 36));
  l.hands = l.skin;
  l.belt = rampOf(rgb(52, 40, 34));
  l.accent = rampOf(rgb(226, 200, 60));
  l.hairStyle = Hair::Spiky;
  l.jacket_ = true;
  l.headband = true;
  l.accent = rampOf(rgb(230, 34, 44));
  return l;
}

Look blueSoldier() {
  Look l;
  l.skin = rampOf(rgb(196, 140, 100));
  l.hair = rampOf(rgb(46, 34, 28));
  l.shirt = rampOf(rgb(70, 124, 222));
  l.jacket = rampOf(rgb(34, 50, 92));  // a flak vest over the uniform shirt
  l.pants = rampOf(rgb(40, 52, 104));
  l.boots = rampOf(rgb(44, 42, 48));
  l.hands = rampOf(rgb(214, 212, 196));
  l.belt = rampOf(rgb(118, 84, 46));
  l.accent = rampOf(rgb(34, 62, 150));
  l.hairStyle = Hair::Cap;
  l.jacket_ = true;
  l.vest = true;
  l.longSleeves = true;
  l.gloves = true;
  l.build.chestR = 17.5;
  return l;
}

Look punk() {
  Look l;
  l.skin = rampOf(rgb(236, 194, 160));
  l.hair = rampOf(rgb(232, 52, 156));
  l.shirt = rampOf(rgb(228, 214, 84));
  l.jacket = rampOf(rgb(48, 46, 58));
  l.pants = rampOf(rgb(112, 112, 124));
  l.boots = rampOf(rgb(36, 34, 40));
  l.hands = l.skin;
  l.belt = rampOf(rgb(30, 28, 34));
  l.accent = rampOf(rgb(196, 198, 210));
  l.hairStyle = Hair::Mohawk;
  l.jacket_ = true;
  l.build.chestR = 15;
  l.build.hipR = 12;
  l.build.armR = 5.6;
  l.build.legR = 7.8;
  return l;
}

Look bruiser() {
  Look l;
  l.skin = rampOf(rgb(172, 112, 76));
  l.hair = rampOf(rgb(66, 40, 26));
  l.shirt = rampOf(rgb(78, 124, 64));
  l.jacket = l.shirt;
  l.pants = rampOf(rgb(116, 94, 62));
  l.boots = rampOf(rgb(54, 44, 36));
  l.hands = l.skin;
  l.belt = rampOf(rgb(40, 34, 30));
  l.accent = rampOf(rgb(90, 90, 96));
  l.hairStyle = Hair::Bald;
  l.beard = true;
  l.kneePads = true;
  Build& b = l.build;
  b.headR = 12.5;
  b.torso = 52;
  b.hipR = 16;
  b.chestR = 21.5;
  b.upperArm = 29;
  b.foreArm = 27;
  b.armR = 8.2;
  b.fistR = 7.4;
  b.thigh = 39;
  b.shin = 36;
  b.legR = 10.5;
  return l;
}

Look biker() {
  Look l;
  l.skin = rampOf(rgb(224, 180, 140));
  l.hair = rampOf(rgb(214, 178, 96));
  l.shirt = rampOf(rgb(208, 60, 36));
  l.jacket = rampOf(rgb(92, 56, 34));
  l.pants = rampOf(rgb(40, 40, 48));
  l.boots = rampOf(rgb(26, 24, 28));
  l.hands = rampOf(rgb(30, 28, 32));
  l.belt = rampOf(rgb(150, 150, 160));
  l.accent = rampOf(rgb(200, 200, 210));
  l.hairStyle = Hair::Long;
  l.jacket_ = true;
  l.longSleeves = true;
  l.gloves = true;
  l.shades = true;
  l.build.torso = 48;
  l.build.thigh = 38;
  return l;
}

// The two extra fighters players can pick wear their own colours, so they never pass for opponents.
Look rider() {
  Look l = biker();
  l.jacket = rampOf(rgb(40, 120, 84));
  l.shirt = rampOf(rgb(236, 230, 210));
  l.hair = rampOf(rgb(40, 30, 26));
  return l;
}

Look brick() {
  Look l = bruiser();
  l.shirt = rampOf(rgb(232, 130, 36));
  l.pants = rampOf(rgb(60, 64, 80));
  l.hair = rampOf(rgb(150, 60, 30));
  return l;
}

// Second looks of the opponents: the harbour and factory crews. Each is its own type with its
// own sheet, so a stage can field both looks of one kind side by side.
Look punk2() {
  Look l = punk();
  l.skin = rampOf(rgb(198, 146, 108));
  l.hair = rampOf(rgb(60, 200, 220));
  l.hairStyle = Hair::Spiky;
  l.shirt = rampOf(rgb(214, 90, 60));
  l.jacket = rampOf(rgb(64, 92, 70));
  l.pants = rampOf(rgb(70, 84, 120));
  l.jacket_ = false;
  l.headband = true;
  l.accent = rampOf(rgb(240, 240, 240));
  return l;
}

Look biker2() {
  Look l = biker();
  l.skin = rampOf(rgb(150, 98, 68));
  l.hair = rampOf(rgb(30, 26, 24));
  l.hairStyle = Hair::Cap;
  l.shirt = rampOf(rgb(230, 226, 210));
  l.jacket = rampOf(rgb(40, 44, 70));
  l.pants = rampOf(rgb(96, 80, 60));
  l.hands = l.skin;
  l.gloves = false;
  l.shades = false;
  l.vest = true;
  l.accent = rampOf(rgb(40, 44, 70));
  return l;
}

Look bruiser2() {
  Look l = bruiser();
  l.skin = rampOf(rgb(226, 176, 140));
  l.hair = rampOf(rgb(200, 120, 50));
  l.hairStyle = Hair::Short;
  l.shirt = rampOf(rgb(236, 120, 30));  // an orange work shirt under blue overalls
  l.jacket = rampOf(rgb(60, 90, 140));
  l.jacket_ = true;
  l.vest = true;
  l.pants = rampOf(rgb(60, 90, 140));
  l.beard = false;
  l.accent = rampOf(rgb(230, 200, 40));
  return l;
}

// The bosses: each stage's last fighter, drawn a sixth larger than the crews so that it reads
// as the one in charge from across the screen, in colours no crew wears.
constexpr double kBossScale = 1.16;

// The harbour's: a heavy old sailor in a pea coat and a watch cap.
Look harbourmaster() {
  Look l = bruiser();
  l.skin = rampOf(rgb(214, 160, 120));
  l.hair = rampOf(rgb(168, 168, 172));  // grey beard
  l.hairStyle = Hair::Cap;
  l.shirt = rampOf(rgb(220, 220, 226));
  l.jacket = rampOf(rgb(28, 40, 74));
  l.jacket_ = true;
  l.longSleeves = true;
  l.pants = rampOf(rgb(44, 46, 54));
  l.boots = rampOf(rgb(20, 20, 24));
  l.beard = true;
  l.kneePads = false;
  l.accent = rampOf(rgb(30, 44, 84));  // the knitted cap
  l.build.chestR = 24;
  l.build.hipR = 18;
  return l;
}

// The factory's: a furnace hand in a leather apron, gloves and goggles.
Look furnace() {
  Look l = bruiser();
  l.skin = rampOf(rgb(160, 100, 66));
  l.hair = rampOf(rgb(24, 20, 18));
  l.hairStyle = Hair::Short;
  l.shirt = rampOf(rgb(130, 74, 40));  // the apron
  l.jacket = rampOf(rgb(130, 74, 40));
  l.pants = rampOf(rgb(52, 52, 58));
  l.boots = rampOf(rgb(70, 40, 24));
  l.hands = rampOf(rgb(170, 140, 60));
  l.gloves = true;
  l.shades = true;
  l.beard = false;
  l.accent = rampOf(rgb(250, 130, 30));
  l.build.upperArm = 31;
  l.build.armR = 9.2;
  l.build.fistR = 8.2;
  return l;
}

// Downtown's: the gang's boss in a white suit, long-haired and light on his feet.
Look kingpin() {
  Look l = biker();
  l.skin = rampOf(rgb(206, 150, 110));
  l.hair = rampOf(rgb(230, 230, 236));
  l.shirt = rampOf(rgb(150, 24, 40));
  l.jacket = rampOf(rgb(236, 234, 226));
  l.pants = rampOf(rgb(236, 234, 226));
  l.boots = rampOf(rgb(120, 40, 30));
  l.hands = l.skin;
  l.gloves = false;
  l.shades = true;
  l.accent = rampOf(rgb(220, 180, 40));
  l.build.chestR = 22.5;
  return l;
}

// World 2's new kinds: a yard hand in a hi-vis vest, and a roof runner in a hooded top.
Look yardhand() {
  Look l = bruiser();
  l.skin = rampOf(rgb(190, 130, 96));
  l.hair = rampOf(rgb(80, 60, 40));
  l.hairStyle = Hair::Cap;
  l.shirt = rampOf(rgb(70, 70, 80));
  l.jacket = rampOf(rgb(250, 130, 30));
  l.jacket_ = true;
  l.vest = true;
  l.pants = rampOf(rgb(50, 60, 90));
  l.beard = false;
  l.accent = rampOf(rgb(230, 230, 80));
  return l;
}

Look runner() {
  Look l = punk();
  l.skin = rampOf(rgb(170, 116, 80));
  l.hair = rampOf(rgb(30, 30, 40));
  l.hairStyle = Hair::Short;
  l.shirt = rampOf(rgb(40, 200, 200));
  l.jacket = rampOf(rgb(40, 40, 60));
  l.longSleeves = true;
  l.pants = rampOf(rgb(30, 30, 36));
  l.boots = rampOf(rgb(230, 230, 236));
  l.accent = rampOf(rgb(40, 200, 200));
  return l;
}

// World 2's bosses.
Look signalman() {
  Look l = bruiser2();
  l.skin = rampOf(rgb(120, 80, 56));
  l.hair = rampOf(rgb(220, 220, 220));
  l.hairStyle = Hair::Cap;
  l.shirt = rampOf(rgb(230, 60, 40));
  l.jacket = rampOf(rgb(24, 24, 30));
  l.pants = rampOf(rgb(24, 24, 30));
  l.beard = true;
  l.accent = rampOf(rgb(24, 24, 30));
  return l;
}

Look skyline() {
  Look l = biker();
  l.skin = rampOf(rgb(240, 200, 170));
  l.hair = rampOf(rgb(255, 70, 190));
  l.hairStyle = Hair::Mohawk;
  l.shirt = rampOf(rgb(20, 20, 30));
  l.jacket = rampOf(rgb(60, 230, 255));
  l.pants = rampOf(rgb(30, 20, 50));
  l.hands = rampOf(rgb(20, 20, 30));
  l.accent = rampOf(rgb(255, 70, 190));
  return l;
}

Look ringmaster() {
  Look l = bruiser();
  l.skin = rampOf(rgb(230, 180, 150));
  l.hair = rampOf(rgb(40, 30, 30));
  l.hairStyle = Hair::Short;
  l.shirt = rampOf(rgb(240, 240, 230));
  l.jacket = rampOf(rgb(200, 30, 40));
  l.jacket_ = true;
  l.longSleeves = true;
  l.pants = rampOf(rgb(240, 240, 230));
  l.boots = rampOf(rgb(20, 20, 24));
  l.hands = rampOf(rgb(245, 245, 245));
  l.gloves = true;
  l.beard = true;
  l.kneePads = false;
  l.accent = rampOf(rgb(230, 190, 50));
  return l;
}

// Second colours of the playable fighters: the main colours changed, nothing that alters the
// outline (hair style, clothes cut, build) touched.
Look kestorSecond() {
  Look l = kestor();
  l.jacket = rampOf(rgb(40, 150, 76));
  l.pants = rampOf(rgb(70, 70, 80));
  l.accent = rampOf(rgb(40, 190, 90));
  return l;
}

Look blueSoldierSecond() {
  Look l = blueSoldier();
  l.shirt = rampOf(rgb(204, 176, 112));
  l.jacket = rampOf(rgb(120, 96, 60));
  l.pants = rampOf(rgb(112, 92, 62));
  l.accent = rampOf(rgb(150, 120, 70));
  return l;
}

Look riderSecond() {
  Look l = rider();
  l.jacket = rampOf(rgb(136, 44, 150));
  l.pants = rampOf(rgb(60, 50, 70));
  return l;
}

Look brickSecond() {
  Look l = brick();
  l.shirt = rampOf(rgb(60, 132, 204));
  l.pants = rampOf(rgb(96, 64, 42));
  return l;
}

}  // namespace

const std::vector<FighterLook>& castLooks() {
  static const std::vector<FighterLook> cast = {
      {"kestor", kestor()}, {"bluesoldier", blueSoldier()}, {"punk", punk()}, {"bruiser", bruiser()}, {"biker", biker()},
      {"rider", rider()},   {"brick", brick()},
      {"punk2", punk2()},   {"biker2", biker2()},     {"bruiser2", bruiser2()},
      {"harbourmaster", harbourmaster(), kBossScale}, {"furnace", furnace(), kBossScale},
      {"kingpin", kingpin(), kBossScale},
      {"yardhand", yardhand()},   {"runner", runner()},
      {"signalman", signalman(), kBossScale}, {"skyline", skyline(), kBossScale},
      {"ringmaster", ringmaster(), kBossScale}};
  return cast;
}

namespace {

const FighterLook& fighterLookOf(const std::string& name) {
  for (const FighterLook& f : castLooks())
    if (f.name == name) return f;
  throw std::runtime_error("no look for " + name);
}

}  // namespace

const Look& lookOf(const std::string& name) { return fighterLookOf(name).look; }

double scaleOf(const std::string& name) { return fighterLookOf(name).scale; }

const Look& secondLookOf(const std::string& name) {
  static const std::vector<FighterLook> second = {{"kestor", kestorSecond()},
                                                  {"bluesoldier", blueSoldierSecond()},
                                                  {"rider", riderSecond()},
                                                  {"brick", brickSecond()}};
  for (const FighterLook& f : second)
    if (f.name == name) return f.look;
  throw std::runtime_error("no second look for " + name);
}
