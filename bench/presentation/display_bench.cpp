// One frame of the headless back buffer: clear, then 330 32 x 32 sprites in each draw
// mode, as the render pass draws a full actor pool; and reading an archive of 300 entries.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "presentation/display.h"

namespace pres {
namespace {

constexpr int kSprites = 330;

ImageArchive SpriteArchive(int entries, PictureStorage storage = PictureStorage::Dib8) {
  std::vector<ImageEntry> list(static_cast<size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    ImageEntry& e = list[size_t(i)];
    e.patternWidth = 32;
    e.patternHeight = 32;
    e.picture.width = 128;
    e.picture.height = 32;
    e.picture.bitsPerPixel = 8;
    for (int p = 0; p < 128 * 32; ++p)
      e.picture.pixels.push_back(p % 7 == 0 ? 0 : 0x102030u * uint32_t(p % 5 + i % 3));
  }
  ImageArchive a;
  a.LoadFromMemory(WriteArchive(list, storage));
  return a;
}

enum Mode { kPlain, kAdd, kAlpha, kStretch, kRotate, kMixed };

void Frame(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  ImageArchive archive = SpriteArchive(8);
  auto display = CreateHeadlessDisplay(archive);
  const auto mode = Mode(state.range(0));
  for (auto _ : state) {
    display->Fill(0);
    for (int i = 0; i < kSprites; ++i) {
      int x = (i * 37) % 460 - 10, y = (i * 53) % 300 - 10;
      Rect r{x, y, x + 32, y + 32};
      Mode m = mode == kMixed ? Mode(i % 5) : mode;
      switch (m) {
        case kPlain:
          display->DrawPattern(i % 8, x, y, i % 4);
          break;
        case kAdd:
          display->DrawPatternAdd(i % 8, r, i % 4, 160);
          break;
        case kAlpha:
          display->DrawPatternAlpha(i % 8, r, i % 4, 128);
          break;
        case kStretch:
          display->StretchPattern(i % 8, Rect{x, y, x + 48, y + 48}, i % 4);
          break;
        default:
          display->DrawPatternRotated(i % 8, x, y, 32, 32, i % 4, 0.5, 0.5, i);
          break;
      }
    }
    display->Flip();
  }
}
BENCHMARK(Frame)
    ->Arg(kPlain)
    ->Arg(kAdd)
    ->Arg(kAlpha)
    ->Arg(kStretch)
    ->Arg(kRotate)
    ->Arg(kMixed)
    ->Unit(benchmark::kMillisecond);

void LoadArchive(benchmark::State& state) {
  ImageArchive source = SpriteArchive(300);
  auto bytes = WriteArchive(source.Entries(), PictureStorage(state.range(0)));
  for (auto _ : state) {
    ImageArchive a;
    a.LoadFromMemory(bytes);
    benchmark::DoNotOptimize(a.Count());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(LoadArchive)
    ->Arg(int(PictureStorage::Dib8))
    ->Arg(int(PictureStorage::Dib24))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pres

BENCHMARK_MAIN();
