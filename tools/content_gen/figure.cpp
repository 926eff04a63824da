#include "figure.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "shading.h"

namespace {

const double kPi = 3.14159265358979323846;
// Limbs on the far side of the body are drawn darker so the two sides read apart.
const double kFarSide = 0.78;

Point dirOf(double degrees) {
  double r = degrees * kPi / 180.0;
  return {std::sin(r), std::cos(r)};
}

struct Skeleton {
  Point hip, hipB, hipF, neck, shoulderB, shoulderF, headC, up, fwd, headUp, headFwd;
  Point elbowB, wristB, elbowF, wristF, kneeB, ankleB, kneeF, ankleF, toeB, toeF;
};

Skeleton solve(const Build& b, const Pose& p, Point hip, double s) {
  Skeleton k;
  double torsoAngle = 180 - p.lean_ + p.rot_;
  k.hip = hip;
  k.up = dirOf(torsoAngle);
  k.fwd = dirOf(torsoAngle - 90);
  k.hipB = hip - k.fwd * (2 * s);
  k.hipF = hip + k.fwd * (2 * s);
  k.neck = hip + k.up * (b.torso * s);
  Point shoulder = hip + k.up * ((b.torso - 7) * s);
  k.shoulderB = shoulder - k.fwd * (5 * s);
  k.shoulderF = shoulder + k.fwd * (3 * s);
  double headAngle = torsoAngle - p.head_;
  k.headUp = dirOf(headAngle);
  k.headFwd = dirOf(headAngle - 90);
  k.headC = k.neck + k.headUp * ((b.neck + b.headR) * s);
  k.elbowB = k.shoulderB + dirOf(p.armBs + p.rot_) * (b.upperArm * s);
  k.wristB = k.elbowB + dirOf(p.armBs + p.armBe + p.rot_) * (b.foreArm * s);
  k.elbowF = k.shoulderF + dirOf(p.armFs + p.rot_) * (b.upperArm * s);
  k.wristF = k.elbowF + dirOf(p.armFs + p.armFe + p.rot_) * (b.foreArm * s);
  k.kneeB = k.hipB + dirOf(p.legBh + p.rot_) * (b.thigh * s);
  k.ankleB = k.kneeB + dirOf(p.legBh - p.legBk + p.rot_) * (b.shin * s);
  k.kneeF = k.hipF + dirOf(p.legFh + p.rot_) * (b.thigh * s);
  k.ankleF = k.kneeF + dirOf(p.legFh - p.legFk + p.rot_) * (b.shin * s);
  k.toeB = k.ankleB + dirOf(90 + p.rot_ + p.footBt) * (b.footLen * s);
  k.toeF = k.ankleF + dirOf(90 + p.rot_ + p.footFt) * (b.footLen * s);
  return k;
}

void paintSwoosh(Canvas& canvas, Point from, Point to, double width) {
  Point d = to - from;
  double len = std::hypot(d.x, d.y);
  if (len < 1) return;
  Point u = d * (1.0 / len);
  for (int i = 0; i < 3; ++i) {
    Point side{-u.y * (i - 1) * width * 0.9, u.x * (i - 1) * width * 0.9};
    Point a = to - u * (34 - i * 4) + side, b = to - u * 6 + side;
    canvas.line(a, b, i == 1 ? width : width * 0.6, rgb(255, 255, 235, i == 1 ? 150 : 90));
  }
}

void paintArm(Canvas& c, const Look& look, Point shoulder, Point elbow, Point wrist, double s, double dim) {
  const Build& b = look.build;
  Ramp sleeve = dimmed(look.jacket_ && !look.vest ? look.jacket : look.shirt, dim);
  Ramp skin = dimmed(look.skin, dim);
  Ramp hand = dimmed(look.gloves ? look.hands : look.skin, dim);
  Ramp fore = look.longSleeves ? sleeve : skin;
  Point forearm = wrist - elbow;
  double len = std::hypot(forearm.x, forearm.y);
  Point u = len > 0 ? forearm * (1.0 / len) : Point{1, 0};
  Ramp upper = look.longSleeves || look.jacket_ ? sleeve : skin;
  shadedCapsule(c, shoulder, elbow, b.armR * 1.2 * s, b.armR * 0.95 * s, upper);
  shadedDisc(c, shoulder + (elbow - shoulder) * 0.2, b.armR * 1.3 * s, look.jacket_ || !look.longSleeves ? sleeve : upper);
  shadedCapsule(c, elbow, wrist, b.armR * 0.95 * s, b.armR * 0.8 * s, fore);
  if (!look.longSleeves && !look.jacket_)  // a short sleeve cuff over the top of the arm
    shadedCapsule(c, shoulder, shoulder + (elbow - shoulder) * 0.4, b.armR * 1.55 * s, b.armR * 1.25 * s, sleeve);
  if (look.gloves) shadedCapsule(c, wrist - u * (7 * s), wrist, b.armR * 0.95 * s, b.armR * 0.95 * s, hand);
  shadedDisc(c, wrist + u * (2.5 * s), b.fistR * s, hand);
}

void paintLeg(Canvas& c, const Look& look, Point hip, Point knee, Point ankle, Point toe, double s, double dim) {
  const Build& b = look.build;
  Ramp pants = dimmed(look.pants, dim);
  Ramp boots = dimmed(look.boots, dim);
  Point shin = ankle - knee;
  double len = std::hypot(shin.x, shin.y);
  Point u = len > 0 ? shin * (1.0 / len) : Point{0, 1};
  shadedCapsule(c, knee, ankle, b.legR * 0.92 * s, b.legR * 0.7 * s, pants);
  Point calfBack{u.y, -u.x};  // towards the back of the leg when it points down
  shadedCapsule(c, knee + u * (6 * s) + calfBack * (-1.5 * s), knee + u * (len * 0.55) + calfBack * (-1.5 * s), b.legR * 0.95 * s,
                b.legR * 0.75 * s, pants);
  shadedCapsule(c, ankle - u * (11 * s), ankle, b.legR * 0.8 * s, b.legR * 0.75 * s, boots);
  shadedCapsule(c, ankle, toe, 5.2 * s, 4.2 * s, boots);
  shadedCapsule(c, hip, knee, b.legR * 1.25 * s, b.legR * 0.9 * s, pants);
  if (look.kneePads) shadedDisc(c, knee, b.legR * 0.8 * s, dimmed(look.accent, dim));
}

void paintTorso(Canvas& c, const Look& look, const Skeleton& k, double s) {
  const Build& b = look.build;
  Point chest = k.neck - k.up * (4 * s);
  Point waist = k.hip + k.up * (6 * s);
  shadedGroup(c,
              {{waist, chest, b.hipR * s, b.chestR * s},
               {chest - k.up * (14 * s) + k.fwd * (4 * s), chest - k.up * (2 * s) + k.fwd * (3 * s), b.chestR * 0.7 * s,
                b.chestR * 0.8 * s}},
              look.shirt);
  if (look.jacket_) {
    // The jacket hangs open: it covers the back of the torso and leaves a strip of shirt in front.
    Point back = k.fwd * (-4.5 * s);
    shadedCapsule(c, waist + back, chest + back, b.hipR * 0.92 * s, b.chestR * 0.95 * s, look.jacket);
    shadedCapsule(c, chest + k.fwd * (3 * s), chest + k.fwd * (6 * s) - k.up * (10 * s), 3 * s, 2.5 * s, look.jacket);
  }
  shadedCapsule(c, k.hip + k.up * (5 * s), k.hip + k.up * (9 * s), b.hipR * 1.05 * s, b.hipR * 1.05 * s, look.belt);
  shadedDisc(c, k.hip + k.up * (7 * s) + k.fwd * (b.hipR * 0.7 * s), 2.6 * s, look.accent);
  shadedCapsule(c, k.hip - k.up * (3 * s), k.hip + k.up * (4.5 * s), b.hipR * s, b.hipR * s, look.pants);
}

void paintHair(Canvas& c, const Look& look, Point hc, Point up, Point fwd, double r, double s) {
  const Ramp& hair = look.hair;
  switch (look.hairStyle) {
    case Hair::Bald:
      return;
    case Hair::Cap: {
      Point top = hc + up * (0.2 * r);
      shadedDiscClipped(c, hc + up * (0.05 * r) - fwd * (0.05 * r), r * 1.08, look.accent, top, up * 1.0 + fwd * 0.15);
      shadedCapsule(c, top + fwd * (0.3 * r), top + fwd * (1.25 * r) - up * (0.05 * r), 2.6 * s, 2.2 * s, look.accent);
      return;
    }
    case Hair::Mohawk: {
      for (int i = 0; i < 5; ++i) {
        double a = -0.9 + i * 0.42;
        Point root = hc + up * (std::cos(a) * r * 0.8) + fwd * (std::sin(a) * r * 0.8);
        Point tip = hc + up * (std::cos(a) * r * 1.75) + fwd * (std::sin(a) * r * 1.6 - 0.3 * r);
        shadedCapsule(c, root, tip, 3.6 * s, 1.6 * s, hair);
      }
      return;
    }
    default:
      break;
  }
  // Short, spiky and long hair share a cap over the top and back of the head.
  shadedDiscClipped(c, hc - fwd * (0.12 * r) + up * (0.1 * r), r * 1.1, hair, hc + up * (0.15 * r),
                    up * 0.85 - fwd * 0.55);
  if (look.hairStyle == Hair::Spiky) {
    for (int i = 0; i < 4; ++i) {
      double a = -1.6 + i * 0.55;
      Point root = hc + up * (std::cos(a) * r * 0.7) + fwd * (std::sin(a) * r * 0.7);
      Point tip = hc + up * (std::cos(a) * r * 1.55 + 0.1 * r) + fwd * (std::sin(a) * r * 1.45 - 0.35 * r);
      shadedCapsule(c, root, tip, 4.2 * s, 1.2 * s, hair);
    }
  }
  if (look.hairStyle == Hair::Long)
    shadedCapsule(c, hc - fwd * (0.6 * r), hc - fwd * (0.75 * r) - up * (1.4 * r), 0.55 * r, 0.35 * r, hair);
}

void paintHead(Canvas& c, const Look& look, const Skeleton& k, double s) {
  const Build& b = look.build;
  double r = b.headR * s;
  Point hc = k.headC, up = k.headUp, fwd = k.headFwd;
  shadedCapsule(c, k.neck - k.up * (2 * s), hc - up * (0.4 * r), 5.5 * s, 5 * s, look.skin);
  if (look.hairStyle == Hair::Long || look.hairStyle == Hair::Short || look.hairStyle == Hair::Spiky)
    shadedDisc(c, hc - fwd * (0.3 * r) + up * (0.05 * r), r * 0.95, look.hair);  // hair behind the head
  Point nose = hc + fwd * (0.98 * r) - up * (0.05 * r);
  shadedGroup(c,
              {{hc, hc, r, r},
               {hc + fwd * (0.3 * r) - up * (0.35 * r), hc + fwd * (0.55 * r) - up * (0.62 * r), 0.42 * r, 0.3 * r},
               {nose, nose, 2.4 * s, 2.4 * s}},
              look.skin);
  c.fillCircle(hc.x - fwd.x * 0.15 * r, hc.y - fwd.y * 0.15 * r + 0.5 * s, 2.2 * s, look.skin.dark);  // ear
  if (look.beard)
    shadedDiscClipped(c, hc + fwd * (0.25 * r) - up * (0.3 * r), r * 0.72, look.hair, hc - up * (0.2 * r),
                      up * -1.0 + fwd * 0.2);
  Point eye = hc + fwd * (0.55 * r) + up * (0.12 * r);
  if (look.shades) {
    c.line(eye - fwd * (0.35 * r), eye + fwd * (0.42 * r), 4 * s, rgb(20, 20, 30));
    c.line(eye - fwd * (0.1 * r) + up * (0.5 * s), eye + fwd * (0.3 * r) + up * (0.5 * s), 1 * s, rgb(140, 170, 210));
  } else {
    c.line(eye, eye + up * (2.6 * s), 2.2 * s, rgb(25, 18, 20));
    c.line(eye + up * (5 * s) - fwd * (3 * s), eye + up * (4 * s) + fwd * (2.5 * s), 2.0 * s, look.hair.line);
  }
  Point mouth = hc + fwd * (0.62 * r) - up * (0.5 * r);
  c.line(mouth - fwd * (0.15 * r), mouth + fwd * (0.12 * r), 1.2 * s, look.skin.line);
  paintHair(c, look, hc, up, fwd, r, s);
  if (look.headband) {
    Point band = hc + up * (0.35 * r);
    shadedCapsule(c, band - fwd * (0.95 * r), band + fwd * (0.92 * r), 2.4 * s, 2.4 * s, look.accent);
    shadedCapsule(c, band - fwd * (0.95 * r), band - fwd * (1.9 * r) - up * (0.5 * r), 2.2 * s, 1.4 * s, look.accent);
    shadedCapsule(c, band - fwd * (0.95 * r), band - fwd * (1.7 * r) - up * (1.0 * r), 2.0 * s, 1.2 * s, look.accent);
  }
}

// A pipe sticks out of the fist both ways, mostly forward; a knife is a short blade ahead of it.
void paintCarried(Canvas& c, Carry carry, const Skeleton& k, double s) {
  if (carry == Carry::None) return;
  Point along = k.wristF - k.elbowF;
  const double length = std::sqrt(along.x * along.x + along.y * along.y);
  if (length <= 0) return;
  along = along * (1.0 / length);
  if (carry == Carry::Pipe) {
    shadedCapsule(c, k.wristF - along * (10 * s), k.wristF + along * (48 * s), 3.2 * s, 3.2 * s, rampOf(rgb(150, 156, 166)));
    return;
  }
  shadedCapsule(c, k.wristF, k.wristF + along * (8 * s), 2.4 * s, 2.4 * s, rampOf(rgb(70, 46, 30)));
  c.fillPolygon({k.wristF + along * (8 * s) + Point{-along.y, along.x} * (2.6 * s),
                 k.wristF + along * (24 * s),
                 k.wristF + along * (8 * s) - Point{-along.y, along.x} * (2.6 * s)},
                rgb(214, 220, 228));
}

void paintSkeleton(Canvas& c, const Look& look, const Pose& pose, const Skeleton& k, double s) {
  switch (pose.swoosh_) {
    case Swoosh::FrontFist: paintSwoosh(c, k.elbowF, k.wristF, 5 * s); break;
    case Swoosh::BackFist: paintSwoosh(c, k.elbowB, k.wristB, 5 * s); break;
    case Swoosh::FrontFoot: paintSwoosh(c, k.kneeF, k.toeF, 7 * s); break;
    case Swoosh::BackFoot: paintSwoosh(c, k.kneeB, k.toeB, 7 * s); break;
    case Swoosh::None: break;
  }
  paintArm(c, look, k.shoulderB, k.elbowB, k.wristB, s, kFarSide);
  paintLeg(c, look, k.hipB, k.kneeB, k.ankleB, k.toeB, s, kFarSide);
  paintTorso(c, look, k, s);
  paintLeg(c, look, k.hipF, k.kneeF, k.ankleF, k.toeF, s, 1.0);
  paintHead(c, look, k, s);
  paintCarried(c, pose.carry_, k, s);
  paintArm(c, look, k.shoulderF, k.elbowF, k.wristF, s, 1.0);
}

// Rows the painted figure reaches above and below its hip, measured by painting it: hair,
// boots and swooshes all count, so a grounded pose meets the ground exactly.
struct Reach {
  int above, below;
};

Reach reachOf(const Look& look, const Pose& pose, double s) {
  const int half = static_cast<int>(260 * s);
  Canvas scratch(2 * half, 2 * half);
  paintSkeleton(scratch, look, pose, solve(look.build, pose, {double(half), double(half)}, s), s);
  Reach r{0, 0};
  bool found = false;
  for (int y = 0; y < scratch.height(); ++y)
    for (int x = 0; x < scratch.width(); ++x)
      if (scratch.get(x, y).a) {
        if (!found) r.above = half - y;
        found = true;
        r.below = y + 1 - half;
        break;
      }
  return r;
}

Skeleton placed(const Look& look, const Pose& pose, double cx, double groundY, double s) {
  double hipY = groundY - reachOf(look, pose.grounded ? pose : Pose(), s).below;
  return solve(look.build, pose, {cx + pose.dx_ * s, hipY + pose.dy_ * s}, s);
}

}  // namespace

void paintFigure(Canvas& c, const Look& look, const Pose& pose, double cx, double groundY, double scale) {
  paintSkeleton(c, look, pose, placed(look, pose, cx, groundY, scale), scale);
}

double standingHeight(const Look& look) {
  Reach r = reachOf(look, Pose(), 1.0);
  return r.above + r.below;
}
