// dxgtool list ARCHIVE: one line per entry with its picture and pattern geometry.
#include <cstdio>
#include <iostream>

#include "tools/dxgtool/commands.h"

namespace dxgtool {
namespace {

std::string Transparency(const pres::ImageEntry& e) {
  if (!e.transparent) return "opaque";
  char text[32];
  uint32_t c = e.transparentColor;  // 0x00BBGGRR
  std::snprintf(text, sizeof text, "key #%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF,
                (c >> 16) & 0xFF);
  return text;
}

}  // namespace

int List(const Args& args) {
  if (args.size() != 1) {
    std::cerr << "usage: dxgtool list ARCHIVE\n";
    return 2;
  }
  auto archive = OpenArchive(args[0]);
  if (!archive) return 1;
  std::printf("%5s  %-24s %11s %3s %11s %9s %7s  %s\n", "index", "name", "picture", "bpp",
              "pattern", "gap", "count", "transparency");
  for (int i = 0; i < archive->Count(); ++i) {
    const pres::ImageEntry& e = archive->Entry(i);
    char picture[32], pattern[32], gap[32];
    std::snprintf(picture, sizeof picture, "%dx%d", e.picture.width, e.picture.height);
    std::snprintf(pattern, sizeof pattern, "%dx%d", pres::PatternWidth(e), pres::PatternHeight(e));
    std::snprintf(gap, sizeof gap, "%dx%d", e.skipWidth, e.skipHeight);
    std::printf("%5d  %-24s %11s %3d %11s %9s %7d  %s\n", i, e.name.empty() ? "-" : e.name.c_str(),
                picture, e.picture.bitsPerPixel, pattern, gap, pres::PatternCount(e),
                Transparency(e).c_str());
  }
  return 0;
}

}  // namespace dxgtool
