#include "number_ranges.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "base/numbers.h"
#include "content/text_file.h"
#include "findings.h"

namespace {

enum Storage {
  kHeld32,      // a 32-bit field, or a 32-bit sum drawn from it: held at the range's edge
  kPosition16,  // a stage position: keeps its low 16 bits
  kTickCount,   // a 32-bit count of ticks, which may also be absurdly long
  kCameraFactor // a 32-bit factor of the camera's position; the product is held to 32 bits
};

struct NumberField {
  const char* keyword;
  int field;
  const char* name;  // "" when the keyword alone names the number
  Storage storage;
};

// Fields whose numbers reach the game whole; names, frame and slot numbers and the counts other
// checks look at are left out.
const NumberField kNumberFields[] = {
    // scripts
    {"WIDTH", 2, "", kHeld32},
    {"HEIGHT", 2, "", kHeld32},
    {"SETHP", 2, "", kHeld32},
    {"JUMPHEIGHT", 2, "", kHeld32},
    {"JUMPATTACKSAMOUNT", 2, "", kHeld32},
    {"WEIGHT", 2, "", kHeld32},
    {"WALKSPEED", 2, "", kPosition16},
    {"LOOPSTART", 2, "", kTickCount},
    {"SCREENSHAKEY", 2, "", kHeld32},
    {"MOVEFORWARD", 2, "", kPosition16},
    {"SETXV", 2, "", kPosition16},
    {"SETYV", 2, "", kPosition16},
    {"ATTACKMID", 2, "reach", kHeld32},
    {"ATTACKMID", 4, "damage", kHeld32},
    {"ATTACKLOW", 2, "reach", kHeld32},
    {"ATTACKLOW", 4, "damage", kHeld32},
    {"ATTACKKNOCKHIGH", 2, "reach", kHeld32},
    {"ATTACKKNOCKHIGH", 4, "damage", kHeld32},
    {"ATTACKKNOCKHIGH", 5, "knock speed x", kHeld32},
    {"ATTACKKNOCKHIGH", 6, "knock speed y", kHeld32},
    {"ATTACKKNOCKLOW", 2, "reach", kHeld32},
    {"ATTACKKNOCKLOW", 4, "damage", kHeld32},
    {"ATTACKKNOCKLOW", 5, "knock speed x", kHeld32},
    {"ATTACKKNOCKLOW", 6, "knock speed y", kHeld32},
    {"ATTACKHELD", 2, "damage", kHeld32},
    {"ATTACKHELD", 4, "knock speed x", kHeld32},
    {"ATTACKHELD", 5, "knock speed y", kHeld32},
    {"THROWHELD", 2, "damage", kHeld32},
    {"THROWHELD", 3, "knock speed x", kPosition16},
    {"THROWHELD", 4, "knock speed y", kPosition16},
    {"ATTACKALLROUND", 2, "reach", kHeld32},
    {"ATTACKALLROUND", 4, "damage", kHeld32},
    {"ATTACKALLROUND", 5, "knock speed x", kHeld32},
    {"ATTACKALLROUND", 6, "knock speed y", kHeld32},
    {"INVINCIBLE", 2, "", kTickCount},
    {"ATTACKWEAPON", 2, "reach", kHeld32},
    {"ATTACKWEAPON", 4, "damage", kHeld32},
    {"ATTACKWEAPON", 5, "knock speed x", kHeld32},
    {"ATTACKWEAPON", 6, "knock speed y", kHeld32},
    {"THROWWEAPON", 2, "speed", kPosition16},
    {"THROWWEAPON", 3, "damage", kHeld32},
    // stage files
    {"VERTICALWALL", 2, "", kHeld32},
    {"STAGEEND", 2, "", kHeld32},
    {"OBJECT", 2, "x", kPosition16},
    {"OBJECT", 3, "y", kPosition16},
    {"OBJECTBACK", 2, "x", kPosition16},
    {"OBJECTBACK", 3, "y", kPosition16},
    {"OBJECTBACK", 4, "parallax", kHeld32},
    {"OBJECTFORE", 2, "x", kPosition16},
    {"OBJECTFORE", 3, "y", kPosition16},
    {"OBJECTFORE", 4, "parallax", kCameraFactor},
    {"OBJECTSTRING", 2, "x", kPosition16},
    {"OBJECTSTRING", 3, "y", kPosition16},
    {"PLACEENTITY", 2, "x", kPosition16},
    {"PLACEENTITY", 3, "y", kPosition16},
    {"CPLACEENTITY", 2, "x", kPosition16},
    {"CPLACEENTITY", 3, "y", kPosition16},
    {"CPLACEENTITY", 6, "spread", kHeld32},
    // offsets: the drawn corner is worked out whole
    {"OFFSET", 2, "dx", kHeld32},
    {"OFFSET", 3, "dy", kHeld32},
    // overworld maps
    {"NODE", 3, "x", kHeld32},
    {"NODE", 4, "y", kHeld32},
};

constexpr double kLowest32 = std::numeric_limits<int32_t>::min();
constexpr double kHighest32 = std::numeric_limits<int32_t>::max();
constexpr double kLowest16 = std::numeric_limits<int16_t>::min();
constexpr double kHighest16 = std::numeric_limits<int16_t>::max();
// No frame is meant to stand longer than this; a loop past it holds its fighter for good.
constexpr double kTicksPerSecond = 58.8;
constexpr double kLongestSensibleLoop = 10 * 60 * kTicksPerSecond;
// The furthest a camera can stand is the furthest a stage position reaches.
constexpr double kFurthestCamera = kHighest16;

std::string shown(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

std::string howLong(double ticks) {
  const double seconds = ticks / kTicksPerSecond;
  char text[80];
  if (seconds >= 365 * 86400.0)
    std::snprintf(text, sizeof text, "about %.1f years", seconds / (365 * 86400.0));
  else if (seconds >= 86400)
    std::snprintf(text, sizeof text, "about %.1f days", seconds / 86400);
  else
    std::snprintf(text, sizeof text, "about %.0f minutes", seconds / 60);
  return text;
}

// What the field finds wrong with `value`, or "" when it holds it as written.
std::string fault(const NumberField& f, double value) {
  const double whole = std::nearbyint(value);
  const std::string range32 = "outside " + shown(kLowest32) + " to " + shown(kHighest32);
  switch (f.storage) {
    case kPosition16:
      if (whole >= kLowest16 && whole <= kHighest16) return "";
      return "is outside " + shown(kLowest16) + " to " + shown(kHighest16) +
             ", which a 16-bit position or speed holds; it wraps to " + shown(roundToInt16(value));
    case kHeld32:
      if (whole >= kLowest32 && whole <= kHighest32) return "";
      return "is " + range32 + ", which the game holds it to; it uses " + shown(roundToInt(value));
    case kTickCount:
      if (whole > kHighest32)
        return "is " + range32 + ", which the game holds it to; it uses " +
               shown(roundToInt(value)) + ", " + howLong(kHighest32) + " of ticks";
      if (whole <= kLongestSensibleLoop) return "";
      return "holds its frame for " + shown(whole) + " ticks, " + howLong(whole) +
             "; the game counts every one";
    case kCameraFactor: {
      if (whole < kLowest32 || whole > kHighest32)
        return "is " + range32 + ", which the game holds it to; it uses " + shown(roundToInt(value));
      const double from = std::floor(kHighest32 / std::fabs(whole)) + 1;
      if (whole == 0 || from > kFurthestCamera) return "";
      return "moves the tile past " + shown(kHighest32) + " pixels once the camera is " +
             shown(from) + " pixels in; the game holds it there, out of sight";
    }
  }
  return "";
}

}  // namespace

bool writtenNumber(const std::string& text, double* value) {
  double read = toNumber(text);
  bool lostDigits = read == 0 && text.find_first_of("123456789ABCDEFabcdef") != std::string::npos;
  if (!std::isfinite(read) || lostDigits) return false;
  *value = read;
  return true;
}

void checkNumberRanges(const std::string& path, int line, const std::string& text) {
  const std::string keyword = getField(text, 1);
  for (const NumberField& f : kNumberFields) {
    if (keyword != f.keyword) continue;
    double value = 0;
    if (!writtenNumber(getField(text, f.field), &value)) continue;
    const std::string why = fault(f, value);
    if (why.empty()) continue;
    const std::string name = *f.name ? keyword + " " + f.name : keyword;
    reportWarning(path, line, name + " " + shown(value) + " " + why);
  }
}
