#pragma once
// The splash picture, rasterised from content/images/screens/splash/splash.svg when the
// program is built and embedded in it.
#include <cstdint>

namespace tolvane {

extern const int32_t kSplashPictureWidth;
extern const int32_t kSplashPictureHeight;
// 0xAARRGGBB, straight alpha, top row first.
extern const uint32_t kSplashPicturePixels[];

}  // namespace tolvane
