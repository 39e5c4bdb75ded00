// The menu font as the window makes it: the ImGui layer with the captions' characters, up to
// the first frame, which builds the atlas and hands it to the renderer; and a box whose text
// brings new characters, which builds it again.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "game/shell/form_main.h"
#include "game/shell/imgui_layer.h"
#include "game/shell/main_menu.h"

namespace tolvane {
namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 342;

class Offscreen {
 public:
  Offscreen()
      : surface_(SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_XRGB8888)),
        renderer_(SDL_CreateSoftwareRenderer(surface_)) {}
  ~Offscreen() {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
  }
  SDL_Renderer* Renderer() const { return renderer_; }

 private:
  SDL_Surface* surface_;
  SDL_Renderer* renderer_;
};

void Frame(ImGuiLayer& layer) {
  layer.BeginFrame(kWidth, kHeight);
  layer.EndFrame();
}

void MenuFontToFirstFrame(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  Offscreen screen;
  const std::string captions = AllCaptionText() + kQuitQuestion;
  for (auto _ : state) {
    ImGuiLayer layer(nullptr, screen.Renderer(), kJapaneseFontPath, captions);
    Frame(layer);
  }
}
BENCHMARK(MenuFontToFirstFrame)->Unit(benchmark::kMillisecond);

void BoxWithNewCharacters(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  Offscreen screen;
  for (auto _ : state) {
    state.PauseTiming();
    ImGuiLayer layer(nullptr, screen.Renderer(), kJapaneseFontPath, AllCaptionText());
    Frame(layer);
    state.ResumeTiming();
    layer.AddGlyphs("画像ファイル \"tolvgfx.dxg\" を読み込めません。");
    Frame(layer);
  }
}
BENCHMARK(BoxWithNewCharacters)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolvane

BENCHMARK_MAIN();
