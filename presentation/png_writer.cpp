#include "presentation/png_writer.h"

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

bool Display::SaveScreenshot(const std::string& path) const {
  return WritePng(path, kScreenWidth, kScreenHeight, ReadBackBuffer());
}

}  // namespace pres
