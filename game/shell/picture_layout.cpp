#include "game/shell/picture_layout.h"

#include <algorithm>
#include <cmath>

#include "presentation/display.h"

namespace tolvane {
namespace {

// The full-screen area's scale: whole when the display allows at least 1x.
double FullScreenScale(int outputWidth, int outputHeight) {
  const int whole =
      std::min(outputWidth / pres::kFullScreenWidth, outputHeight / pres::kFullScreenHeight);
  if (whole >= 1) return whole;
  return std::min(double(outputWidth) / pres::kFullScreenWidth,
                  double(outputHeight) / pres::kFullScreenHeight);
}

int Scaled(int length, double scale) {
  return int(std::lround(length * scale));
}

}  // namespace

ScreenRect WindowedPicture(int menuBarHeight, int scale, int drawingLeft, int drawingTop) {
  return {drawingLeft * scale, menuBarHeight + drawingTop * scale, pres::kScreenWidth * scale,
          pres::kScreenHeight * scale};
}

ScreenRect FullScreenArea(int outputWidth, int outputHeight) {
  const double scale = FullScreenScale(outputWidth, outputHeight);
  const int width = Scaled(pres::kFullScreenWidth, scale);
  const int height = Scaled(pres::kFullScreenHeight, scale);
  return {(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}

ScreenRect FullScreenPicture(int outputWidth, int outputHeight, int drawingLeft, int drawingTop) {
  const double scale = FullScreenScale(outputWidth, outputHeight);
  const ScreenRect area = FullScreenArea(outputWidth, outputHeight);
  return {area.left + Scaled(drawingLeft, scale), area.top + Scaled(drawingTop, scale),
          Scaled(pres::kScreenWidth, scale), Scaled(pres::kScreenHeight, scale)};
}

int LargestFittingScale(int usableWidth, int usableHeight, int menuBarHeight, int frameWidth,
                        int frameHeight) {
  for (int scale = kLargestWindowScale; scale >= 1; --scale) {
    if (pres::kScreenWidth * scale + frameWidth <= usableWidth &&
        pres::kScreenHeight * scale + menuBarHeight + frameHeight <= usableHeight) {
      return scale;
    }
  }
  return 0;
}

}  // namespace tolvane
