// iconpng SIZE INPUT.svg OUTPUT.png: the SVG drawn as a SIZE x SIZE icon with alpha, for the
// desktop's fixed-size icon folders.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

#include "presentation/png_writer.h"
#include "tools/artbuild/raster.h"

namespace {

// cairo's premultiplied ARGB to the straight alpha PNG files hold.
uint32_t Unpremultiply(uint32_t argb) {
  const uint32_t a = argb >> 24;
  if (a == 0) return 0;
  auto channel = [a](uint32_t c) { return (c * 255 + a / 2) / a; };
  return (a << 24) | (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) |
         channel(argb & 0xFF);
}

}  // namespace

int main(int argc, char** argv) {
  int size = 0;
  if (argc != 4 ||
      std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), size).ec != std::errc{}) {
    std::fprintf(stderr, "usage: iconpng SIZE INPUT.svg OUTPUT.png\n");
    return 2;
  }
  std::string error;
  const auto picture = artbuild::RenderSvgScaled(argv[2], size, size, &error);
  if (!picture) {
    std::fprintf(stderr, "iconpng: %s: %s\n", argv[2], error.c_str());
    return 1;
  }
  std::vector<uint32_t> pixels(picture->argb.size());
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = Unpremultiply(picture->argb[i]);
  if (!pres::WritePngWithAlpha(argv[3], size, size, pixels)) {
    std::fprintf(stderr, "iconpng: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
