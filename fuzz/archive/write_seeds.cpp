// Writes the archive fuzz target's seed corpus: small archives from the writer, one per
// storage form, with named, gapped, keyed and empty entries.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "presentation/image_archive.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_seeds OUTDIR\n";
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  pres::ImageEntry e;
  e.name = "ImageListFont";
  e.patternWidth = 2;
  e.patternHeight = 2;
  e.skipWidth = 1;
  e.transparentColor = 0xFF00FF;
  e.picture.width = 5;
  e.picture.height = 4;
  e.picture.bitsPerPixel = 8;
  e.picture.palette = {0x000000, 0xFF00FF, 0x20A040};
  for (int i = 0; i < 20; ++i) e.picture.pixels.push_back(e.picture.palette[size_t(i % 3)]);
  pres::ImageEntry opaque = e;
  opaque.name.clear();
  opaque.transparent = false;
  opaque.picture.pixels[7] = 0x123456;
  int n = 0;
  for (auto storage :
       {pres::PictureStorage::Dib8, pres::PictureStorage::Dib24, pres::PictureStorage::Bitmap24}) {
    for (const auto& entries :
         {std::vector<pres::ImageEntry>{}, std::vector<pres::ImageEntry>{e, opaque, {}}}) {
      auto bytes = pres::WriteArchive(entries, storage);
      std::ofstream(std::filesystem::path(argv[1]) / ("seed" + std::to_string(n++) + ".dxg"),
                    std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
  }
  return 0;
}
