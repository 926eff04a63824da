// The options screen: a page of rows at a time, each row a label and what it is set to.
#include "screens/options.h"

#include <algorithm>
#include <cctype>

#include "platform/platform.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "screens/menu_moves.h"
#include "screens/menu_taps.h"
#include "shell/bindings.h"
#include "shell/input.h"
#include "shell/pads.h"
#include "shell/settings.h"
#include "shell/window.h"
#include "sim/difficulty.h"
#include "audio/sound.h"

OptionsState options;

namespace {

constexpr int32_t kTitleY = 90;
constexpr int32_t kTitleScale = 2;
constexpr int32_t kFirstRowY = 220;
constexpr int32_t kRowStep = 50;
constexpr int32_t kLabelX = 160;
constexpr int32_t kValueX = 520;
constexpr int32_t kNoticeY = 680;
constexpr int32_t kNoticeTicks = 180;  // about three seconds
constexpr size_t kLongestValue = 20;   // characters of a pad's name that fit beside its label
constexpr int kLastKey = 322;

std::string capitals(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

void tell(const std::string& notice) {
  options.notice = notice;
  options.noticeTicks = kNoticeTicks;
}

bool upPressed() { return menuUpPressed(); }
bool downPressed() { return menuDownPressed(); }
bool leftPressed() { return menuLeftPressed(); }
bool rightPressed() { return menuRightPressed(); }
bool confirmPressed() { return menuConfirmPressed(); }
bool backPressed() { return menuBackPressed(); }

// ---- the rows' values and what moving or confirming them does ----

void openPage(int32_t page) {
  options.page = page;
  options.row = 0;
}
// The main page's row that opened each page.
int32_t rowOfPage(int32_t page) {
  switch (page) {
    case kOptionsControls: return options.player == 0 ? kRowFirstControls : kRowSecondControls;
    case kOptionsVideo: return kRowVideo;
    case kOptionsSound: return kRowSound;
    case kOptionsGame: return kRowGame;
  }
  return kRowFirstControls;
}
void backToMain() {
  const int32_t from = rowOfPage(options.page);
  openPage(kOptionsMain);
  options.row = from;
}
void openControls(int32_t player) {
  openPage(kOptionsControls);
  options.player = player;
}

std::string onOff(int32_t on, const char* no, const char* yes) { return on == 1 ? yes : no; }
std::string screenValue() { return onOff(settings.fullscreen, "WINDOW", "FULLSCREEN"); }
std::string scalingValue() { return onOff(settings.wholeMultiples, "FIT", "WHOLE MULTIPLES"); }
std::string musicValue() { return std::to_string(settings.musicVolume); }
std::string effectsValue() { return std::to_string(settings.effectsVolume); }

void flipScreen(int) {
  settings.fullscreen = settings.fullscreen == 1 ? 0 : 1;
  applyVideoSettings();
  saveSettings();
}
void flipScaling(int) {
  settings.wholeMultiples = settings.wholeMultiples == 1 ? 0 : 1;
  applyVideoSettings();
  saveSettings();
}
int32_t stepVolume(int32_t level, int step) {
  const int32_t next = level + step;
  return next < 0 ? 0 : next > kVolumeLevels ? kVolumeLevels : next;
}
void changeMusic(int step) {
  settings.musicVolume = stepVolume(settings.musicVolume, step);
  applySoundSettings();
  saveSettings();
}
void changeEffects(int step) {
  settings.effectsVolume = stepVolume(settings.effectsVolume, step);
  applySoundSettings();
  playSound(0);  // heard at once, at the new level
  saveSettings();
}

// The three difficulties go round; the lives stop at either end, as the volumes do.
std::string difficultyValue() { return capitals(difficultyName(settings.difficulty)); }
std::string livesValue() { return std::to_string(settings.lives); }
void changeDifficulty(int step) {
  settings.difficulty = ((settings.difficulty + step) % kDifficulties + kDifficulties) % kDifficulties;
  saveSettings();
}
void changeLives(int step) {
  settings.lives = std::clamp(settings.lives + step, kFewestLives, kMostLives);
  saveSettings();
}

void restoreDefaults() {
  defaultSettings(platformJoystickCount());
  applyVideoSettings();
  applySoundSettings();
  saveSettings();
  tell("EVERY SETTING IS BACK TO ITS DEFAULT");
}

// ---- a player's controls ----

PlayerControls& shownControls() { return playerControls[options.player]; }

std::string padValue() {
  const PlayerControls& c = shownControls();
  if (c.pad == kNoPad) return "NONE";
  return capitals(std::to_string(c.pad) + " " + c.padName).substr(0, kLongestValue);
}

// None, then each attached pad in turn.
void changePad(int step) {
  PlayerControls& c = shownControls();
  const int pads = platformJoystickCount();
  const int choices = pads + 1;
  const int next = ((c.pad + 1 + step) % choices + choices) % choices - 1;
  c.pad = next;
  c.padName = next == kNoPad ? "" : platformJoystickName(next);
  saveSettings();
}

// Who else has the input `b` on the shown player's pad: "PLAYER 2 JUMP", or "".
std::string otherUserOf(const Binding& b, int32_t action) {
  const PlayerControls& mine = shownControls();
  for (int q = 0; q < kBoundPlayers; ++q)
    for (int a = 0; a < kBoundActions; ++a) {
      if (q == options.player && a == action) continue;
      if (sameInput(b, mine.pad, playerControls[q].actions[a], playerControls[q].pad))
        return "PLAYER " + std::to_string(q + 1) + " " + capitals(boundActionName(a));
    }
  return "";
}

std::string actionValue(int32_t action) {
  const Binding& b = shownControls().actions[action];
  std::string text = capitals(bindingText(b));
  if (!otherUserOf(b, action).empty()) text += " (TWICE)";
  return text;
}

int32_t capturedAction() { return options.row - kControlsFirstActionRow; }
void startCapture(int) { options.capturing = 1; }

// The new binding replaces the old, and whoever had it before gets the old one in exchange.
void bindCaptured(const Binding& b, int32_t pad) {
  PlayerControls& mine = shownControls();
  const int32_t action = capturedAction();
  const Binding old = mine.actions[action];
  if (b.kind == kBindPad && pad != mine.pad) {
    mine.pad = pad;
    mine.padName = platformJoystickName(pad);
  }
  options.notice.clear();
  for (int q = 0; q < kBoundPlayers; ++q)
    for (int a = 0; a < kBoundActions; ++a) {
      if (q == options.player && a == action) continue;
      Binding& theirs = playerControls[q].actions[a];
      if (!sameInput(b, mine.pad, theirs, playerControls[q].pad)) continue;
      theirs = old;
      tell("SWAPPED WITH PLAYER " + std::to_string(q + 1) + " " + capitals(boundActionName(a)));
    }
  mine.actions[action] = b;
  options.capturing = 0;
  saveSettings();
}

// The first key or pad control that went down in this poll; Escape cancels.
void captureStep() {
  if (keyboardPressed(kKeyEscape)) {
    options.capturing = 0;
    return;
  }
  for (int key = 1; key <= kLastKey; ++key)
    if (keyboardPressed(key)) return bindCaptured(Binding{kBindKey, key}, shownControls().pad);
  // The stick-or-hat directions are the defaults' own: a capture takes the very control.
  for (int pad = 0; pad < kPads; ++pad)
    for (int control = 0; control < kPadStickFirst; ++control)
      if (padControlPressed(pad, control)) return bindCaptured(Binding{kBindPad, control}, pad);
}

// ---- the pages as tables of rows ----

struct OptionsRow {
  const char* label;
  std::string (*value)();   // what the row is set to; null for a row without a value
  void (*change)(int step); // left, right (and confirm, with step 1); null when nothing moves
  void (*confirm)();        // null: confirm moves the value on
};

void openFirstControls() { openControls(0); }
void openSecondControls() { openControls(1); }
void openVideo() { openPage(kOptionsVideo); }
void openSound() { openPage(kOptionsSound); }
void openGame() { openPage(kOptionsGame); }
void leaveOptions() { options.left = 1; }

const OptionsRow kMainRows[] = {
    {"PLAYER 1 CONTROLS", nullptr, nullptr, openFirstControls},
    {"PLAYER 2 CONTROLS", nullptr, nullptr, openSecondControls},
    {"VIDEO", nullptr, nullptr, openVideo},
    {"SOUND", nullptr, nullptr, openSound},
    {"GAME", nullptr, nullptr, openGame},
    {"DEFAULTS", nullptr, nullptr, restoreDefaults},
    {"BACK", nullptr, nullptr, leaveOptions},
};
const OptionsRow kVideoRows[] = {
    {"SCREEN", screenValue, flipScreen, nullptr},
    {"SCALING", scalingValue, flipScaling, nullptr},
    {"BACK", nullptr, nullptr, backToMain},
};
const OptionsRow kSoundRows[] = {
    {"MUSIC", musicValue, changeMusic, nullptr},
    {"EFFECTS", effectsValue, changeEffects, nullptr},
    {"BACK", nullptr, nullptr, backToMain},
};
// In the order of OptionsGameRow.
const OptionsRow kGameRows[] = {
    {"DIFFICULTY", difficultyValue, changeDifficulty, nullptr},
    {"LIVES", livesValue, changeLives, nullptr},
    {"BACK", nullptr, nullptr, backToMain},
};
// In the order of BoundAction after the pad.
const OptionsRow kControlsRows[] = {
    {"PAD", padValue, changePad, nullptr},
    {"UP", [] { return actionValue(kBoundUp); }, nullptr, [] { startCapture(0); }},
    {"DOWN", [] { return actionValue(kBoundDown); }, nullptr, [] { startCapture(0); }},
    {"LEFT", [] { return actionValue(kBoundLeft); }, nullptr, [] { startCapture(0); }},
    {"RIGHT", [] { return actionValue(kBoundRight); }, nullptr, [] { startCapture(0); }},
    {"ATTACK", [] { return actionValue(kBoundAttack); }, nullptr, [] { startCapture(0); }},
    {"JUMP", [] { return actionValue(kBoundJump); }, nullptr, [] { startCapture(0); }},
    {"PAUSE", [] { return actionValue(kBoundPause); }, nullptr, [] { startCapture(0); }},
    {"BACK", nullptr, nullptr, backToMain},
};

struct OptionsPageRows {
  int32_t page;
  const OptionsRow* rows;
  int32_t count;
};
template <size_t N>
constexpr OptionsPageRows pageOf(int32_t page, const OptionsRow (&rows)[N]) {
  return {page, rows, static_cast<int32_t>(N)};
}
const OptionsPageRows kPages[] = {
    pageOf(kOptionsMain, kMainRows), pageOf(kOptionsControls, kControlsRows),
    pageOf(kOptionsVideo, kVideoRows), pageOf(kOptionsSound, kSoundRows), pageOf(kOptionsGame, kGameRows),
};

const OptionsPageRows& currentPage() {
  for (const OptionsPageRows& p : kPages)
    if (p.page == options.page) return p;
  return kPages[0];
}

std::string pageTitle() {
  if (options.page == kOptionsControls) return "PLAYER " + std::to_string(options.player + 1) + " CONTROLS";
  if (options.page == kOptionsVideo) return "VIDEO";
  if (options.page == kOptionsSound) return "SOUND";
  if (options.page == kOptionsGame) return "GAME";
  return "OPTIONS";
}

void menuStep() {
  const OptionsPageRows& page = currentPage();
  if (backPressed()) {
    if (options.page == kOptionsMain)
      leaveOptions();
    else
      backToMain();
    return;
  }
  if (downPressed()) options.row = (options.row + 1) % page.count;
  if (upPressed()) options.row = (options.row + page.count - 1) % page.count;
  const OptionsRow& row = page.rows[options.row];
  if (row.change && leftPressed()) row.change(-1);
  if (row.change && rightPressed()) row.change(1);
  if (!confirmPressed()) return;
  if (row.confirm)
    row.confirm();
  else if (row.change)
    row.change(1);
}

void drawPage() {
  drawScreenCover(0.0);  // the rows read best on plain black
  drawFontTextCentred(pageTitle(), screenWidth / 2, kTitleY, kTitleScale, 0.0);
  const OptionsPageRows& page = currentPage();
  for (int32_t r = 0; r < page.count; ++r) {
    const OptionsRow& row = page.rows[r];
    const double look = r == options.row ? 0.0 : kUnchosenEntryTransparency;
    const int32_t y = kFirstRowY + kRowStep * r;
    drawFontText(row.label, kLabelX, y, 1, look);
    if (row.value) drawFontText(row.value(), kValueX, y, 1, look);
  }
  if (options.capturing == 1)
    drawFontTextCentred("PRESS A KEY OR PAD CONTROL, ESCAPE OR A TAP CANCELS", screenWidth / 2, kNoticeY, 1, 0.0);
  else if (options.noticeTicks > 0)
    drawFontTextCentred(options.notice, screenWidth / 2, kNoticeY, 1, 0.0);
  else if (options.page == kOptionsGame)  // a run under way keeps the choices it began with
    drawFontTextCentred("FOR THE NEXT NEW GAME", screenWidth / 2, kNoticeY, 1, kUnchosenEntryTransparency);
}

}  // namespace

int32_t optionsRowCount(int32_t page) {
  for (const OptionsPageRows& p : kPages)
    if (p.page == page) return p.count;
  return 0;
}

int32_t optionsRowAt(int32_t, int32_t y) { return fontRowAt(y, kFirstRowY, kRowStep, currentPage().count); }

void enterOptions() { options = OptionsState{}; }

bool optionsFrame() {
  pollInput();
  if (options.noticeTicks > 0) --options.noticeTicks;
  if (options.capturing == 1)
    captureStep();
  else
    menuStep();
  if (options.left == 1) return false;
  drawPage();
  presentFrame();
  return true;
}
