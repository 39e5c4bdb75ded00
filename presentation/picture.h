#pragma once
// A decoded bitmap, independent of how it was stored in the archive.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pres {

struct Picture {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;           // depth of the stored bitmap; 0 for an empty picture
  std::vector<uint32_t> palette;  // the bitmap's own colour table (0x00RRGGBB), in table order
  std::vector<uint32_t> pixels;   // width * height pixels, 0x00RRGGBB, top row first

  bool Empty() const { return width <= 0 || height <= 0; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

}  // namespace pres
