// Two players who pick the same fighter must still tell themselves apart: player 2 wears the
// fighter's second colours, and for the first seconds of a stage each player has a mark over
// the head.
#include <filesystem>

#include "arcade/arcade.h"
#include "content/fighter_loader.h"
#include "content/pack_layout.h"
#include "content/texture.h"
#include "platform/host_path.h"
#include "render/font_text.h"
#include "sim/entity.h"

namespace {

constexpr int32_t kMarkTicks = 3 * 59;  // about three seconds
constexpr int32_t kMarkRise = 48;       // from the top of the body to the top of the mark
constexpr int32_t kPlayerTwo = 1;
const char* const kMarks[] = {"1P", "2P"};
constexpr int32_t kMarkCount = 2;

}  // namespace

void dressPlayersForStage() {
  arcade.markTicks = kMarkTicks;
  if (arcade.players < 2 || entities[0].name.str() != entities[kPlayerTwo].name.str()) return;
  // A pack without the second colours leaves both alike rather than stopping the game.
  const std::string sheet = secondColoursSheet(entities[kPlayerTwo].name);
  std::error_code unreadable;
  if (!std::filesystem::is_regular_file(hostPath(sheet), unreadable)) return;
  loadTextureRGBA(sheet, playerTextures[kPlayerTwo][0]);
}

void countDownPlayerMarks() {
  if (arcade.markTicks > 0) --arcade.markTicks;
}

void drawPlayerMarks() {
  if (arcade.markTicks <= 0) return;
  for (int p = 0; p < arcade.players && p < kMarkCount; ++p) {
    if (entities[p].alive != 1) continue;
    const SpriteSet& sprite = entitySprites[p];
    drawFontTextCentred(kMarks[p], static_cast<int32_t>(sprite.x), static_cast<int32_t>(sprite.y) - kMarkRise, 1,
                        0.0);
  }
}
