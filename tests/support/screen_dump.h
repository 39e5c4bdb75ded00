#pragma once
// A screen dump in the X window dump format (xwd: ZPixmap, 24 or 32 bits per pixel), as the
// window tests take them of a virtual X server.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace tolvane {

struct ScreenDump {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB
  uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

inline uint32_t BigEndian32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
         bytes[at + 3];
}

inline bool ReadScreenDump(const std::filesystem::path& path, ScreenDump* dump) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (bytes.size() < 100) return false;
  auto field = [&bytes](int n) { return BigEndian32(bytes, size_t(n) * 4); };
  const uint32_t headerSize = field(0), width = field(4), height = field(5), byteOrder = field(7);
  const uint32_t bitsPerPixel = field(11), bytesPerLine = field(12), colours = field(19);
  const uint32_t redMask = field(14), greenMask = field(15), blueMask = field(16);
  if (field(2) != 2 || (bitsPerPixel != 24 && bitsPerPixel != 32) || redMask != 0xFF0000 ||
      greenMask != 0xFF00 || blueMask != 0xFF) {
    return false;
  }
  const size_t start = headerSize + size_t(colours) * 12;
  if (bytes.size() < start + size_t(bytesPerLine) * height) return false;
  const size_t step = bitsPerPixel / 8;
  dump->width = int(width);
  dump->height = int(height);
  dump->pixels.resize(size_t(width) * height);
  for (size_t y = 0; y < height; ++y) {
    for (size_t x = 0; x < width; ++x) {
      const uint8_t* p = &bytes[start + y * bytesPerLine + x * step];
      uint32_t value = 0;
      for (size_t b = 0; b < step; ++b) {
        value |= uint32_t(p[byteOrder == 0 ? b : step - 1 - b]) << (8 * b);
      }
      dump->pixels[y * width + x] = value & 0xFFFFFF;
    }
  }
  return true;
}

}  // namespace tolvane
