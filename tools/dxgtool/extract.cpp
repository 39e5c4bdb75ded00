// dxgtool extract ARCHIVE OUTDIR: every pattern of every entry as a PNG, named
// NNN[-name]-pPPP.png (entry index, entry name, pattern index).
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "presentation/png_writer.h"
#include "tools/dxgtool/commands.h"

namespace dxgtool {
namespace {

// Keeps names usable as file names.
std::string FileSafe(const std::string& name) {
  std::string out;
  for (unsigned char c : name)
    out += (std::isalnum(c) || c == '_' || c == '-' || c >= 0x80) ? char(c) : '_';
  return out;
}

std::vector<uint32_t> Cut(const pres::Picture& p, int left, int top, int w, int h) {
  std::vector<uint32_t> out;
  out.reserve(size_t(w) * size_t(h));
  for (int y = top; y < top + h; ++y) {
    for (int x = left; x < left + w; ++x) out.push_back(p.At(x, y));
  }
  return out;
}

}  // namespace

int Extract(const Args& args) {
  if (args.size() != 2) {
    std::cerr << "usage: dxgtool extract ARCHIVE OUTDIR\n";
    return 2;
  }
  auto archive = OpenArchive(args[0]);
  if (!archive) return 1;
  std::error_code ec;
  std::filesystem::create_directories(args[1], ec);
  if (ec) {
    std::cerr << "dxgtool: cannot create " << args[1] << ": " << ec.message() << "\n";
    return 1;
  }
  int written = 0;
  for (int i = 0; i < archive->Count(); ++i) {
    const pres::ImageEntry& e = archive->Entry(i);
    int w = pres::PatternWidth(e), h = pres::PatternHeight(e);
    for (int n = 0; n < pres::PatternCount(e); ++n) {
      int32_t left = 0, top = 0;
      pres::PatternOrigin(e, n, &left, &top);
      char index[24], pattern[24];
      std::snprintf(index, sizeof index, "%03d", i);
      std::snprintf(pattern, sizeof pattern, "-p%03d.png", n);
      std::string name = index + (e.name.empty() ? "" : "-" + FileSafe(e.name)) + pattern;
      auto path = (std::filesystem::path(args[1]) / name).string();
      if (!pres::WritePng(path, w, h, Cut(e.picture, left, top, w, h))) {
        std::cerr << "dxgtool: cannot write " << path << "\n";
        return 1;
      }
      ++written;
    }
  }
  std::cout << written << " patterns of " << archive->Count() << " entries written to " << args[1]
            << "\n";
  return 0;
}

}  // namespace dxgtool
