// The game's own image archive: opened (index only, pictures left in the file), ready for the
// title (opened, and the title's pictures decoded and made textures by drawing them once), and
// loaded whole with every picture decoded, for comparison.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "presentation/display.h"

namespace pres {
namespace {

const std::string kArchive = std::string(TOLVANE_GAME_DIR) + "/tolvgfx.dxg";
// What the title screen draws (game/flow/title_screen.cpp): tiles, logo, captions, credits.
constexpr int kTitlePictures[] = {197, 182, 183, 184, 185, 186, 187, 188, 228};

void OpenGameArchive(benchmark::State& state) {
  for (auto _ : state) {
    ImageArchive archive;
    archive.Open(kArchive);
    benchmark::DoNotOptimize(archive.Count());
  }
}
BENCHMARK(OpenGameArchive)->Unit(benchmark::kMillisecond);

void ReadyForTheTitle(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  for (auto _ : state) {
    ImageArchive archive;
    archive.Open(kArchive);
    auto display = CreateHeadlessDisplay(archive);
    display->SetPalette(archive.BuildColorTable());
    const ImageArchive& entries = archive;
    const auto font = static_cast<int>(&archive.Find("ImageListFont") - entries.Entries().data());
    display->DrawPattern(font, 0, 0, 0);
    for (int image : kTitlePictures) display->DrawPattern(image, 0, 0, 0);
    display->Flip();
  }
}
BENCHMARK(ReadyForTheTitle)->Unit(benchmark::kMillisecond);

void LoadWholeGameArchive(benchmark::State& state) {
  for (auto _ : state) {
    ImageArchive archive;
    archive.Load(kArchive);
    benchmark::DoNotOptimize(archive.Count());
  }
}
BENCHMARK(LoadWholeGameArchive)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pres

BENCHMARK_MAIN();
