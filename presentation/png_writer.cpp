#include "presentation/png_writer.h"

// The encoder is compiled in from stb's header, private to this file, so the installed tools
// need no stb library at run time.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <vector>

#include "presentation/display.h"

namespace pres {

bool WritePng(const std::string& path, int width, int height, std::span<const uint32_t> pixels) {
  if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height)) return false;
  std::vector<uint8_t> rgb;
  rgb.reserve(pixels.size() * 3);
  for (uint32_t p : pixels) {
    rgb.push_back(uint8_t(p >> 16));
    rgb.push_back(uint8_t(p >> 8));
    rgb.push_back(uint8_t(p));
  }
  return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

bool WritePngWithAlpha(const std::string& path, int width, int height,
                       std::span<const uint32_t> pixels) {
  if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height)) return false;
  std::vector<uint8_t> rgba;
  rgba.reserve(pixels.size() * 4);
  for (uint32_t p : pixels) {
    rgba.push_back(uint8_t(p >> 16));
    rgba.push_back(uint8_t(p >> 8));
    rgba.push_back(uint8_t(p));
    rgba.push_back(uint8_t(p >> 24));
  }
  return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

bool SaveScreenshot(const Display& display, const std::string& path) {
  return WritePng(path, kScreenWidth, kScreenHeight, display.ReadBackBuffer());
}

}  // namespace pres
