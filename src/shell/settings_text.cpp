#include "shell/settings_text.h"

#include <cstdio>
#include <sstream>

#include "audio/sound.h"
#include "base/whole_file.h"
#include "platform/platform.h"
#include "shell/bindings.h"
#include "shell/settings.h"
#include "sim/difficulty.h"

namespace {

constexpr const char* kPlayerPrefixes[kBoundPlayers] = {"player1.", "player2."};
constexpr const char* kPadSetting = "pad";
constexpr const char* kNoPadName = "none";
constexpr char kCommentMark = '#';

// ---- one shape of value each: false with what is wrong, the setting untouched ----

bool readWholeNumber(const std::string& text, int32_t low, int32_t high, int32_t* out, std::string* wrong) {
  bool digits = !text.empty() && text.size() <= 5;
  for (char c : text) digits = digits && c >= '0' && c <= '9';
  const int32_t n = digits ? std::stoi(text) : -1;
  if (!digits || n < low || n > high) {
    *wrong = "\"" + text + "\" is not a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return false;
  }
  *out = n;
  return true;
}

// One of two words, for 0 and 1.
bool readWord(const std::string& text, const char* zero, const char* one, int32_t* out, std::string* wrong) {
  if (text != zero && text != one) {
    *wrong = "\"" + text + "\" is neither " + zero + " nor " + one;
    return false;
  }
  *out = text == one ? 1 : 0;
  return true;
}

bool readFullscreen(const std::string& v, std::string* wrong) {
  return readWord(v, "no", "yes", &settings.fullscreen, wrong);
}
bool readScaling(const std::string& v, std::string* wrong) {
  return readWord(v, "fit", "whole", &settings.wholeMultiples, wrong);
}
bool readMusic(const std::string& v, std::string* wrong) {
  return readWholeNumber(v, 0, kVolumeLevels, &settings.musicVolume, wrong);
}
bool readEffects(const std::string& v, std::string* wrong) {
  return readWholeNumber(v, 0, kVolumeLevels, &settings.effectsVolume, wrong);
}
bool readWindow(const std::string& v, std::string* wrong) {
  const size_t by = v.find('x');
  int32_t width = 0, height = 0;
  std::string ignored;
  if (by == std::string::npos || !readWholeNumber(v.substr(0, by), kSmallestWindow, kLargestWindow, &width, &ignored) ||
      !readWholeNumber(v.substr(by + 1), kSmallestWindow, kLargestWindow, &height, &ignored)) {
    *wrong = "\"" + v + "\" is not a size WIDTHxHEIGHT, each from " + std::to_string(kSmallestWindow) + " to " +
             std::to_string(kLargestWindow);
    return false;
  }
  settings.windowWidth = width;
  settings.windowHeight = height;
  return true;
}

bool readDifficulty(const std::string& v, std::string* wrong) {
  const int32_t d = difficultyNamed(v);
  if (d < 0) {
    *wrong = "\"" + v + "\" is none of easy, normal, hard";
    return false;
  }
  settings.difficulty = d;
  return true;
}
bool readLives(const std::string& v, std::string* wrong) {
  return readWholeNumber(v, kFewestLives, kMostLives, &settings.lives, wrong);
}

// "none" for no lobby, so that the line says the player has not named one yet.
constexpr const char* kNoLobby = "none";
bool readLobby(const std::string& v, std::string* wrong) {
  if (v == kNoLobby) {
    settings.lobby[0] = '\0';
    return true;
  }
  if (!validLobbyAddress(v)) {
    *wrong = "\"" + v + "\" is not an address HOST, HOST:PORT or ws://HOST:PORT";
    return false;
  }
  std::snprintf(settings.lobby, sizeof settings.lobby, "%s", v.c_str());
  return true;
}
std::string writeLobby() { return settings.lobby[0] == '\0' ? kNoLobby : settings.lobby; }

std::string writeFullscreen() { return settings.fullscreen == 1 ? "yes" : "no"; }
std::string writeScaling() { return settings.wholeMultiples == 1 ? "whole" : "fit"; }
std::string writeWindow() {
  return std::to_string(settings.windowWidth) + "x" + std::to_string(settings.windowHeight);
}
std::string writeMusic() { return std::to_string(settings.musicVolume); }
std::string writeEffects() { return std::to_string(settings.effectsVolume); }
std::string writeDifficulty() { return difficultyName(settings.difficulty); }
std::string writeLives() { return std::to_string(settings.lives); }

struct SettingLine {
  const char* name;
  bool (*read)(const std::string& value, std::string* wrong);
  std::string (*write)();
};
// Written in this order.
const SettingLine kSettingLines[] = {
    {"fullscreen", readFullscreen, writeFullscreen}, {"scaling", readScaling, writeScaling},
    {"window", readWindow, writeWindow},             {"music", readMusic, writeMusic},
    {"effects", readEffects, writeEffects},          {"difficulty", readDifficulty, writeDifficulty},
    {"lives", readLives, writeLives},                {"lobby", readLobby, writeLobby},
};

// ---- a player's pad and bindings ----

int otherPlayer(int player) { return player == 0 ? 1 : 0; }

// The attached pad of that name; one the other player has is taken only when no other is.
int padNamed(const std::string& name, int player) {
  int found = kNoPad;
  for (int i = platformJoystickCount() - 1; i >= 0; --i) {
    if (platformJoystickName(i) != name) continue;
    if (found == kNoPad || playerControls[otherPlayer(player)].pad != i) found = i;
  }
  return found;
}

bool readPad(int player, const std::string& value, std::string* wrong) {
  PlayerControls& c = playerControls[player];
  if (value == kNoPadName) {
    c.pad = kNoPad;
    c.padName.clear();
    return true;
  }
  const int pad = padNamed(value, player);
  if (pad == kNoPad) {
    *wrong = "no pad named \"" + value + "\" is attached";
    return false;
  }
  c.pad = pad;
  c.padName = value;
  return true;
}

bool readBinding(int player, int action, const std::string& value, std::string* wrong) {
  Binding b{};
  if (!parseBinding(value, &b)) {
    *wrong = "\"" + value + "\" names no key or pad control";
    return false;
  }
  playerControls[player].actions[action] = b;
  return true;
}

// A player's line ("player2.jump pad button 0"); false when the name is no player's setting.
bool readPlayerLine(const std::string& name, const std::string& value, bool* good, std::string* wrong) {
  for (int p = 0; p < kBoundPlayers; ++p) {
    const std::string prefix = kPlayerPrefixes[p];
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string what = name.substr(prefix.size());
    if (what == kPadSetting) {
      *good = readPad(p, value, wrong);
      return true;
    }
    for (int a = 0; a < kBoundActions; ++a)
      if (what == boundActionName(a)) {
        *good = readBinding(p, a, value, wrong);
        return true;
      }
  }
  return false;
}

bool readKnownLine(const std::string& name, const std::string& value, bool* good, std::string* wrong) {
  for (const SettingLine& s : kSettingLines)
    if (name == s.name) {
      *good = s.read(value, wrong);
      return true;
    }
  return readPlayerLine(name, value, good, wrong);
}

void keepLine(const std::string& line) {
  if (keptSettingsLineCount < kKeptSettingsLines) keptSettingsLines[keptSettingsLineCount++] = line;
}

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::string formatSettings() {
  std::string text;
  for (const SettingLine& s : kSettingLines) text += std::string(s.name) + " " + s.write() + "\n";
  for (int p = 0; p < kBoundPlayers; ++p) {
    const PlayerControls& c = playerControls[p];
    const std::string prefix = kPlayerPrefixes[p];
    text += prefix + kPadSetting + " " + (c.pad == kNoPad ? kNoPadName : c.padName) + "\n";
    for (int a = 0; a < kBoundActions; ++a) text += prefix + boundActionName(a) + " " + bindingText(c.actions[a]) + "\n";
  }
  for (int k = 0; k < keptSettingsLineCount; ++k) text += keptSettingsLines[k] + "\n";
  return text;
}

void parseSettings(const std::string& text, const std::string& file) {
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const std::string whole = trimmed(line);
    if (whole.empty()) continue;
    const size_t gap = whole.find_first_of(" \t");
    const std::string name = whole.substr(0, gap);
    const std::string value = gap == std::string::npos ? "" : trimmed(whole.substr(gap));
    bool good = true;
    std::string wrong;
    if (!readKnownLine(name, value, &good, &wrong)) {
      // Kept for whoever wrote it (a newer version's setting, a comment), but a misspelt
      // setting would otherwise do nothing without a word.
      if (whole[0] != kCommentMark) warnAboutFile(file, number, name + ": no such setting; the line is kept");
      keepLine(whole);
      continue;
    }
    if (!good)
      warnAboutFile(file, number, name + ": " + wrong + "; the default is used");
  }
}
