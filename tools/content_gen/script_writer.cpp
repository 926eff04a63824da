#include "script_writer.h"

#include <cmath>
#include <cstdio>

std::string number(double v) {
  if (std::fabs(v - std::round(v)) < 1e-9) return std::to_string(static_cast<long long>(std::llround(v)));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f", v);
  return buf;
}

void ScriptWriter::stat(const std::string& keyword, double value) { lines_.push_back(keyword + " " + number(value)); }

void ScriptWriter::begin(const std::string& animation) {
  if (!lines_.empty() && !lines_.back().empty()) lines_.push_back("");
  lines_.push_back("BEGIN " + animation);
}

void ScriptWriter::show(int frame, int ticks, const std::vector<std::string>& each) {
  lines_.push_back("FRAMESET " + std::to_string(frame));
  lines_.push_back("LOOPSTART " + std::to_string(ticks));
  for (const std::string& line : each) lines_.push_back(line);
  lines_.push_back("LOOPEND");
}

std::string attackLine(const std::string& keyword, int reach, int effect, int damage, int knockX, int knockY) {
  std::string line = keyword + " " + std::to_string(reach) + " " + std::to_string(effect) + " " + std::to_string(damage);
  if (keyword == "ATTACKKNOCKHIGH" || keyword == "ATTACKKNOCKLOW")
    line += " " + std::to_string(knockX) + " " + std::to_string(knockY);
  return line;
}
