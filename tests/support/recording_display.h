#pragma once
// A display that draws nothing and notes every call: which draw, with which rectangle, pattern
// and alpha, and how many frames were cleared and shown. Tests read the exact values a
// behaviour draws with, frame by frame, instead of guessing them from pixels.
#include <cstdint>
#include <vector>

#include "presentation/display.h"

namespace tolvane::testing {

enum class DrawKind { Plain, Stretch, Add, Alpha, Rotated };

struct DrawCall {
  DrawKind kind;
  int32_t image;
  pres::Rect rect;  // Plain: the top-left corner, right and bottom from the left and top
  int32_t pattern;
  int32_t alpha;  // 255 for Plain and Stretch
};

class RecordingDisplay final : public pres::Display {
 public:
  std::vector<DrawCall> calls;  // since the last Fill
  int fills = 0;
  int flips = 0;

  bool CanDraw() const override { return true; }
  void Fill(uint32_t) override {
    ++fills;
    calls.clear();
  }
  uint32_t ColorMatch(uint32_t rgb) const override { return rgb; }
  void Flip() override { ++flips; }
  void Finalize() override {}
  void Initialize() override {}
  void SetFullScreenOption(bool) override {}
  bool FullScreenOption() const override { return false; }
  void SetPalette(const pres::ColorTable&) override {}
  void DrawPattern(int32_t image, int32_t x, int32_t y, int32_t pattern) override {
    calls.push_back({DrawKind::Plain, image, {x, y, x, y}, pattern, 255});
  }
  void StretchPattern(int32_t image, const pres::Rect& dest, int32_t pattern) override {
    calls.push_back({DrawKind::Stretch, image, dest, pattern, 255});
  }
  void DrawPatternAdd(int32_t image, const pres::Rect& dest, int32_t pattern,
                      int32_t alpha) override {
    calls.push_back({DrawKind::Add, image, dest, pattern, alpha});
  }
  void DrawPatternAlpha(int32_t image, const pres::Rect& dest, int32_t pattern,
                        int32_t alpha) override {
    calls.push_back({DrawKind::Alpha, image, dest, pattern, alpha});
  }
  void DrawPatternRotated(int32_t image, int32_t x, int32_t y, int32_t w, int32_t h,
                          int32_t pattern, double, double, int32_t angle256) override {
    calls.push_back({DrawKind::Rotated, image, {x, y, x + w, y + h}, pattern, angle256});
  }
  std::vector<uint32_t> ReadBackBuffer() const override { return {}; }
  SDL_Renderer* Renderer() const override { return nullptr; }
};

}  // namespace tolvane::testing
