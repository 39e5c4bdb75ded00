#pragma once
// Rendering of pictures into RGBA: SVG sources through librsvg, placeholder boxes
// through cairo. Pixels are cairo's premultiplied ARGB32.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/artbuild/manifest.h"

namespace artbuild {

struct Rgba {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // premultiplied, top row first
  uint32_t At(int x, int y) const {
    return argb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

// Renders the SVG at its own size in pixels; nothing (with *error set) when it cannot.
std::optional<Rgba> RenderSvg(const std::string& path, std::string* error);
// Renders the SVG fitted into width x height (aspect kept, centred), as icons are drawn.
std::optional<Rgba> RenderSvgScaled(const std::string& path, int width, int height,
                                    std::string* error);

// A placeholder: every pattern cell outlined and numbered ("index" and "index.pattern"),
// with the label when it fits. Cells follow the pattern size and gaps (whole picture when 0).
Rgba RenderBox(const BoxSpec& box, int index, int patternWidth, int patternHeight, int skipWidth,
               int skipHeight);

}  // namespace artbuild
