#include <algorithm>

#include "presentation/image_archive.h"

namespace pres {
namespace {

constexpr int kFirstFree = 8;
constexpr int kLastFree = 247;

// The 16 system colours: the dark eight first, the bright eight at the end.
constexpr uint32_t kLowSystemColors[8] = {0x000000, 0x800000, 0x008000, 0x808000,
                                          0x000080, 0x800080, 0x008080, 0xC0C0C0};
constexpr uint32_t kHighSystemColors[8] = {0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                           0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

}  // namespace

ColorTable ImageArchive::BuildColorTable() const {
  ColorTable table{};
  std::vector<uint32_t> used;  // every colour placed so far
  for (int i = 0; i < 8; ++i) {
    table[size_t(i)] = kLowSystemColors[i];
    table[size_t(kLastFree + 1 + i)] = kHighSystemColors[i];
    used.push_back(kLowSystemColors[i]);
    used.push_back(kHighSystemColors[i]);
  }
  int next = kFirstFree;
  for (const ImageEntry& e : entries_) {
    for (uint32_t c : e.picture.palette) {
      if (next > kLastFree) return table;
      if (std::find(used.begin(), used.end(), c) != used.end()) continue;
      table[size_t(next++)] = c;
      used.push_back(c);
    }
  }
  return table;
}

}  // namespace pres
