// The ONLINE screens before a room: the menu (HOST, JOIN, WATCH, the lobby's address) and the
// room code, typed on the keyboard or chosen a letter at a time with up, down and attack. Taps
// press the keys that would choose there: these screens read the keyboard where letters type.
#include <cctype>

#include "arcade/arcade.h"
#include "arcade/arcade_online.h"
#include "net/lobby/lobby.h"
#include "platform/net.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "screens/menu_moves.h"
#include "screens/menu_taps.h"
#include "screens/screens.h"
#include "shell/input.h"
#include "shell/settings.h"
#include "shell/window.h"

OnlineMenuState onlineMenu;
std::string onlineLobby;
std::string onlineLobbyScheme;
std::string onlineLobbyFallback;

namespace {

constexpr int32_t kTitleY = 90;
constexpr int32_t kTitleScale = 2;
constexpr int32_t kFirstRowY = 240;
constexpr int32_t kRowStep = 56;
constexpr int32_t kLabelX = 260;
constexpr int32_t kValueX = 460;
constexpr int32_t kNoticeY = 600;
constexpr int32_t kHintY = 680;
constexpr double kHintDim = 0.5;
// The code's letters, large, each in a place of its own.
constexpr int32_t kCodeY = 300;
constexpr int32_t kCodeScale = 5;
constexpr int32_t kCodeLetterStep = 120;
constexpr int32_t kCursorY = 400;

const char* const kRowLabels[kOnlineRows] = {"HOST", "JOIN", "WATCH", "LOBBY", "BACK"};

std::string capitals(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

void drawHint(const std::string& hint) { drawFontTextCentred(hint, screenWidth / 2, kHintY, 1, kHintDim); }

// ---- the menu ----------------------------------------------------------------------------------

std::string lobbyValue() {
  if (onlineMenu.editing == 1) return capitals(onlineMenu.typed) + "_";
  return onlineLobby.empty() ? "NONE: CONFIRM TO TYPE ONE" : capitals(onlineLobby);
}

// A room needs a lobby: without one the cursor goes to the row that names it.
void takeRoom(int32_t role, int32_t screen) {
  if (onlineLobby.empty()) {
    onlineMenu.notice = "NAME A LOBBY FIRST";
    onlineMenu.row = kOnlineLobby;
    return;
  }
  onlineMenu.role = role;
  arcade.nextScreen = screen;
}

void confirmRow() {
  switch (onlineMenu.row) {
    case kOnlineHost: return takeRoom(kRoomAsHost, kArcadeRoom);
    case kOnlineJoin: return takeRoom(kRoomAsJoiner, kArcadeRoomCode);
    case kOnlineWatch: return takeRoom(kRoomAsWatcher, kArcadeRoomCode);
    case kOnlineLobby:
      onlineMenu.editing = 1;
      onlineMenu.typed = onlineLobby;
      onlineMenu.notice.clear();
      return;
    default: arcade.nextScreen = kArcadeTitle;
  }
}

// The address being typed: Return keeps it (in the settings file too), Escape leaves it as it was.
void editStep() {
  if (keyboardPressed(kKeyEscape)) {
    onlineMenu.editing = 0;
    return;
  }
  if (keyboardPressed(kKeyBackspace) && !onlineMenu.typed.empty()) onlineMenu.typed.pop_back();
  const char c = typedCharacter();
  if (c != 0 && onlineMenu.typed.size() + 1 < static_cast<size_t>(kLobbyAddressChars)) onlineMenu.typed += c;
  if (!keyboardPressed(kKeyReturn)) return;
  if (!onlineMenu.typed.empty() && !validLobbyAddress(onlineMenu.typed)) {
    onlineMenu.notice = "NOT AN ADDRESS: HOST OR HOST:PORT";
    return;
  }
  onlineLobby = onlineMenu.typed;
  std::snprintf(settings.lobby, sizeof settings.lobby, "%s", onlineLobby.c_str());
  saveSettings();
  onlineMenu.editing = 0;
  onlineMenu.notice.clear();
}

void menuStep() {
  if (onlineMenu.editing == 1) return editStep();
  if (menuBackPressed()) {
    arcade.nextScreen = kArcadeTitle;
    return;
  }
  if (menuDownPressed()) onlineMenu.row = (onlineMenu.row + 1) % kOnlineRows;
  if (menuUpPressed()) onlineMenu.row = (onlineMenu.row + kOnlineRows - 1) % kOnlineRows;
  if (menuConfirmPressed()) confirmRow();
}

void drawMenu() {
  drawScreenCover(0.0);
  drawFontTextCentred("ONLINE", screenWidth / 2, kTitleY, kTitleScale, 0.0);
  for (int32_t r = 0; r < kOnlineRows; ++r) {
    const double look = r == onlineMenu.row ? 0.0 : kUnchosenEntryTransparency;
    const int32_t y = kFirstRowY + kRowStep * r;
    drawFontText(kRowLabels[r], kLabelX, y, 1, look);
    if (r == kOnlineLobby) drawFontText(lobbyValue(), kValueX, y, 1, look);
  }
  if (!onlineMenu.notice.empty()) drawFontTextCentred(onlineMenu.notice, screenWidth / 2, kNoticeY, 1, 0.0);
  drawHint(onlineMenu.editing == 1 ? "TYPE HOST OR HOST:PORT, RETURN KEEPS IT, ESCAPE DOES NOT"
                                   : "HOST A ROOM AND READ ITS CODE TO A FRIEND, OR JOIN OR WATCH ONE");
}

// ---- the code ----------------------------------------------------------------------------------

int32_t alphabetPlace(char c) {
  for (int32_t i = 0; i < kRoomCodeAlphabetSize; ++i)
    if (kRoomCodeAlphabet[i] == c) return i;
  return -1;
}

// The letter in its slot, and on to the next; the fourth takes the code to the room.
void putLetter(char c) {
  onlineMenu.code[onlineMenu.slot] = c;
  ++onlineMenu.slot;
  onlineMenu.letter = 0;
  if (onlineMenu.slot == kRoomCodeLetters) arcade.nextScreen = kArcadeRoom;
}

void codeStep() {
  // Letters type here, so a player's action on a letter key does not move or confirm.
  if (menuBackPressed(true)) {
    arcade.nextScreen = kArcadeOnline;
    return;
  }
  if (keyboardPressed(kKeyBackspace) && onlineMenu.slot > 0) {
    --onlineMenu.slot;
    onlineMenu.letter = alphabetPlace(onlineMenu.code[onlineMenu.slot]);
    onlineMenu.code[onlineMenu.slot] = '\0';
    return;
  }
  const char typed = static_cast<char>(std::toupper(static_cast<unsigned char>(typedCharacter())));
  if (typed != 0 && alphabetPlace(typed) >= 0) return putLetter(typed);
  if (typed == 'I' || typed == 'O' || typed == '0' || typed == '1') onlineMenu.notice = "NO I, O, 0 OR 1 IN A CODE";
  if (menuUpPressed(true)) onlineMenu.letter = (onlineMenu.letter + kRoomCodeAlphabetSize - 1) % kRoomCodeAlphabetSize;
  if (menuDownPressed(true)) onlineMenu.letter = (onlineMenu.letter + 1) % kRoomCodeAlphabetSize;
  if (menuConfirmPressed(true)) putLetter(kRoomCodeAlphabet[onlineMenu.letter]);
}

LetterRow codeLetters() {
  const int32_t firstX = screenWidth / 2 - kCodeLetterStep * (kRoomCodeLetters - 1) / 2;
  return LetterRow{firstX, kCodeLetterStep, kCodeY, kCodeScale, onlineMenu.slot, kRoomCodeLetters};
}

void drawCode() {
  drawScreenCover(0.0);
  drawFontTextCentred(onlineMenu.role == kRoomAsWatcher ? "WATCH A ROOM" : "JOIN A ROOM", screenWidth / 2, kTitleY,
                      kTitleScale, 0.0);
  const LetterRow letters = codeLetters();
  for (int32_t i = 0; i < kRoomCodeLetters; ++i) {
    const int32_t x = letters.firstX + kCodeLetterStep * i;
    std::string letter = "-";
    double look = kUnchosenEntryTransparency;
    if (i < onlineMenu.slot) {
      letter = std::string(1, onlineMenu.code[i]);
      look = 0.0;
    } else if (i == onlineMenu.slot) {
      letter = std::string(1, kRoomCodeAlphabet[onlineMenu.letter]);
      look = 0.0;
      drawFontTextCentred("^", x, kCursorY, 2, 0.0);
    }
    drawFontTextCentred(letter, x, kCodeY, kCodeScale, look);
  }
  if (!onlineMenu.notice.empty()) drawFontTextCentred(onlineMenu.notice, screenWidth / 2, kNoticeY, 1, 0.0);
  drawHint("TYPE THE CODE, OR UP AND DOWN AND ATTACK; BACKSPACE, ESCAPE BACK");
}

// ---- taps ----------------------------------------------------------------------------------------

// A row chosen and confirmed, as Return would. An address being typed wants a keyboard, which a
// finger is not: a tap leaves it as it was, as Escape does.
void tapMenu(const PictureTap& tap) {
  if (onlineMenu.editing == 1) return pressKeyForTap(kKeyEscape);
  const int32_t row = fontRowAt(tap.y, kFirstRowY, kRowStep, kOnlineRows);
  if (row < 0) return;
  onlineMenu.row = row;
  pressKeyForTap(kKeyReturn);
}

void tapCode(const PictureTap& tap) {
  switch (letterTapAt(tap.x, tap.y, codeLetters())) {
    case kLetterTapUp: return pressKeyForTap(kKeyUp);
    case kLetterTapDown: return pressKeyForTap(kKeyDown);
    case kLetterTapNext: return pressKeyForTap(kKeyReturn);
    default: return;
  }
}

// --lobby's holds for the run; the settings' is the player's own choice; a page knows its host.
void takeOnlineLobby() {
  if (onlineLobby.empty()) onlineLobby = settings.lobby;
  if (onlineLobby.empty()) onlineLobby = onlineLobbyFallback;
}

}  // namespace

std::string onlineLobbyAddress(const std::string& named) {
  if (onlineLobbyScheme.empty() || named.empty() || netIsWebSocketUrl(named)) return named;
  // An IPv6 address in brackets has colons of its own; a port follows the closing bracket.
  const size_t bracket = named.rfind(']');
  const bool portNamed = named.find(':', bracket == std::string::npos ? 0 : bracket) != std::string::npos;
  return onlineLobbyScheme + named + (portNamed ? "" : ":" + std::to_string(kLobbyWebSocketPort));
}

void enterRoomByCode(int32_t role, const std::string& code) {
  onlineMenu = OnlineMenuState{};
  onlineMenu.role = role;
  for (size_t i = 0; i < code.size() && i < static_cast<size_t>(kRoomCodeLetters); ++i)
    onlineMenu.code[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(code[i])));
  takeOnlineLobby();
  enterArcadeScreen(kArcadeRoom);
}

std::string onlineMenuEntry() {
  const int32_t row = onlineMenu.row;
  onlineMenu = OnlineMenuState{};
  onlineMenu.row = row;  // back from a room, the cursor is where it was
  takeOnlineLobby();
  return "online";
}

bool onlineMenuFrame() {
  pollInput();
  menuStep();
  if (arcade.nextScreen != kArcadeNoScreen) return true;
  drawMenu();
  presentFrame();
  return true;
}

std::string roomCodeEntry() {
  onlineMenu.slot = 0;
  onlineMenu.letter = 0;
  onlineMenu.notice.clear();
  for (char& c : onlineMenu.code) c = '\0';
  return onlineMenu.role == kRoomAsWatcher ? "room code to watch" : "room code to join";
}

bool roomCodeFrame() {
  pollInput();
  codeStep();
  if (arcade.nextScreen != kArcadeNoScreen) return true;
  drawCode();
  presentFrame();
  return true;
}

void offerOnlineScreens() {
  offerArcadeScreen(kArcadeOnline, onlineMenuEntry, onlineMenuFrame);
  offerArcadeScreen(kArcadeRoomCode, roomCodeEntry, roomCodeFrame);
  offerArcadeScreen(kArcadeRoom, roomEntry, roomFrame);
  offerArcadeTap(kArcadeOnline, tapMenu);
  offerArcadeTap(kArcadeRoomCode, tapCode);
}
