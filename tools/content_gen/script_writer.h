// Writes animation scripts: the statistics section, then named blocks of frames and commands.
// A frame held for n ticks is FRAMESET, LOOPSTART n, LOOPEND; commands placed inside the loop
// run on every one of those ticks, commands placed before it run once.
#pragma once

#include <string>
#include <vector>

class ScriptWriter {
 public:
  // Lines starting with "#" are remarks: no keyword matches them.
  void remark(const std::string& text) { lines_.push_back("# " + text); }
  void stat(const std::string& keyword, double value);
  // Ends the statistics section: the first line with an empty first field does that.
  void endStats() { lines_.push_back(""); }

  void begin(const std::string& animation);
  void command(const std::string& line) { lines_.push_back(line); }
  // Shows frame for ticks ticks; every line of `each` runs on every one of them.
  void show(int frame, int ticks, const std::vector<std::string>& each = {});
  void end() { lines_.push_back("END"); }
  void stop() { lines_.push_back("STOP"); }
  void stopFinish() { lines_.push_back("STOPFINISH"); }

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

std::string number(double v);
std::string attackLine(const std::string& keyword, int reach, int effect, int damage, int knockX = 0, int knockY = 0);
