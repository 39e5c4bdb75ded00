#pragma once
// Shared set-up for engine tests: a fresh engine, an in-memory image archive of solid
// pictures, and (for pixel tests) the headless display over it.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "game/engine/engine_reset.h"
#include "game/engine/screen_setup.h"
#include "presentation/services.h"

namespace tolvane::testing {

// A picture of patternW x patternH cells side by side, cell i filled with colours[i].
inline pres::ImageEntry StripEntry(int patternW, int patternH,
                                   const std::vector<uint32_t>& colours) {
  pres::ImageEntry e;
  e.picture.width = patternW * static_cast<int>(colours.size());
  e.picture.height = patternH;
  e.picture.bitsPerPixel = 24;
  e.picture.pixels.resize(static_cast<size_t>(e.picture.width) * patternH);
  for (int y = 0; y < patternH; ++y) {
    for (int x = 0; x < e.picture.width; ++x) {
      e.picture.pixels[static_cast<size_t>(y) * e.picture.width + x] = colours[x / patternW];
    }
  }
  if (colours.size() > 1) {
    e.patternWidth = patternW;
    e.patternHeight = patternH;
  }
  return e;
}

inline pres::ImageEntry SolidEntry(int w, int h, uint32_t rgb) {
  return StripEntry(w, h, {rgb});
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    pres::Services() = pres::ServiceSet{};
    pres::Services().archive = &archive_;
    pres::Services().clock = &clock_;
  }
  void TearDown() override {
    pres::Services() = pres::ServiceSet{};
    display_.reset();
    ResetEngineState();
  }

  // The headless display over the archive, installed as the engine's display.
  pres::Display& UseDisplay() {
    display_ = pres::CreateHeadlessDisplay(archive_);
    if (!display_->CanDraw()) display_->Initialize();
    pres::Services().display = display_.get();
    ClearColor = display_->ColorMatch(0);
    return *display_;
  }
  // One back-buffer pixel as 0x00RRGGBB.
  uint32_t Pixel(int x, int y) const {
    return display_->ReadBackBuffer()[static_cast<size_t>(y) * pres::kScreenWidth + x];
  }

  int32_t AddImage(pres::ImageEntry entry) {
    archive_.Entries().push_back(std::move(entry));
    archive_.Touch();
    return archive_.Count() - 1;
  }

  pres::ImageArchive archive_;
  pres::ManualClock clock_;
  std::unique_ptr<pres::Display> display_;
};

}  // namespace tolvane::testing
