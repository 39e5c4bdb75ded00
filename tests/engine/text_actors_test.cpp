#include "game/engine/text_actors.h"

#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/motion.h"
#include "game/engine/render_pass.h"
#include "game/engine/screen_setup.h"
#include "game/engine/text_slots.h"
#include "game/engine/work_slots.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/recording_display.h"

namespace tolvane {
namespace {

constexpr uint32_t kInk = 0xFFFFFF;
constexpr int kInkWidth = 8;  // ink in the left 8 of 16 pixels of each cell, full height

// A 16 x 6 font of 16 x 16 cells whose glyphs are white bars; the space is empty.
pres::ImageEntry FontEntry() {
  pres::ImageEntry e;
  e.name = kFontEntryName;
  e.picture.width = 16 * 16;
  e.picture.height = 6 * 16;
  e.picture.bitsPerPixel = 24;
  e.picture.pixels.assign(static_cast<size_t>(e.picture.width) * e.picture.height, 0);
  for (int code = 33; code < 128; ++code) {
    const int cx = (code - 32) % 16 * 16;
    const int cy = (code - 32) / 16 * 16;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < kInkWidth; ++x) {
        e.picture.pixels[static_cast<size_t>(cy + y) * e.picture.width + cx + x] = kInk;
      }
    }
  }
  return e;
}

class TextActorsTest : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    picture_ = AddImage(testing::SolidEntry(40, 20, 0xFF0000));
    AddImage(FontEntry());
    UseDisplay();
    InitFontCells();
  }

  // Draws one frame, as the frame driver does after the move pass.
  void Frame() {
    ++FrameCount;
    DrawActors();
  }
  bool AnyInk(int left, int top, int right, int bottom) {
    const auto buffer = display_->ReadBackBuffer();
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (buffer[static_cast<size_t>(y) * pres::kScreenWidth + x] != 0) return true;
      }
    }
    return false;
  }
  bool AnyInkOnScreen() { return AnyInk(0, 0, pres::kScreenWidth, pres::kScreenHeight); }

  int32_t picture_ = 0;
};

TEST_F(TextActorsTest, FontCellsComeFromTheNamedEntry) {
  EXPECT_EQ(GlyphWidth, 16);
  EXPECT_EQ(GlyphHeight, 16);
  EXPECT_EQ(FontImage, 1);
  EXPECT_EQ(archive_.Entry(1).patternWidth, 16);
}

TEST_F(TextActorsTest, CentredTextStaysForEverWithHoldZero) {
  char* buffer = TextAt(-1, 100, "ABC", 0, 0);
  TActor& a = ActorPool[300];
  EXPECT_EQ(a.X, 223) << "(480 - 3 * 11) / 2";
  EXPECT_EQ(std::string(buffer), "ABC");
  EXPECT_EQ(a.Kind, KindNeutral);
  EXPECT_EQ(a.Image, kNoImage);
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_EQ(a.Active, 1);
  EXPECT_EQ(a.Draw, &TextShow);
  EXPECT_EQ(Pixel(223, 100), kInk) << "A at the pen's start";
  EXPECT_EQ(Pixel(223 + 11, 115), kInk) << "B one advance on";
  EXPECT_EQ(Pixel(223 + kInkWidth, 100), 0u);
  std::snprintf(buffer, kTextSlotSize, "%s", " BC");  // rewritten in place
  Frame();
  EXPECT_EQ(Pixel(223, 100), 0u);
}

TEST_F(TextActorsTest, DelayWaitsThenZoomsInShowsForHoldAndStretchesOut) {
  TextAt(100, 100, "A", 1, 3);
  TActor& a = ActorPool[300];
  for (int i = 0; i < 4; ++i) {
    Frame();
    EXPECT_FALSE(AnyInkOnScreen()) << "frame " << i + 1;
  }
  EXPECT_EQ(a.Draw, &ZoomTextIn) << "three waiting frames and one switching";
  Frame();
  EXPECT_FALSE(AnyInkOnScreen()) << "the zoom starts at alpha 0";
  Frame();
  // Step 90: the cell is 41 wide about its centre, from x 88; the ink is its left half.
  EXPECT_TRUE(AnyInk(88, 100, 92, 116)) << "zoomed wider than the glyph";
  EXPECT_FALSE(AnyInk(0, 0, 88, 320));
  EXPECT_NE(Pixel(104, 108), kInk) << "not yet opaque";

  // 11 zoom frames in all, then exactly one plain frame (Hold 1), then 10 out.
  std::string kinds;
  for (int i = 0; i < 20 && a.Active != 0; ++i) {
    Frame();
    kinds += Pixel(104, 108) == kInk ? 'P' : (AnyInkOnScreen() ? 'z' : '.');
  }
  EXPECT_EQ(kinds, "zzzzzzzzzPzzzzzzzzzz");
  EXPECT_EQ(a.Active, 0);
  EXPECT_EQ(TextSlotUsed[0], 0) << "its slot is free again";
}

TEST_F(TextActorsTest, StretchOutGrowsAboutTheMiddleLineAndFades) {
  TextAt(0, 100, "A", 1, 0);
  TActor& a = ActorPool[300];
  while (a.Draw != &ZoomTextOut) Frame();
  Frame();  // N = 0: natural height, alpha 198
  EXPECT_TRUE(AnyInk(0, 100, 16, 116));
  EXPECT_FALSE(AnyInk(0, 90, 16, 100));
  for (int i = 0; i < 5; ++i) Frame();  // N = 5: 16 * (250 + 256) / 256 = 31 rows
  EXPECT_TRUE(AnyInk(0, 93, 16, 94)) << "grown above the text";
  EXPECT_TRUE(AnyInk(0, 122, 16, 123)) << "and below it";
}

// The drawing rectangles and alphas of each effect, frame by frame, as its formula gives them
// (16 x 16 glyph cells, pen advance 11, the 40 x 20 picture).
TEST_F(TextActorsTest, EffectsDrawTheScaleAlphaAndPlaceTheirFormulasGive) {
  testing::RecordingDisplay rec;
  pres::Services().display = &rec;
  using Calls = std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t>>;
  auto drawn = [&rec] {
    Calls out;
    for (const auto& c : rec.calls) {
      out.emplace_back(c.rect.left, c.rect.top, c.rect.right, c.rect.bottom, c.alpha);
    }
    return out;
  };

  // Zoom in: S = step^2 / 20 + 256, width S * 16 / 256 about the glyph's centre (pen + 8),
  // alpha 0, 20, 40 as the step falls 100, 90, 80.
  TextAt(100, 100, "AB", 1, 0);
  TActor& zoom = ActorPool[300];
  Frame();  // the switch
  Frame();  // S 756: width 47, left 108 - 23
  EXPECT_EQ(drawn(), (Calls{{85, 100, 132, 116, 0}, {96, 100, 143, 116, 0}}));
  Frame();  // S 661: width 41, left 108 - 20
  EXPECT_EQ(drawn(), (Calls{{88, 100, 129, 116, 20}, {99, 100, 140, 116, 20}}));
  Frame();  // S 576: width 36, left 108 - 18
  EXPECT_EQ(drawn(), (Calls{{90, 100, 126, 116, 40}, {101, 100, 137, 116, 40}}));
  while (zoom.Draw != &ZoomTextOut) Frame();
  // Stretch out: T = 16 (10 N^2 + 256), top 108 - T / 512, height T / 256, alpha 2 x step.
  const Calls out[] = {{{100, 100, 116, 116, 198}, {111, 100, 127, 116, 198}},
                       {{100, 100, 116, 116, 178}, {111, 100, 127, 116, 178}},
                       {{100, 99, 116, 117, 158}, {111, 99, 127, 117, 158}},
                       {{100, 98, 116, 119, 138}, {111, 98, 127, 119, 138}}};
  for (const Calls& expected : out) {
    Frame();
    EXPECT_EQ(drawn(), expected);
  }
  ClearAllActors();

  // Glide: letter k starts at X + (k + 5)^2 + 500 and bobs by Trunc(2 Sin256(...)).
  GlideText(1, 5, "AB", 100, 100, 0, 0);  // X 11, Y 80
  Frame();                                // the switch
  int32_t x[2] = {11 + 25 + 500, 11 + 36 + 500};
  for (int frame = 0; frame < 12; ++frame) {
    Frame();
    Calls expected;
    for (int k = 0; k < 2; ++k) {
      x[k] += SpeedStep(x[k], 11 + 11 * k, GlideTable, 6);
      const int angle = ((k + 5) * 10 + 80 * 10 + FrameCount * 20) % 256;
      const int y = 80 + static_cast<int>(2 * std::sin(2 * std::numbers::pi * angle / 256));
      expected.emplace_back(x[k], y, x[k] + 16, y + 16, 255);
    }
    EXPECT_EQ(drawn(), expected) << "frame " << FrameCount;
  }
  ClearAllActors();

  // Pop: the echo E(S), S = 3 step + 256, fades 255, 225, 195 over the plain picture.
  PopPicture(100, 100, picture_, 0, 0);
  Frame();  // the switch
  Frame();
  EXPECT_EQ(drawn(), (Calls{{80, 90, 80, 90, 255}, {80, 90, 120, 110, 255}}));
  Frame();  // S 346: left 100 - 27, top 100 - 13, 54 x 27
  EXPECT_EQ(drawn(), (Calls{{80, 90, 80, 90, 255}, {73, 87, 127, 114, 225}}));
  Frame();  // S 436: left 100 - 34, top 100 - 17, 68 x 34
  EXPECT_EQ(drawn(), (Calls{{80, 90, 80, 90, 255}, {66, 83, 134, 117, 195}}));
  pres::Services().display = display_.get();
}

TEST_F(TextActorsTest, SixtyFifthTextGetsTheSpareAndFreedSlotsAreReusedLowestFirst) {
  for (int i = 0; i < 64; ++i) TextAt(0, 0, "X", 0, 0);
  char* spare = TextAt(0, 0, "Y", 0, 0);
  EXPECT_EQ(spare, SpareTextBuffer);
  EXPECT_EQ(ActorPool[300 - 64].Active, 0) << "no actor made";
  spare[0] = 'Z';  // harmless

  ActorPool[300 - 10].Active = 0;  // the actor of slot 10 and of slot 20 end
  FreeTextSlot(ActorPool[300 - 10].Work[kTextSlotWord]);
  ActorPool[300 - 20].Active = 0;
  FreeTextSlot(ActorPool[300 - 20].Work[kTextSlotWord]);
  char* next = TextAt(0, 0, "NEW", 0, 0);
  EXPECT_EQ(next, TextSlot[10].data());
  EXPECT_EQ(ActorPool[300 - 10].Work[kTextSlotWord], 10);
}

TEST_F(TextActorsTest, NoActorLeftStillTakesATextSlotUntilTheNextClear) {
  for (TActor& a : ActorPool) a.Active = 1;
  char* buffer = TextAt(0, 0, "LOST", 0, 0);
  EXPECT_EQ(buffer, TextSlot[0].data());
  EXPECT_EQ(TextSlotUsed[0], 1);
  ClearAllActors();
  EXPECT_EQ(TextSlotUsed[0], 0);
}

TEST_F(TextActorsTest, LongTextIsCutButCentredOnItsFullLength) {
  const std::string seventy(70, 'M');
  char* buffer = TextAt(-1, 0, seventy, 0, 0);
  EXPECT_EQ(std::string(buffer), std::string(63, 'M'));
  EXPECT_EQ(ActorPool[300].X, (480 - 70 * 11) / 2);
  TextAtCell(2, 3, "", 0, 0);
  EXPECT_EQ(ActorPool[299].X, 22);
  EXPECT_EQ(ActorPool[299].Y, 48);
  EXPECT_EQ(std::string(TextSlot[1].data()), "");
}

TEST_F(TextActorsTest, CharactersOutsideTheFontDrawNothingButAdvance) {
  TextAt(0, 0,
         "A\x01\xC8"
         "B",
         0, 0);
  for (int i = 0; i < 13; ++i) Frame();  // wait, 11 zoom frames, one plain
  ASSERT_EQ(ActorPool[300].Draw, &TextShow);
  EXPECT_EQ(Pixel(0, 0), kInk);
  EXPECT_FALSE(AnyInk(11, 0, 33, 16)) << "two unknown characters: blank cells";
  EXPECT_EQ(Pixel(33, 0), kInk) << "B three advances on";
}

TEST_F(TextActorsTest, BlinkTextShowsEveryOtherFrameUntilHoldRunsOut) {
  BlinkText(-1, 50, "AB", 150, 200, 4, 0);
  TActor& a = ActorPool[300];
  EXPECT_EQ(a.X, (480 - 22) / 2) << "centred unscaled";
  Frame();
  EXPECT_FALSE(AnyInkOnScreen()) << "the wait's switching frame";
  std::string seen;
  for (int i = 0; i < 4; ++i) {
    Frame();
    seen += AnyInkOnScreen() ? 'x' : '.';
  }
  EXPECT_EQ(seen, "x.x.");
  EXPECT_EQ(a.Active, 0);
  EXPECT_EQ(TextSlotUsed[0], 0);
}

TEST_F(TextActorsTest, BlinkTextIsScaled) {
  BlinkText(100, 50, "AB", 150, 200, 0, 0);
  Frame();
  Frame();
  EXPECT_EQ(Pixel(100 + 15, 50 + 23), kInk) << "A: 32 x 24 cell, ink 16 wide";
  EXPECT_EQ(Pixel(100 + 16, 50), 0u);
  EXPECT_EQ(Pixel(100 + 22, 50), kInk) << "B at a pen advance of 11 * 200 / 100";
}

TEST_F(TextActorsTest, GlideLettersOvershootComeBackAndFlyOutLeft) {
  const std::string text = "ABCDEFGHIJKLMNOP";
  GlideText(1, 5, text, 100, 100, 120, 0);
  TActor& a = ActorPool[300];
  EXPECT_EQ(a.X, 11);
  EXPECT_EQ(a.Y, 80);
  Frame();
  ASSERT_EQ(a.Draw, &GlideIn);
  EXPECT_EQ(a.Work[kGlideLetterWord], 11 + 25 + 500);

  // Letter 11 (place 11 + 121) passes its place by one pixel and returns.
  const int32_t place = 11 + 11 * 11;
  int32_t lowest = 1 << 30;
  for (int i = 0; i < 100; ++i) {
    Frame();
    lowest = std::min(lowest, a.Work[kGlideLetterWord + 11]);
  }
  EXPECT_EQ(lowest, place - 1);
  EXPECT_EQ(a.Work[kGlideLetterWord + 11], place);
  EXPECT_TRUE(AnyInk(place, 78, place + 8, 98)) << "drawn at its place, bobbing";

  int frames = 0;
  int32_t lastX = 0;
  while (a.Active != 0 && frames < 200) {
    lastX = a.Work[kGlideLetterWord + static_cast<int>(text.size()) - 1];
    Frame();
    ++frames;
  }
  EXPECT_EQ(a.Active, 0);
  EXPECT_GE(lastX, -30) << "still in play the frame before it ended";
  EXPECT_LT(a.Work[kGlideLetterWord + static_cast<int>(text.size()) - 1], -30);
  EXPECT_EQ(TextSlotUsed[0], 0);
}

TEST_F(TextActorsTest, EmptyGlideEndsAtItsExitAndLongOnesDrawFiftyLetters) {
  GlideText(0, 0, "", 100, 100, 1, 0);
  TActor& empty = ActorPool[300];
  Frame();
  Frame();
  EXPECT_EQ(empty.Draw, &GlideOut);
  Frame();
  EXPECT_EQ(empty.Active, 0);

  GlideText(0, 0, std::string(63, 'W'), 100, 100, 0, 0);
  TActor& wide = ActorPool[300];
  for (int i = 0; i < 3; ++i) Frame();  // must not read past the 50 letter words
  EXPECT_EQ(wide.Active, 1);
}

TEST_F(TextActorsTest, PopPictureCentresAndStaysAfterItsPopIn) {
  PopPicture(-1, 160, picture_, 0, 0);
  TActor& a = ActorPool[329];
  EXPECT_EQ(a.X, 240);
  EXPECT_EQ(a.CenterX, 20);
  EXPECT_EQ(a.Width, 40);
  Frame();
  EXPECT_FALSE(AnyInkOnScreen());
  Frame();
  EXPECT_EQ(Pixel(220, 150), 0xFF0000u) << "picture at X - CenterX, Y - CenterY";
  for (int i = 0; i < 8; ++i) Frame();
  EXPECT_EQ(a.Draw, &PopHold) << "nine frames of pop-in";
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_EQ(a.Active, 1);
  EXPECT_EQ(Pixel(220, 150), 0xFF0000u);
  EXPECT_EQ(Pixel(219, 150), 0u) << "no echo while holding";
}

TEST_F(TextActorsTest, PopPictureEchoesOutAndFreesNoTextSlot) {
  TextAt(0, 0, "KEEP", 0, 0);
  TActor& pop = NewActor(LayerTop);  // leave a Work[0] pointing at text slot 0
  pop.Active = 0;
  PopPicture(100, 100, picture_, 2, 0);
  TActor& a = ActorPool[329];
  for (int i = 0; i < 1 + 9 + 2; ++i) Frame();
  EXPECT_EQ(a.Draw, &PopOut);
  Frame();  // the echo starts at the picture's own size and full strength
  Frame();
  EXPECT_NE(Pixel(100, 100), 0xFF0000u) << "only the fading echo";
  EXPECT_TRUE(AnyInk(70, 80, 80, 120)) << "grown past the picture";
  for (int i = 0; i < 7; ++i) Frame();
  EXPECT_EQ(a.Active, 0) << "nine frames of echo";
  EXPECT_EQ(TextSlotUsed[0], 1) << "the text's slot is untouched";
}

}  // namespace
}  // namespace tolvane
