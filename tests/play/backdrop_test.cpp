// The scrolling background: positions advance on drawn frames only, tiles and layers.
#include "game/play/backdrop.h"

#include <gtest/gtest.h>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/play/game_state.h"
#include "game/shell/frame_driver.h"
#include "tests/support/play_harness.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

constexpr int kLayerPatterns = 8;

// A layer picture whose 60-pixel patterns are told apart by colour.
pres::ImageEntry Layer(uint32_t base) {
  pres::ImageEntry e;
  e.picture.width = 60 * kLayerPatterns;
  e.picture.height = 320;
  e.picture.bitsPerPixel = 24;
  e.picture.pixels.resize(static_cast<size_t>(e.picture.width) * 320);
  for (int y = 0; y < 320; ++y) {
    for (int x = 0; x < e.picture.width; ++x)
      e.picture.pixels[static_cast<size_t>(y * e.picture.width + x)] =
          base + static_cast<uint32_t>(x / 60);
  }
  e.patternWidth = 60;
  e.patternHeight = 320;
  return e;
}

constexpr uint32_t kFront = 0x204000;
constexpr uint32_t kBack = 0x600080;

class BackdropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.Archive().Entry(32) = Layer(kFront);
    harness_.Archive().Entry(33) = Layer(kBack);
    harness_.Archive().Touch();
    harness_.BuildPlayScene(1);
    PlayHarness::LoadScript({});
    // Only the background: nothing else on screen.
    for (TActor& a : ActorPool) {
      if (&a == BackdropActor) continue;
      a.Move = nullptr;
      a.Draw = nullptr;
      a.Image = kNoImage;
    }
  }
  uint32_t Pixel(int x, int y) {
    return harness_.Display()
        .ReadBackBuffer()[static_cast<size_t>(y) * 480 + static_cast<size_t>(x)];
  }
  static int32_t Word(int index) { return BackdropActor->Work[static_cast<size_t>(index)]; }

  PlayHarness harness_;
};

TEST_F(BackdropTest, BothLayersScrollAtTheirSpeedsAndTheFrontIsDrawnOverTheBack) {
  EXPECT_EQ(Word(kFrontImageWord), pic::kStage1Front);
  EXPECT_EQ(Word(kBackImageWord), pic::kStage1Back);
  harness_.RunFrames(1);
  EXPECT_EQ(Word(kFrontPos), 12);
  EXPECT_EQ(Word(kBackPos), 8);
  EXPECT_EQ(Pixel(0, 10), kFront + 0);
  EXPECT_EQ(Pixel(47, 10), kFront + 0);
  EXPECT_EQ(Pixel(48, 10), kFront + 1) << "tile 1 starts 12 pixels early";
  harness_.RunFrames(39);
  EXPECT_EQ(Word(kFrontPos), 480 % 480);
  EXPECT_EQ(Word(kBackPos), 320);
  SetScrollSpeeds(10, 14);
  harness_.RunFrames(5);
  EXPECT_EQ(Word(kFrontPos), 70);
  EXPECT_EQ(Pixel(0, 10), kFront + 1);
  EXPECT_EQ(Pixel(469, 10), kFront + 0) << "the loop closes: pattern 8 is pattern 0";
}

TEST_F(BackdropTest, WithOneLayerTheBackRunsTwiceAsFastAndWithNoneNothingMoves) {
  BackgroundBothLayers = false;
  harness_.RunFrames(4);
  EXPECT_EQ(Word(kBackPos), 64);
  EXPECT_EQ(Word(kFrontPos), 48);
  EXPECT_EQ(Pixel(0, 10), kBack + 1);
  EXPECT_EQ(Pixel(55, 10), kBack + 1);
  EXPECT_EQ(Pixel(56, 10), kBack + 2);
  BackgroundShown = false;
  harness_.RunFrames(4);
  EXPECT_EQ(Word(kBackPos), 64);
  EXPECT_EQ(Word(kFrontPos), 48);
  EXPECT_EQ(Pixel(0, 10), 0u);
}

TEST_F(BackdropTest, FramesTheDriverSkipsDoNotScroll) {
  MaxSkip = 3;
  harness_.RunFrames(1);
  for (int i = 0; i < 3; ++i) harness_.RunFrameAfter(200);
  EXPECT_EQ(SkippedFrames, 3);
  EXPECT_EQ(Word(kFrontPos), 12);
  harness_.RunFrameAfter(200);  // the 4th late frame is drawn whatever its lateness
  EXPECT_EQ(Word(kFrontPos), 24);
}

TEST_F(BackdropTest, AStageOutsideOneToFiveGetsNoPictures) {
  StartBackdrop(*BackdropActor, 6);
  EXPECT_EQ(Word(kFrontImageWord), kNoImage);
  EXPECT_EQ(Word(kBackSpeed), 8);
  harness_.RunFrames(1);
  EXPECT_EQ(Pixel(0, 10), 0u);
  StartBackdrop(*BackdropActor, 5);
  EXPECT_EQ(Word(kFrontImageWord), pic::kStage5Front);
  EXPECT_EQ(Word(kBackImageWord), pic::kStage5Back);
}

}  // namespace
}  // namespace tolvane
