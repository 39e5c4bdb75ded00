#pragma once
// Turns rendered RGBA into the archive's colour-keyed pixels.
#include <cstddef>  // presentation/picture.h uses size_t
#include <cstdint>

#include "presentation/picture.h"
#include "tools/artbuild/raster.h"

namespace artbuild {

// The colour an opaque pixel takes when it happens to equal the key, so it still shows:
// pure black becomes (8, 8, 8).
constexpr uint32_t NudgedFromKey(uint32_t keyRgb) {
  return keyRgb ^ 0x080808u;
}

// A transparent entry: pixels less opaque than alphaThreshold become the key colour, the
// rest their full colour (soft edges become hard). An opaque entry: the picture over black.
// The result is a 24-bit picture with 0x00RRGGBB pixels.
pres::Picture KeyPicture(const Rgba& image, bool transparent, uint32_t keyRgb, int alphaThreshold);

}  // namespace artbuild
