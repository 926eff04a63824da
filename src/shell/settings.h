// A player's own settings: the controls (bindings.h), the window, the volumes and the game, kept in a
// plain text file between runs. brawler never reads or writes them.
#pragma once
#include <cstdint>
#include <string>

#include "sim/difficulty.h"

constexpr int kLobbyAddressChars = 64;

// Written by the defaults, the settings file, the options screen and the window keys; read by
// applySettings and the file's writer.
struct Settings {
  int32_t fullscreen;      // 1: at the desktop's size
  int32_t wholeMultiples;  // 1: the picture grows by whole multiples only; 0: as large as fits
  int32_t windowWidth, windowHeight;  // when not fullscreen
  int32_t musicVolume, effectsVolume;  // 0..10
  int32_t difficulty;  // Difficulty (sim/difficulty.h): the arcade's opponents
  int32_t lives;       // a player's lives in the arcade, kFewestLives..kMostLives (the same)
  // The lobby the arcade's ONLINE screens meet others through, "HOST[:PORT]" or
  // "ws://HOST:PORT"; empty when the
  // player has named none. Kept as characters so that the record stays plain.
  char lobby[kLobbyAddressChars];
};
extern Settings settings;
// Whether `text` can be a lobby's address: a host name or IPv4 address (letters, digits, '.'
// and '-'), then maybe ':' and a port from 1 to 65535, or a WebSocket address ("ws://HOST:PORT",
// "wss://..."); shorter than kLobbyAddressChars either way.
bool validLobbyAddress(const std::string& text);
// The window's sides, in pixels, that the settings keep.
constexpr int32_t kSmallestWindow = 320;
constexpr int32_t kLargestWindow = 16384;


// The file the settings are kept in; "" keeps them for the session only.
extern std::string settingsPath;

// Lines of the file this game does not know, written back as they were (a newer version's
// settings, a player's notes).
constexpr int kKeptSettingsLines = 64;
extern std::string keptSettingsLines[kKeptSettingsLines];
extern int32_t keptSettingsLineCount;

// $XDG_CONFIG_HOME/brawler/settings.txt, or ~/.config/brawler/settings.txt; "" with neither.
std::string defaultSettingsPath();
// Every setting at its start value, both players' controls included, for the pads attached;
// the kept lines stay.
void defaultSettings(int padsAttached);
// Reads settingsPath forgivingly (missing: the defaults; a bad line: that setting's default
// and one warning line), finding each player's pad by its name among those attached.
void loadSettings();
// Writes every setting to settingsPath atomically; a folder that cannot be written gives one
// warning line per session, and the settings stay as they are for it.
void saveSettings();

// Where a player's own game starts: every pad opened, the settings read from settingsPath and
// applied, and the controls bound.
void usePlayerSettings();
// The window mode the settings ask for (the window can be resized in it).
void applyVideoSettings();
void applySoundSettings();
// After a frame: F11, Alt+Return and a dragged window edge (input.h) change the settings, which
// are applied and saved.
void followWindowRequests();
