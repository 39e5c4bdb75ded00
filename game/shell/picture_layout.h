#pragma once
// Where the 480 x 320 picture lands in the window. Windowed, it is drawn a whole number of
// times its size below the menu bar. In full screen the 640 x 480 screen that holds it is
// drawn at the largest whole scale the display allows, centred with black borders, so every
// pixel stays a sharp square; only a display smaller than 640 x 480 gets it scaled down.
#include "game/shell/form_host.h"

namespace tolvane {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ScreenRect&) const = default;
};

// The picture at `scale`, its top-left at (drawingLeft, drawingTop) times the scale below a
// menu bar `menuBarHeight` high.
ScreenRect WindowedPicture(int menuBarHeight, int scale, int drawingLeft, int drawingTop);

// The full-screen area on an output of outputWidth x outputHeight pixels.
ScreenRect FullScreenArea(int outputWidth, int outputHeight);
// The picture inside that area, placed at (drawingLeft, drawingTop) of the 640 x 480 screen.
ScreenRect FullScreenPicture(int outputWidth, int outputHeight, int drawingLeft, int drawingTop);

// The largest scale (up to kLargestWindowScale) whose window, `frameWidth` x `frameHeight` larger
// than the picture with its menu bar, fits in `usableWidth` x `usableHeight`; 0 when not even 1x.
int LargestFittingScale(int usableWidth, int usableHeight, int menuBarHeight, int frameWidth,
                        int frameHeight);

}  // namespace tolvane
