#include "game/engine/render_pass.h"

#include <functional>
#include <string>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "tests/engine/engine_fixture.h"

namespace tolvane {
namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kDarkBlue = 0x000040;
constexpr uint32_t kFive = 0x00C000;  // colour of image 5
constexpr uint32_t kSix = 0x0000C0;   // colour of image 6

class RenderPassTest : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    red_ = AddImage(testing::SolidEntry(16, 16, kRed));                            // 0
    white_ = AddImage(testing::SolidEntry(16, 16, kWhite));                        // 1
    background_ = AddImage(testing::SolidEntry(64, 64, kDarkBlue));                // 2
    cycle_ = AddImage(testing::StripEntry(8, 8, {0x110000, 0x220000, 0x330000}));  // 3
    AddImage(testing::SolidEntry(4, 4, kWhite));                                   // 4
    AddImage(testing::SolidEntry(8, 8, kFive));                                    // 5
    AddImage(testing::SolidEntry(12, 12, kSix));                                   // 6
    UseDisplay();
  }

  TActor& Sprite(int32_t image, int32_t x, int32_t y, uint8_t layer = LayerBack) {
    TActor& a = NewActor(layer);
    SetImage(a, image);
    a.X = x;
    a.Y = y;
    return a;
  }

  int32_t red_ = 0, white_ = 0, background_ = 0, cycle_ = 0;
};

TEST_F(RenderPassTest, PlainSpriteIsCentredOnItsHotSpotAndHigherSlotsDrawOver) {
  Sprite(red_, 100, 50);
  TActor& top = Sprite(white_, 116, 50, LayerTop);  // overlaps the red one's right half
  top.CenterX = 0;
  DrawActors();
  EXPECT_EQ(Pixel(92, 42), kRed) << "top-left corner at X - CenterX, Y - CenterY";
  EXPECT_EQ(Pixel(107, 57), kRed);
  EXPECT_EQ(Pixel(91, 42), kBlack);
  EXPECT_EQ(Pixel(92, 41), kBlack);
  EXPECT_EQ(Pixel(108, 50), kBlack);
  EXPECT_EQ(Pixel(116, 50), kWhite);

  top.X = 100;
  DrawActors();
  EXPECT_EQ(Pixel(105, 50), kWhite) << "higher slot drawn over the lower one";
  EXPECT_EQ(Pixel(95, 50), kRed) << "buffer cleared, then redrawn";
}

TEST_F(RenderPassTest, ScaledSpriteIsStretchedAboutItsHotSpot) {
  TActor& a = Sprite(red_, 100, 100);
  a.ScaleY = 50;  // top at Y - CenterY / 2, 8 rows high
  DrawActors();
  EXPECT_EQ(Pixel(100, 96), kRed);
  EXPECT_EQ(Pixel(100, 103), kRed);
  EXPECT_EQ(Pixel(100, 95), kBlack);
  EXPECT_EQ(Pixel(100, 104), kBlack);
  EXPECT_EQ(Pixel(92, 100), kRed) << "width unchanged";

  a.ScaleY = 100;
  a.ScaleX = 250;  // left 100 - 8*250/100 = 80, 40 wide
  DrawActors();
  EXPECT_EQ(Pixel(80, 100), kRed);
  EXPECT_EQ(Pixel(119, 100), kRed);
  EXPECT_EQ(Pixel(79, 100), kBlack);
  EXPECT_EQ(Pixel(120, 100), kBlack);
}

TEST_F(RenderPassTest, TranslucentSpriteBlendsInItsOwnRectangle) {
  Sprite(white_, 100, 100);
  TActor& a = Sprite(red_, 100, 100);
  a.Alpha = 128;
  DrawActors();
  const uint32_t p = Pixel(100, 100);
  EXPECT_EQ(p >> 16, 0xFFu);
  EXPECT_NEAR(static_cast<int>(p >> 8 & 0xFF), 127, 3) << "half the white shows through";
  EXPECT_EQ(Pixel(92, 92), p) << "same rectangle as unblended";
  EXPECT_EQ(Pixel(91, 92), kBlack);

  a.ScaleX = 200;
  DrawActors();
  EXPECT_NEAR(static_cast<int>(Pixel(84, 100) >> 16), 128, 3) << "scaled, blended over black";
}

TEST_F(RenderPassTest, NoImageDrawsNothingAndKeepsBlinkPhase) {
  TActor& a = NewActor(LayerBack);
  a.Blink = 1;
  DrawActors();
  EXPECT_EQ(a.BlinkPhase, 1);
  EXPECT_EQ(Pixel(0, 0), kBlack);

  // An index the archive lacks is not "no image": it draws nothing but its phase moves on.
  TActor& missing = NewActor(LayerBack);
  missing.Image = 99;
  missing.Blink = 1;
  missing.PatternPeriod = 2;
  DrawActors();
  EXPECT_EQ(missing.BlinkPhase, 0);
  EXPECT_EQ(a.BlinkPhase, 1);
  EXPECT_EQ(Pixel(0, 0), kBlack);
}

TEST_F(RenderPassTest, BlinkAndFlashAlternateFromTheFirstDrawnFrame) {
  TActor& blinker = Sprite(red_, 40, 40);
  blinker.Blink = 1;
  Sprite(background_, 200, 100);
  TActor& adder = Sprite(red_, 200, 100);
  adder.Flash = 1;  // off frames: own picture added at full strength
  TActor& flasher = Sprite(red_, 300, 100);
  flasher.Flash = 1;
  flasher.FlashImage = white_;
  flasher.ScaleX = 200;  // the flash form is drawn unscaled at the rectangle's corner

  std::string seen;
  for (int frame = 0; frame < 4; ++frame) {
    DrawActors();
    seen += Pixel(40, 40) == kRed ? 'R' : '.';
    seen += Pixel(200, 100) == kRed ? 'R' : (Pixel(200, 100) == (kRed | kDarkBlue) ? '+' : '?');
    seen += Pixel(284, 100) == kRed ? 'R' : (Pixel(284, 100) == kWhite ? 'W' : '?');
    seen += Pixel(310, 100) == kRed ? 'R' : (Pixel(310, 100) == kBlack ? '.' : '?');
    seen += ' ';
  }
  EXPECT_EQ(seen, "RRRR .+W. RRRR .+W. ");
}

TEST_F(RenderPassTest, BlinkPhaseTogglesEvenWithoutBlink) {
  TActor& a = Sprite(red_, 40, 40);
  DrawActors();
  EXPECT_EQ(a.BlinkPhase, 0);
  a.Blink = 1;  // the first gap comes on this frame, not the next
  DrawActors();
  EXPECT_EQ(Pixel(40, 40), kBlack);
}

// Colour at the animated actor's hot spot on successive drawn frames: 5, 6 or '.'.
std::string AnimationRun(TActor& a, int frames, const std::function<uint32_t(int, int)>& pixel) {
  std::string seen;
  for (int i = 0; i < frames; ++i) {
    DrawActors();
    const uint32_t p = pixel(a.X, a.Y);
    seen += p == kFive ? '5' : (p == kSix ? '6' : '.');
  }
  return seen;
}

constexpr AnimRow kFiveSix[] = {{5, 2}, {6, 2}, {kAnimEnd, 0}};

TEST_F(RenderPassTest, AnimationTableModesFrameByFrame) {
  const auto pixel = [this](int x, int y) { return Pixel(x, y); };
  for (uint8_t mode : {AnimLoop, AnimFree, AnimPingPong}) {
    ClearAllActors();
    TActor& a = NewActor(LayerBack);
    a.X = a.Y = 50;
    a.Image = kAnimatedImage;
    a.AnimTable = kFiveSix;
    a.AnimMode = mode;
    const std::string seen = AnimationRun(a, 11, pixel);
    if (mode == AnimLoop) {
      EXPECT_EQ(seen, "56655665566");
    } else if (mode == AnimPingPong) {
      EXPECT_EQ(seen, "56666556666");
    } else {
      EXPECT_EQ(seen, "566........");
      EXPECT_EQ(a.Active, 0) << "freed on the fourth drawn frame";
    }
  }
}

TEST_F(RenderPassTest, AnimatedActorTakesEachImagesGeometry) {
  TActor& a = NewActor(LayerBack);
  a.X = a.Y = 50;
  a.Image = kAnimatedImage;
  a.AnimTable = kFiveSix;
  DrawActors();
  EXPECT_EQ(a.Width, 8);
  EXPECT_EQ(a.CenterX, 4);
  EXPECT_EQ(Pixel(46, 46), kFive);
  DrawActors();
  EXPECT_EQ(a.Width, 12);
  EXPECT_EQ(a.CenterY, 6);
  EXPECT_EQ(a.Image, kAnimatedImage);
  EXPECT_EQ(Pixel(44, 44), kSix);
}

TEST_F(RenderPassTest, OneRowPingPongTableStaysOnItsRow) {
  static constexpr AnimRow kOne[] = {{5, 1}, {kAnimEnd, 0}};
  TActor& a = NewActor(LayerBack);
  a.X = a.Y = 50;
  a.Image = kAnimatedImage;
  a.AnimTable = kOne;
  a.AnimMode = AnimPingPong;
  const auto pixel = [this](int x, int y) { return Pixel(x, y); };
  EXPECT_EQ(AnimationRun(a, 6, pixel), "555555");
  EXPECT_EQ(a.AnimIndex, 0);
}

TEST_F(RenderPassTest, PatternPeriodFollowsTheFrameCounter) {
  TActor& a = Sprite(cycle_, 50, 50);
  a.PatternPeriod = 4;
  std::string seen;
  for (FrameCount = 24; FrameCount < 24 + 13; ++FrameCount) {
    DrawActors();
    seen += static_cast<char>('0' + (Pixel(50, 50) >> 16) / 0x11 - 1);
  }
  EXPECT_EQ(seen, "0000111122220");
  EXPECT_EQ(a.Pattern, 0);
}

TEST_F(RenderPassTest, DrawProcReplacesEverythingDefault) {
  TActor& a = Sprite(red_, 50, 50);
  a.Blink = 1;
  a.Draw = [](TActor& self) {
    pres::Services().display->DrawPattern(1, self.X, self.Y, 0);  // white, top-left at X, Y
  };
  DrawActors();
  EXPECT_EQ(Pixel(50, 50), kWhite);
  EXPECT_EQ(Pixel(45, 45), kBlack) << "no default drawing";
  EXPECT_EQ(a.BlinkPhase, 1) << "no blink toggling";
}

TEST_F(RenderPassTest, NothingHappensWhileTheDisplayCannotDraw) {
  TActor& a = Sprite(red_, 50, 50);
  DrawActors();
  display_->Finalize();
  ASSERT_FALSE(display_->CanDraw());
  a.Image = kAnimatedImage;
  a.AnimTable = kFiveSix;
  DrawActors();
  EXPECT_EQ(a.BlinkPhase, 0);
  EXPECT_EQ(a.AnimCount, 0);
  pres::Services().display = nullptr;
  DrawActors();
  EXPECT_EQ(a.AnimCount, 0);
}

}  // namespace
}  // namespace tolvane
