// One game frame's engine work: the move pass and the render pass over a full pool of
// 330 varied actors (plain, stretched, additive flash, alpha-blended, table-animated)
// in the headless display. Read the "_median" line: time per frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "game/engine/actor_pool.h"
#include "game/engine/engine_reset.h"
#include "game/engine/frame_state.h"
#include "game/engine/motion.h"
#include "game/engine/random_streams.h"
#include "game/engine/render_pass.h"
#include "game/engine/screen_setup.h"
#include "presentation/services.h"

namespace tolvane {
namespace {

// A 32 x 32 picture of four patterns with a transparent (black) border, like a sprite.
pres::ImageEntry SpriteEntry(uint32_t rgb) {
  pres::ImageEntry e;
  e.picture.width = 64;
  e.picture.height = 64;
  e.picture.bitsPerPixel = 24;
  e.picture.pixels.assign(64 * 64, 0);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (x % 32 > 3 && x % 32 < 28 && y % 32 > 3 && y % 32 < 28) {
        e.picture.pixels[static_cast<size_t>(y) * 64 + x] = rgb + static_cast<uint32_t>(x + y);
      }
    }
  }
  e.patternWidth = 32;
  e.patternHeight = 32;
  return e;
}

constexpr AnimRow kAnimation[] = {{0, 3}, {1, 3}, {2, 3}, {kAnimEnd, 0}};

// Wanders toward a target picked from stream 4, like an enemy easing into place.
void Wander(TActor& a) {
  MoveBySpeedTable(a, a.Work[60], a.Work[61], kTextTableHigh, GlideTable);
  if (a.X == a.Work[60] && a.Y == a.Work[61]) {
    a.Work[60] = static_cast<int32_t>(RandomNext(4, 480));
    a.Work[61] = static_cast<int32_t>(RandomNext(4, 320));
  }
}

void FillPool() {
  ClearAllActors();
  RandomReset();
  for (int i = 0; i < kPoolSize; ++i) {
    TActor& a = NewActor(LayerBack);
    SetImage(a, i % 3);
    a.X = static_cast<int32_t>(RandomNext(4, 480));
    a.Y = static_cast<int32_t>(RandomNext(4, 320));
    a.Work[60] = a.X;
    a.Work[61] = a.Y;
    a.Move = Wander;
    a.PatternPeriod = 4;
    switch (i % 5) {
      case 0:  // plain
        break;
      case 1:  // stretched
        a.ScaleX = 150;
        a.ScaleY = 75;
        break;
      case 2:  // additive flash on every other frame
        a.Flash = 1;
        break;
      case 3:  // alpha
        a.Alpha = 128;
        break;
      default:  // table animation
        a.Image = kAnimatedImage;
        a.AnimTable = kAnimation;
        a.PatternPeriod = 0;
        break;
    }
  }
}

void BM_MoveAndDrawFullPool(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  ResetEngineState();
  pres::ImageArchive archive;
  for (uint32_t rgb : {0x802000u, 0x208020u, 0x202080u})
    archive.Entries().push_back(SpriteEntry(rgb));
  archive.Touch();
  std::unique_ptr<pres::Display> display = pres::CreateHeadlessDisplay(archive);
  if (!display->CanDraw()) display->Initialize();
  pres::Services().archive = &archive;
  pres::Services().display = display.get();
  ClearColor = display->ColorMatch(0);
  FillPool();
  DrawActors();  // textures prepared outside the timing

  for (auto _ : state) {
    ++FrameCount;
    MoveActors();
    DrawActors();
  }
  state.counters["actors"] = kPoolSize;
  pres::Services() = pres::ServiceSet{};
  ResetEngineState();
}
BENCHMARK(BM_MoveAndDrawFullPool)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tolvane

BENCHMARK_MAIN();
