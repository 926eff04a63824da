#include "shell/settings.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "audio/sound.h"
#include "base/whole_file.h"
#include "platform/net.h"
#include "platform/platform.h"
#include "shell/bindings.h"
#include "shell/input.h"
#include "shell/settings_text.h"
#include "sim/difficulty.h"

Settings settings;
std::string settingsPath;
std::string keptSettingsLines[kKeptSettingsLines];
int32_t keptSettingsLineCount = 0;

namespace {

constexpr const char* kSettingsFolder = "/brawler";
constexpr const char* kSettingsFile = "/settings.txt";
constexpr Settings kDefaultSettings{0, 0, screenWidth, screenHeight, kVolumeLevels, kVolumeLevels,
                                   kDifficultyNormal, kDefaultLives, {}};

// A folder that cannot be written is said once: the player changes settings many times a session.
int32_t saveFailureTold = 0;

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

WindowMode wantedWindowMode() {
  WindowMode mode;
  mode.fullscreen = settings.fullscreen;
  mode.resizable = 1;
  mode.wholeMultiples = settings.wholeMultiples;
  mode.width = settings.windowWidth;
  mode.height = settings.windowHeight;
  return mode;
}

}  // namespace

bool validLobbyAddress(const std::string& text) {
  if (text.empty() || text.size() >= static_cast<size_t>(kLobbyAddressChars)) return false;
  WebSocketUrl url;
  if (netIsWebSocketUrl(text)) return netParseWebSocketUrl(text, &url);
  const size_t colon = text.find(':');
  const std::string host = text.substr(0, colon);
  bool good = !host.empty();
  for (char c : host) good = good && (std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '-');
  if (!good || colon == std::string::npos) return good;
  const std::string port = text.substr(colon + 1);
  if (port.empty() || port.size() > 5) return false;
  for (char c : port)
    if (c < '0' || c > '9') return false;
  const long n = std::strtol(port.c_str(), nullptr, 10);
  return n >= 1 && n <= 65535;
}

std::string defaultSettingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::string(config) + kSettingsFolder + kSettingsFile;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config" + kSettingsFolder + kSettingsFile;
  return "";
}

void defaultSettings(int padsAttached) {
  settings = kDefaultSettings;
  for (int p = 0; p < kBoundPlayers; ++p) {
    playerControls[p] = defaultControls(p, padsAttached);
    if (playerControls[p].pad != kNoPad) playerControls[p].padName = platformJoystickName(playerControls[p].pad);
  }
}

void loadSettings() {
  defaultSettings(platformJoystickCount());
  keptSettingsLineCount = 0;
  if (settingsPath.empty()) return;
  std::string text;
  const PlayerFileRead read = readPlayerFile(settingsPath, &text, "the defaults are used for this session only");
  if (read == kPlayerFileRead) parseSettings(text, settingsPath);
  if (read == kPlayerFileUnreadable) settingsPath.clear();
}

void saveSettings() {
  if (settingsPath.empty()) return;
  std::string error;
  const bool saved =
      makeFolders(folderOf(settingsPath)) && writeFileAtomically(settingsPath, formatSettings(), &error);
  if (saved) platformPlayerFileWritten();
  if (saved || saveFailureTold == 1) return;
  if (error.empty()) error = "cannot make the folder " + folderOf(settingsPath);
  warnAboutFile(settingsPath, 0, error + "; the settings are kept until the game ends");
  saveFailureTold = 1;
}

void usePlayerSettings() {
  platformOpenAllJoysticks();
  loadSettings();
  applyVideoSettings();
  applySoundSettings();
  useBoundActions(true);
}

void applyVideoSettings() {
  std::string reason;
  if (!platformSetWindowMode(wantedWindowMode(), &reason))
    std::fprintf(stderr, "warning: the window cannot change its mode: %s\n", reason.c_str());
}

void applySoundSettings() {
  setMusicLevel(settings.musicVolume);
  setEffectsLevel(settings.effectsVolume);
}

void followWindowRequests() {
  const bool toggle = windowRequests.fullscreenToggles % 2 == 1;
  const bool resized = windowRequests.resizedWidth > 0 && windowRequests.resizedHeight > 0;
  if (toggle) settings.fullscreen = settings.fullscreen == 1 ? 0 : 1;
  if (resized && settings.fullscreen == 0) {
    // Kept within what the file accepts back, so a window dragged tiny is no warning next time.
    settings.windowWidth = std::clamp(windowRequests.resizedWidth, kSmallestWindow, kLargestWindow);
    settings.windowHeight = std::clamp(windowRequests.resizedHeight, kSmallestWindow, kLargestWindow);
  }
  const bool changed = toggle || resized;
  windowRequests = WindowRequests{};
  if (!changed) return;
  // The back end has already followed a dragged edge; only a switch needs the mode set again.
  if (toggle) applyVideoSettings();
  saveSettings();
}
