#include "fighter_poses.h"

#include <cmath>
#include <stdexcept>

namespace {

const double kPi = 3.14159265358979323846;
const int kWalkFrames = 6;
const int kRunFrames = 6;

Pose guard() { return Pose().lean(6).armF(34, 96).armB(44, 92).legF(17, 10).legB(-15, 6); }

Pose walk(int k) {
  double phase = 2 * kPi * k / kWalkFrames;
  auto swing = [](double p) { return 21 * std::sin(p); };
  auto bend = [](double p) { return 5 + 30 * std::max(0.0, std::cos(p)); };
  return guard()
      .lean(8)
      .legF(swing(phase), bend(phase))
      .legB(swing(phase + kPi), bend(phase + kPi))
      .armF(26 - 9 * std::sin(phase), 102)
      .armB(34 + 9 * std::sin(phase), 96);
}

Pose run(int k) {
  double phase = 2 * kPi * k / kRunFrames;
  auto swing = [](double p) { return 10 + 36 * std::sin(p); };
  auto bend = [](double p) { return 12 + 70 * std::max(0.0, std::cos(p)); };
  return Pose()
      .lean(20)
      .head(-12)
      .legF(swing(phase), bend(phase))
      .legB(swing(phase + kPi), bend(phase + kPi))
      .armF(30 - 45 * std::sin(phase), 85)
      .armB(30 + 45 * std::sin(phase), 85)
      .feet(-10, -10);
}

std::vector<NamedPose> buildPoses() {
  std::vector<NamedPose> p;
  p.push_back({"stance", guard()});
  p.push_back({"stance2", guard().armF(24, 108).armB(34, 102).lean(4).legF(19, 16).legB(-16, 11)});  // breathing out
  for (int k = 0; k < kWalkFrames; ++k) p.push_back({"walk" + std::to_string(k), walk(k)});
  for (int k = 0; k < kRunFrames; ++k) p.push_back({"run" + std::to_string(k), run(k)});
  // Straight punch with the near arm.
  p.push_back({"jab_w", guard().lean(2).armF(16, 128).legF(18, 12)});
  p.push_back({"jab_s", guard().lean(13).shift(4, 0).armF(86, 4).legF(24, 8).legB(-22, 4).swoosh(Swoosh::FrontFist)});
  // Cross with the far arm.
  p.push_back({"cross_w", guard().lean(-2).armB(6, 124).armF(36, 100)});
  p.push_back({"cross_s", guard().lean(20).shift(6, 0).armB(86, 2).armF(32, 112).legF(26, 10).legB(-24, 2).swoosh(Swoosh::BackFist)});
  // Low kick with the near leg.
  p.push_back({"lkick_w", guard().lean(-4).legF(46, 78).legB(-6, 6)});
  p.push_back({"lkick_s", guard().lean(-12).legF(70, 0).legB(-8, 4).feet(0, 10).swoosh(Swoosh::FrontFoot)});
  // Roundhouse: the knock-down kick.
  p.push_back({"hkick_w", guard().lean(-10).legF(74, 104).legB(-4, 4).armB(10, 60)});
  p.push_back({"hkick_s", guard().lean(-26).head(8).legF(104, 0).legB(-6, 2).armB(-34, 40).armF(50, 80).feet(0, 10).swoosh(Swoosh::FrontFoot)});
  // Uppercut from a crouch: the other knock-down blow.
  p.push_back({"upper_w", guard().lean(16).armF(14, 24).legF(34, 56).legB(-24, 44)});
  p.push_back({"upper_s", guard().lean(4).head(-10).shift(4, 0).armF(162, -8).armB(20, 70).legF(12, 2).legB(-20, 6).feet(-30, 0).swoosh(Swoosh::FrontFist)});
  // Elbow and knee for the close-quarters chains.
  p.push_back({"elbow_s", guard().lean(18).shift(5, 0).armF(98, 158).armB(40, 90).legF(24, 10).legB(-22, 4)});
  p.push_back({"knee_s", guard().lean(14).armF(74, 50).armB(66, 62).legF(96, 140).legB(-4, 2).feet(0, -40)});
  // Shoulder charge for the running attack.
  p.push_back({"charge", Pose().lean(34).head(8).shift(8, 0).armF(58, 86).armB(24, 96).legF(44, 36).legB(-40, 26)});
  // In the air.
  p.push_back({"crouch", guard().lean(16).legF(46, 86).legB(-22, 76).armF(34, 96).armB(30, 92)});
  p.push_back({"jump_up", Pose().air().lean(4).legF(52, 92).legB(22, 100).armF(124, 40).armB(104, 50).feet(-20, -10)});
  p.push_back({"jump_down", Pose().air().lean(2).legF(24, 30).legB(-10, 24).armF(64, 44).armB(50, 50)});
  p.push_back({"jkick_w", Pose().air().lean(-8).legF(70, 110).legB(0, 96).armF(40, 96).armB(110, 30)});
  p.push_back({"jkick_s", Pose().air().lean(-18).legF(86, 0).legB(-8, 112).armF(34, 100).armB(124, 28).feet(0, 10).swoosh(Swoosh::FrontFoot)});
  // Taking hits.
  p.push_back({"hurt_high1", Pose().lean(-18).head(-22).shift(-4, 0).armF(34, 36).armB(-22, 30).legF(16, 6).legB(-14, 4)});
  p.push_back({"hurt_high2", Pose().lean(-9).head(-8).shift(-2, 0).armF(30, 60).armB(-6, 40).legF(15, 8).legB(-14, 5)});
  p.push_back({"hurt_low1", Pose().lean(36).head(16).armF(14, 62).armB(18, 58).legF(22, 26).legB(-10, 26)});
  p.push_back({"hurt_low2", Pose().lean(26).head(10).armF(18, 70).armB(22, 64).legF(20, 18).legB(-10, 18)});
  p.push_back({"fall1", Pose().air().rot(36).head(-22).legF(40, 30).legB(18, 42).armF(150, 22).armB(128, 30)});
  p.push_back({"fall2", Pose().air().rot(66).head(-14).legF(58, 22).legB(44, 32).armF(170, 10).armB(150, 20)});
  p.push_back({"lying", Pose().rot(90).head(6).legF(4, 6).legB(-3, 4).armF(14, 8).armB(-6, 6)});
  p.push_back({"getup1", Pose().rot(56).head(30).legF(36, 12).legB(30, 6).armB(-62, 0).armF(44, 30)});
  p.push_back({"getup2", Pose().lean(26).head(6).legF(76, 84).legB(0, 92).armF(64, 36).armB(12, 22)});
  p.push_back({"collapse", Pose().rot(18).lean(22).head(26).legF(62, 112).legB(42, 122).armF(-8, 12).armB(-12, 8)});
  // The genre's moves, after every older pose so that the older frames keep their numbers.
  // Grabbing: both hands reach for the collar, then hold on.
  p.push_back({"grab", guard().lean(12).armF(84, 20).armB(78, 24).legF(22, 10)});
  p.push_back({"hold", guard().lean(14).armF(72, 44).armB(66, 48).legF(20, 10).legB(-16, 6)});
  p.push_back({"knee_hold", guard().lean(20).armF(66, 52).armB(60, 56).legF(96, 140).legB(-4, 2).feet(0, -40).swoosh(Swoosh::FrontFoot)});
  // The throw: lift, then heave over the shoulder.
  p.push_back({"throw_w", guard().lean(-8).armF(104, 60).armB(98, 64).legF(26, 20).legB(-20, 14)});
  p.push_back({"throw_s", Pose().lean(-30).head(-12).armF(172, 20).armB(162, 26).legF(24, 10).legB(-26, 6).swoosh(Swoosh::FrontFist)});
  // Held: hunched, arms slack.
  p.push_back({"held", Pose().lean(-12).head(-16).armF(12, 20).armB(-6, 16).legF(8, 6).legB(-8, 4)});
  // Thrown: head over heels.
  p.push_back({"thrown", Pose().air().rot(150).head(-20).legF(40, 40).legB(20, 50).armF(160, 20).armB(140, 30)});
  // The special: a spin with both arms flung out.
  p.push_back({"special1", Pose().armF(100, 0).armB(-96, 0).legF(30, 10).legB(-30, 10).swoosh(Swoosh::FrontFist)});
  p.push_back({"special2", Pose().head(10).armF(-92, 0).armB(102, 0).legF(34, 12).legB(-34, 12).swoosh(Swoosh::BackFist)});
  // Picking something up from the street.
  p.push_back({"pickup", guard().lean(42).head(12).armF(22, 10).armB(30, 20).legF(46, 86).legB(-22, 76)});
  // With a pipe: on guard, walking, raised and swung.
  p.push_back({"pipe_stand", guard().armF(40, 80).carry(Carry::Pipe)});
  for (int k = 0; k < kWalkFrames; k += 2)
    p.push_back({"pipe_walk" + std::to_string(k / 2), walk(k).armF(34, 84).carry(Carry::Pipe)});
  p.push_back({"pipe_w", guard().lean(-6).armF(150, 40).carry(Carry::Pipe)});
  p.push_back({"pipe_s", guard().lean(18).shift(4, 0).armF(92, 6).legF(24, 8).legB(-22, 4).carry(Carry::Pipe).swoosh(Swoosh::FrontFist)});
  // With a knife: on guard, walking, drawn back and thrown.
  p.push_back({"knife_stand", guard().carry(Carry::Knife)});
  for (int k = 0; k < kWalkFrames; k += 2)
    p.push_back({"knife_walk" + std::to_string(k / 2), walk(k).carry(Carry::Knife)});
  p.push_back({"knife_w", guard().lean(-8).armF(146, 60).carry(Carry::Knife)});
  p.push_back({"knife_s", guard().lean(16).shift(4, 0).armF(88, 4).legF(24, 8).legB(-22, 4).swoosh(Swoosh::FrontFist)});
  return p;
}

}  // namespace

const std::vector<NamedPose>& fighterPoses() {
  static const std::vector<NamedPose> poses = buildPoses();
  return poses;
}

int fighterFrame(const std::string& poseName) {
  const std::vector<NamedPose>& poses = fighterPoses();
  for (size_t i = 0; i < poses.size(); ++i)
    if (poses[i].name == poseName) return static_cast<int>(i);
  throw std::runtime_error("no fighter pose " + poseName);
}
