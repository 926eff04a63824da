// Fighters are drawn from a skeleton: a pose gives joint angles, a look gives proportions,
// clothing and colours, and the painter turns the two into an outlined, shaded figure.
//
// Angles are degrees measured from straight down, positive towards the way the fighter faces
// (figures are drawn facing right). Arms and legs use absolute angles, so 90 is a limb held
// straight forward; elbow bends add to the arm angle, knee bends take from the leg angle.
#pragma once

#include "canvas.h"

enum class Hair { Short, Spiky, Mohawk, Bald, Cap, Long };

struct Build {
  double headR = 12.5, neck = 5, torso = 46, hipR = 16, chestR = 21.5;
  double upperArm = 27, foreArm = 25, armR = 6.8, fistR = 6.4;
  double thigh = 37, shin = 35, legR = 8.5, footLen = 12;
};

struct Look {
  Build build;
  Ramp skin, hair, shirt, jacket, pants, boots, hands, belt, accent;
  Hair hairStyle = Hair::Short;
  bool jacket_ = false;      // an open jacket or vest over the shirt
  bool vest = false;         // the jacket has no sleeves: arms show the shirt
  bool longSleeves = false;  // sleeves reach the wrists
  bool gloves = false;
  bool headband = false;
  bool beard = false;
  bool shades = false;
  bool kneePads = false;
};

enum class Swoosh { None, FrontFist, BackFist, FrontFoot, BackFoot };
// Something in the near hand, held along the forearm: a length of pipe or a knife.
enum class Carry { None, Pipe, Knife };

struct Pose {
  double lean_ = 0, head_ = 0, rot_ = 0, dx_ = 0, dy_ = 0;
  double armBs = 20, armBe = 60, armFs = 20, armFe = 60;
  double legBh = -6, legBk = 4, legFh = 6, legFk = 4;
  double footBt = 0, footFt = 0;
  bool grounded = true;
  Swoosh swoosh_ = Swoosh::None;
  Carry carry_ = Carry::None;

  Pose& lean(double d) { lean_ = d; return *this; }
  Pose& head(double d) { head_ = d; return *this; }
  Pose& rot(double d) { rot_ = d; return *this; }
  Pose& shift(double dx, double dy) { dx_ = dx; dy_ = dy; return *this; }
  Pose& air() { grounded = false; return *this; }
  Pose& armB(double s, double e) { armBs = s; armBe = e; return *this; }
  Pose& armF(double s, double e) { armFs = s; armFe = e; return *this; }
  Pose& legB(double h, double k) { legBh = h; legBk = k; return *this; }
  Pose& legF(double h, double k) { legFh = h; legFk = k; return *this; }
  Pose& feet(double back, double front) { footBt = back; footFt = front; return *this; }
  Pose& swoosh(Swoosh s) { swoosh_ = s; return *this; }
  Pose& carry(Carry c) { carry_ = c; return *this; }
};

// Paints the figure into the canvas with its body centre at column cx and the ground at row
// groundY. Grounded poses stand on the ground with their lowest point; airborne ones keep the
// hip where a standing figure has it. `scale` enlarges everything (portraits).
void paintFigure(Canvas& canvas, const Look& look, const Pose& pose, double cx, double groundY, double scale = 1.0);

// Height from the ground to the top of the hair in the plain standing pose, in pixels.
double standingHeight(const Look& look);
