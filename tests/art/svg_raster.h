// Renders an SVG at its own pixel size the way the archive sees it: a pixel is
// opaque when its coverage is at least half, and then carries its full colour.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace art_test {

struct Pixel {
  std::uint8_t r = 0, g = 0, b = 0;
  bool opaque = false;
};

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // row by row
  const Pixel& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Empty when the file cannot be read, parsed or rendered; `error` says why.
std::optional<Raster> RenderSvg(const std::string& path, std::string* error);

}  // namespace art_test
