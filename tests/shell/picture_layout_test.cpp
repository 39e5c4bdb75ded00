// Where the picture lands: whole scales in the window and in full screen, the fallback for a
// display smaller than the full-screen area, and which window sizes fit a desktop.
#include "game/shell/picture_layout.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(PictureLayout, WholeScalesInTheWindowAndInFullScreen) {
  EXPECT_EQ(WindowedPicture(22, 1, 0, 0), (ScreenRect{0, 22, 480, 320}));
  EXPECT_EQ(WindowedPicture(22, 3, 0, 0), (ScreenRect{0, 22, 1440, 960}));
  // 1920 x 1080: the 640 x 480 area at 2x with 320/60-pixel borders, the picture 80, 80 in it.
  EXPECT_EQ(FullScreenArea(1920, 1080), (ScreenRect{320, 60, 1280, 960}));
  EXPECT_EQ(FullScreenPicture(1920, 1080, 80, 80), (ScreenRect{480, 220, 960, 640}));
  EXPECT_EQ(FullScreenArea(1279, 1000), (ScreenRect{319, 260, 640, 480})) << "1x, not 1.5x";
  // Smaller than 640 x 480: scaled down to fit with its aspect kept.
  EXPECT_EQ(FullScreenArea(320, 480), (ScreenRect{0, 120, 320, 240}));
}

TEST(PictureLayout, LargestWindowThatFitsTheDesktop) {
  // 1448 x 1012 with an 8 x 30 frame fits 1920 x 1050; 4x (1928 wide) does not.
  EXPECT_EQ(LargestFittingScale(1920, 1050, 22, 8, 30), 3);
  EXPECT_EQ(LargestFittingScale(4000, 3000, 22, 0, 0), kLargestWindowScale);
  EXPECT_EQ(LargestFittingScale(480, 342, 22, 0, 0), 1);
  EXPECT_EQ(LargestFittingScale(479, 600, 22, 0, 0), 0) << "not even 1x";
}

}  // namespace
}  // namespace tolvane
