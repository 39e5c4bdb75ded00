// Pixels of the headless back buffer after each kind of draw.
#include "presentation/display.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstdlib>

#include "presentation/png_writer.h"
#include "tests/support/scratch_folder.h"

namespace pres {
namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr uint32_t kKey = 0x102030;        // 0x00RRGGBB in the picture
constexpr uint32_t kKeyStored = 0x302010;  // the same colour as the archive stores it
constexpr uint32_t kBackground = 0x406080;

// Entry 0: two 2 x 2 patterns side by side, keyed; entry 1: the same without a key;
// entry 2: an empty picture.
//   pattern 0: red   key     pattern 1: white blue
//              green blue               key   red
ImageArchive MakeArchive() {
  ImageArchive a;
  ImageEntry e;
  e.patternWidth = 2;
  e.patternHeight = 2;
  e.transparentColor = kKeyStored;
  e.picture.width = 4;
  e.picture.height = 2;
  e.picture.bitsPerPixel = 24;
  e.picture.pixels = {kRed, kKey, kWhite, kBlue, kGreen, kBlue, kKey, kRed};
  ImageEntry opaque = e;
  opaque.transparent = false;
  a.Entries() = {e, opaque, ImageEntry{}};
  a.Touch();
  return a;
}

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = CreateHeadlessDisplay(archive_);
    display_->Fill(kBackground);
  }
  uint32_t At(int x, int y) const {
    return display_->ReadBackBuffer()[size_t(y) * kScreenWidth + size_t(x)];
  }
  // How many pixels differ from the background.
  int Changed() const {
    int n = 0;
    for (uint32_t p : display_->ReadBackBuffer()) n += p != kBackground;
    return n;
  }

  ImageArchive archive_ = MakeArchive();
  std::unique_ptr<Display> display_;
};

bool Near(uint32_t a, uint32_t b, int tolerance = 1) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > tolerance) return false;
  }
  return true;
}

TEST_F(DisplayTest, DrawPatternCopiesUnscaledAndLeavesTheKeyOut) {
  EXPECT_TRUE(display_->CanDraw());
  display_->DrawPattern(0, 10, 20, 0);
  EXPECT_EQ(At(10, 20), kRed);
  EXPECT_EQ(At(11, 20), kBackground);  // key
  EXPECT_EQ(At(10, 21), kGreen);
  EXPECT_EQ(At(11, 21), kBlue);
  display_->DrawPattern(0, 30, 20, 1);
  EXPECT_EQ(At(30, 20), kWhite);
  EXPECT_EQ(At(30, 21), kBackground);
  EXPECT_EQ(Changed(), 6);
  display_->DrawPattern(1, 50, 20, 0);  // no key: the key colour is drawn
  EXPECT_EQ(At(51, 20), kKey);
}

TEST_F(DisplayTest, PatternsOrImagesOutOfRangeDrawNothing) {
  Rect r{0, 0, 8, 8};
  for (int pattern : {-1, 2, 1000}) {
    display_->DrawPattern(0, 0, 0, pattern);
    display_->StretchPattern(0, r, pattern);
    display_->DrawPatternAdd(0, r, pattern, 255);
    display_->DrawPatternAlpha(0, r, pattern, 128);
    display_->DrawPatternRotated(0, 0, 0, 8, 8, pattern, 0.5, 0.5, 10);
  }
  for (int image : {-1, 2, 3}) {
    display_->DrawPattern(image, 0, 0, 0);
    display_->StretchPattern(image, r, 0);
  }
  EXPECT_EQ(Changed(), 0);
}

TEST_F(DisplayTest, KeyIsLeftOutInEveryDraw) {
  display_->StretchPattern(0, Rect{0, 0, 4, 4}, 0);
  display_->DrawPatternAdd(0, Rect{10, 0, 14, 4}, 0, 255);
  display_->DrawPatternAlpha(0, Rect{20, 0, 24, 4}, 0, 128);
  display_->DrawPatternAlpha(0, Rect{30, 0, 34, 4}, 0, 255);
  display_->DrawPatternRotated(0, 40, 0, 4, 4, 0, 0.5, 0.5, 0);
  for (int left : {0, 10, 20, 30, 40}) {
    SCOPED_TRACE(left);
    for (int y = 0; y < 2; ++y) {
      for (int x = 2; x < 4; ++x) EXPECT_EQ(At(left + x, y), kBackground);  // the key's quarter
    }
    EXPECT_NE(At(left, 0), kBackground);
  }
}

TEST_F(DisplayTest, ClippedAtEveryEdge) {
  display_->DrawPattern(1, -1, -1, 0);  // only the bottom-right pixel shows, at the corner
  EXPECT_EQ(At(0, 0), kBlue);
  display_->DrawPattern(1, kScreenWidth - 1, kScreenHeight - 1, 0);
  EXPECT_EQ(At(kScreenWidth - 1, kScreenHeight - 1), kRed);
  display_->DrawPattern(1, kScreenWidth - 1, -1, 0);
  EXPECT_EQ(At(kScreenWidth - 1, 0), kGreen);
  display_->DrawPattern(1, -1, kScreenHeight - 1, 0);
  EXPECT_EQ(At(0, kScreenHeight - 1), kKey);
  EXPECT_EQ(Changed(), 4);
  for (int32_t far : {INT32_MIN, -2, kScreenWidth, INT32_MAX}) {
    display_->DrawPattern(1, far, 5, 0);
    display_->DrawPattern(1, 5, far, 0);
  }
  EXPECT_EQ(Changed(), 4);
}

TEST_F(DisplayTest, StretchedDrawsClipKeepingTheMapping) {
  // 2 x 2 to 8 x 8: each source pixel covers 4 x 4, however much is cut off.
  display_->StretchPattern(1, Rect{-4, -4, 4, 4}, 0);
  EXPECT_EQ(At(0, 0), kBlue);
  EXPECT_EQ(At(3, 3), kBlue);
  EXPECT_EQ(At(4, 4), kBackground);
  display_->StretchPattern(
      1, Rect{kScreenWidth - 4, kScreenHeight - 4, kScreenWidth + 4, kScreenHeight + 4}, 0);
  EXPECT_EQ(At(kScreenWidth - 1, kScreenHeight - 1), kRed);
  EXPECT_EQ(At(kScreenWidth - 4, kScreenHeight - 4), kRed);
  display_->StretchPattern(1, Rect{kScreenWidth - 5, -5, kScreenWidth + 3, 3}, 0);
  EXPECT_EQ(At(kScreenWidth - 5, 0), kGreen);  // row 5 of 8: bottom half, column 0
  EXPECT_EQ(At(kScreenWidth - 1, 0), kBlue);
}

TEST_F(DisplayTest, HugeStretchedRectanglesAreClippedCheaply) {
  // Each source pixel covers 100000 x 100000; the screen sees the middle.
  display_->StretchPattern(1, Rect{-100000 + 240, -100000 + 160, 100000 + 240, 100000 + 160}, 0);
  EXPECT_EQ(At(0, 0), kRed);
  EXPECT_EQ(At(239, 159), kRed);
  EXPECT_EQ(At(240, 159), kKey);
  EXPECT_EQ(At(239, 160), kGreen);
  EXPECT_EQ(At(479, 319), kBlue);
  display_->Fill(kBackground);
  display_->DrawPatternAdd(0, Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 0, 255);
  display_->DrawPatternAlpha(0, Rect{INT32_MIN, 0, INT32_MAX, 1}, 0, 100);
  display_->DrawPatternRotated(0, 0, 0, 100000, 100000, 0, 0.5, 0.5, 3);
  display_->DrawPatternRotated(0, INT32_MIN, INT32_MIN, 4, 4, 0, 0.5, 0.5, 3);
  SUCCEED();
}

TEST_F(DisplayTest, StretchedRectanglesAreRightAndBottomExclusive) {
  display_->StretchPattern(1, Rect{10, 10, 14, 12}, 0);  // 2 x 2 into 4 x 2
  EXPECT_EQ(At(10, 10), kRed);
  EXPECT_EQ(At(11, 10), kRed);
  EXPECT_EQ(At(12, 10), kKey);
  EXPECT_EQ(At(13, 11), kBlue);
  EXPECT_EQ(At(14, 10), kBackground);
  EXPECT_EQ(At(10, 12), kBackground);
  EXPECT_EQ(Changed(), 8);
  display_->StretchPattern(1, Rect{10, 20, 10, 30}, 0);  // empty
  display_->StretchPattern(1, Rect{20, 20, 18, 30}, 0);  // inverted
  EXPECT_EQ(Changed(), 8);
}

TEST_F(DisplayTest, AdditiveDrawSaturatesAndWeighsByAlpha) {
  // Background 0x406080 plus red, green, white.
  display_->DrawPatternAdd(1, Rect{0, 0, 2, 2}, 0, 255);
  EXPECT_EQ(At(0, 0), 0xFF6080u);
  EXPECT_EQ(At(0, 1), 0x40FF80u);
  display_->DrawPatternAdd(1, Rect{10, 0, 12, 2}, 1, 255);
  EXPECT_EQ(At(10, 0), kWhite);
  display_->DrawPatternAdd(1, Rect{20, 0, 22, 2}, 0, 128);  // half of red: 0x80
  EXPECT_TRUE(Near(At(20, 0), 0xC06080)) << std::hex << At(20, 0);
  display_->DrawPatternAdd(1, Rect{30, 0, 32, 2}, 0, 1000);  // above 255 counts as 255
  EXPECT_EQ(At(30, 0), 0xFF6080u);
  int before = Changed();
  display_->DrawPatternAdd(1, Rect{40, 0, 42, 2}, 0, 0);
  display_->DrawPatternAdd(1, Rect{40, 0, 42, 2}, 0, -5);
  EXPECT_EQ(Changed(), before);
}

TEST_F(DisplayTest, AlphaDrawBlendsAndIsOpaqueAt255) {
  display_->DrawPatternAlpha(1, Rect{0, 0, 2, 2}, 0, 255);
  EXPECT_EQ(At(0, 0), kRed);
  EXPECT_EQ(At(1, 0), kKey);
  display_->DrawPatternAlpha(1, Rect{10, 0, 12, 2}, 0, 128);
  // Half way between 0x406080 and red.
  EXPECT_TRUE(Near(At(10, 0), 0xA0303F, 2)) << std::hex << At(10, 0);
  int before = Changed();
  display_->DrawPatternAlpha(1, Rect{20, 0, 22, 2}, 0, 0);
  display_->DrawPatternAlpha(1, Rect{20, 0, 22, 2}, 0, -1);
  EXPECT_EQ(Changed(), before);
}

TEST_F(DisplayTest, NothingIsDrawnWhileFinalised) {
  display_->Finalize();
  EXPECT_FALSE(display_->CanDraw());
  display_->Fill(kWhite);
  display_->DrawPattern(1, 0, 0, 0);
  display_->StretchPattern(1, Rect{0, 0, 9, 9}, 0);
  display_->DrawPatternRotated(1, 0, 0, 9, 9, 0, 0.5, 0.5, 0);
  EXPECT_EQ(Changed(), 0);
  display_->SetFullScreenOption(true);
  display_->Initialize();
  EXPECT_TRUE(display_->CanDraw());
  EXPECT_TRUE(display_->FullScreenOption());
  display_->DrawPattern(1, 0, 0, 0);
  EXPECT_EQ(At(0, 0), kRed);
}

TEST_F(DisplayTest, ChangedArchiveAndPatternSizeTakeEffect) {
  display_->DrawPattern(0, 0, 0, 0);
  archive_.Entry(0).picture.pixels[0] = kWhite;
  archive_.Touch();
  display_->DrawPattern(0, 10, 0, 0);
  EXPECT_EQ(At(10, 0), kWhite);
  // A new cell size is read at draw time: 1 x 1 cells make pattern 3 the top row's last pixel.
  archive_.Entry(1).patternWidth = 1;
  archive_.Entry(1).patternHeight = 1;
  display_->DrawPattern(1, 20, 0, 3);
  EXPECT_EQ(At(20, 0), kBlue);
  EXPECT_EQ(At(21, 0), kBackground);
}

TEST_F(DisplayTest, RotatedDraw) {
  // No turn: the same as a stretch.
  display_->DrawPatternRotated(1, 0, 0, 4, 4, 0, 0.5, 0.5, 0);
  display_->StretchPattern(1, Rect{10, 0, 14, 4}, 0);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(x, y), At(10 + x, y)) << x << "," << y;
  }
  // Half a turn about the middle swaps opposite corners.
  display_->DrawPatternRotated(1, 20, 0, 4, 4, 0, 0.5, 0.5, 128);
  EXPECT_EQ(At(20, 0), kBlue);
  EXPECT_EQ(At(23, 3), kRed);
  // A quarter turn clockwise brings the bottom-left (green) to the top-left.
  display_->DrawPatternRotated(1, 30, 0, 4, 4, 0, 0.5, 0.5, 64);
  EXPECT_EQ(At(30, 0), kGreen);
  EXPECT_EQ(At(33, 0), kRed);
  // A 4 x 2 bar turned a quarter about its middle stands 2 wide and 4 tall.
  display_->Fill(kBackground);
  display_->DrawPatternRotated(1, 100, 100, 4, 2, 0, 0.5, 0.5, 64);
  EXPECT_EQ(At(100, 101), kBackground);
  EXPECT_NE(At(101, 99), kBackground);
  EXPECT_NE(At(102, 102), kBackground);
}

TEST(DisplayPalette, AddAndAlphaAreCopiesAndColoursComeFromThePalette) {
  ImageArchive archive = MakeArchive();
  auto display = CreateHeadlessDisplay(archive, PixelDepth::Palette256);
  ColorTable table = archive.BuildColorTable();
  table[8] = 0x0000F0;  // nearest to blue is blue itself at 252; this one is farther
  display->SetPalette(table);
  EXPECT_EQ(display->ColorMatch(0), 0u);
  EXPECT_EQ(display->ColorMatch(0xFE0101), 249u);
  display->Fill(display->ColorMatch(0x808080));
  display->DrawPatternAdd(1, Rect{0, 0, 2, 2}, 0, 60);
  display->DrawPatternAlpha(1, Rect{10, 0, 12, 2}, 0, 60);
  auto px = display->ReadBackBuffer();
  EXPECT_EQ(px[0], kRed);
  EXPECT_EQ(px[1], 0x000000u);  // the key colour 0x102030 maps to black
  EXPECT_EQ(px[10], kRed);
  EXPECT_EQ(px[20], 0x808080u);
}

TEST_F(DisplayTest, ScreenshotIsAPngOfTheBackBuffer) {
  display_->DrawPattern(1, 0, 0, 0);
  const tolvane::ScratchFolder folder;
  const std::string path = (folder / "shot.png").string();
  ASSERT_TRUE(SaveScreenshot(*display_, path));
  int w = 0, h = 0, n = 0;
  unsigned char* rgb = stbi_load(path.c_str(), &w, &h, &n, 3);
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(w, kScreenWidth);
  EXPECT_EQ(h, kScreenHeight);
  EXPECT_EQ(n, 3);  // no alpha channel
  auto px = display_->ReadBackBuffer();
  for (size_t i = 0; i < px.size(); ++i) {
    uint32_t c = uint32_t(rgb[3 * i]) << 16 | uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
    if (c != px[i]) {
      ADD_FAILURE() << "pixel " << i;
      break;
    }
  }
  stbi_image_free(rgb);
  EXPECT_FALSE(SaveScreenshot(*display_, "/nonexistent/folder/shot.png"));
}

TEST(RendererDisplay, FlipHandsTheBackBufferToThePresenter) {
  SDL_Surface* window = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_XRGB8888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(window);
  ASSERT_NE(renderer, nullptr);
  ImageArchive archive = MakeArchive();
  int flips = 0;
  auto display = CreateRendererDisplay(archive, renderer, [&](SDL_Texture* backBuffer) {
    ++flips;
    SDL_Rect at{80, 80, kScreenWidth, kScreenHeight};
    SDL_RenderCopy(renderer, backBuffer, nullptr, &at);
    SDL_RenderFlush(renderer);
  });
  EXPECT_TRUE(display->CanDraw());
  EXPECT_NE(display->BackBufferTexture(), nullptr);
  display->Fill(kBackground);
  display->DrawPattern(0, 0, 0, 0);
  EXPECT_EQ(display->ReadBackBuffer()[0], kRed);
  EXPECT_EQ(display->ReadBackBuffer()[1], kBackground);
  display->Flip();
  EXPECT_EQ(flips, 1);
  auto windowAt = [&](int x, int y) {
    return static_cast<uint32_t*>(window->pixels)[y * window->pitch / 4 + x] & 0xFFFFFF;
  };
  EXPECT_EQ(windowAt(80, 80), kRed);
  EXPECT_EQ(windowAt(81, 80), kBackground);
  EXPECT_EQ(windowAt(79, 80), 0u);

  display->Finalize();
  EXPECT_FALSE(display->CanDraw());
  EXPECT_EQ(display->BackBufferTexture(), nullptr);
  display->Flip();
  EXPECT_EQ(flips, 1);
  display->SetFullScreenOption(true);
  display->Initialize();
  EXPECT_TRUE(display->FullScreenOption());
  display->DrawPattern(0, 0, 0, 1);
  EXPECT_EQ(display->ReadBackBuffer()[0], kWhite);
  display.reset();
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(window);
}

}  // namespace
}  // namespace pres
