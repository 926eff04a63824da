// What a frame of sprites costs on the real GL path (software rendering under a virtual
// display): N 64x64 sprites from one sheet, then the buffer swap that ends every frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/null_platform.h"
#include "render/draw.h"

namespace {

bool openWindowOnce(std::string* reason) {
  static int state = 0;  // 0 untried, 1 open, 2 failed
  static std::string why;
  if (state == 0) {
    useNullPlatform(false);
    state = platformOpenWindow(&why) ? 1 : 2;
    if (state == 2) useNullPlatform(true);
  }
  *reason = why;
  return state == 1;
}

void BM_SpritesPerFrame(benchmark::State& state) {
  std::string reason;
  if (!openWindowOnce(&reason)) {
    state.SkipWithError(("no GL window: " + reason).c_str());
    return;
  }
  DecodedImage image;
  image.width = image.height = 256;
  image.bytesPerPixel = 4;
  image.pitch = 1024;
  image.pixels.assign(256 * 1024, 200);
  static Texture sheet;
  sheet = Texture{256, 256, gfxCreateTexture(image, true)};
  auto sprite = std::make_unique<SpriteSet>();
  sprite->frames.frame[0].texture = &sheet;
  sprite->frames.frame[0].x2 = sprite->frames.frame[0].y2 = 64;
  sprite->autoSize = 1;
  sprite->transparency = 0.2;
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < count; ++i) {
      sprite->x = (i * 37) % 960;
      sprite->y = (i * 53) % 700;
      sprite->flip = i & 1;
      drawSprite(*sprite);
    }
    platformSwapBuffers();
    platformClearBuffers();
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SpritesPerFrame)->Arg(100)->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
