#pragma once
// The headless back buffer for a run that saves no picture: the game draws every frame as
// before, but nothing is painted, so a long autopilot run spends its time on the game and not
// on pixels no one sees. Everything else (colour matching, palette, readiness) is the real
// display's.
#include <memory>
#include <utility>
#include <vector>

#include "presentation/display.h"

namespace tolvane::headless {

class UndrawnDisplay final : public pres::Display {
 public:
  explicit UndrawnDisplay(std::unique_ptr<pres::Display> display) : display_(std::move(display)) {}

  bool CanDraw() const override { return display_->CanDraw(); }
  void Fill(uint32_t) override {}
  uint32_t ColorMatch(uint32_t rgb) const override { return display_->ColorMatch(rgb); }
  void Flip() override {}
  void Finalize() override { display_->Finalize(); }
  void Initialize() override { display_->Initialize(); }
  void SetFullScreenOption(bool on) override { display_->SetFullScreenOption(on); }
  bool FullScreenOption() const override { return display_->FullScreenOption(); }
  void SetPalette(const pres::ColorTable& table) override { display_->SetPalette(table); }
  void DrawPattern(int32_t, int32_t, int32_t, int32_t) override {}
  void StretchPattern(int32_t, const pres::Rect&, int32_t) override {}
  void DrawPatternAdd(int32_t, const pres::Rect&, int32_t, int32_t) override {}
  void DrawPatternAlpha(int32_t, const pres::Rect&, int32_t, int32_t) override {}
  void DrawPatternRotated(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, double, double,
                          int32_t) override {}
  std::vector<uint32_t> ReadBackBuffer() const override { return display_->ReadBackBuffer(); }
  SDL_Renderer* Renderer() const override { return display_->Renderer(); }

 private:
  std::unique_ptr<pres::Display> display_;
};

}  // namespace tolvane::headless
