#include "tools/artbuild/colour_key.h"

#include <algorithm>

namespace artbuild {

pres::Picture KeyPicture(const Rgba& image, bool transparent, uint32_t keyRgb, int alphaThreshold) {
  pres::Picture picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.bitsPerPixel = 24;
  picture.pixels.resize(image.argb.size());
  for (size_t i = 0; i < image.argb.size(); ++i) {
    const uint32_t p = image.argb[i];
    const uint32_t alpha = p >> 24;
    uint32_t rgb = p & 0xFFFFFFu;  // premultiplied: already the colour over black
    if (transparent) {
      if (static_cast<int>(alpha) < alphaThreshold) {
        rgb = keyRgb;
      } else {
        auto full = [alpha](uint32_t c) {
          return std::min<uint32_t>(255, (c * 255 + alpha / 2) / alpha);
        };
        rgb = (full((p >> 16) & 0xFF) << 16) | (full((p >> 8) & 0xFF) << 8) | full(p & 0xFF);
        if (rgb == keyRgb) rgb = NudgedFromKey(keyRgb);
      }
    }
    picture.pixels[i] = rgb;
  }
  return picture;
}

}  // namespace artbuild
