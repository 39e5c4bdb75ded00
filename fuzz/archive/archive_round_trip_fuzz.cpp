// libFuzzer target: an archive that reads, written again in each storage form and read
// back, gives the same entries: names, pattern geometry, transparency and every pixel.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "presentation/image_archive.h"

namespace {

bool Same(const pres::ImageEntry& a, const pres::ImageEntry& b) {
  return a.name == b.name && a.patternWidth == b.patternWidth &&
         a.patternHeight == b.patternHeight && a.skipWidth == b.skipWidth &&
         a.skipHeight == b.skipHeight && a.systemMemory == b.systemMemory &&
         a.transparent == b.transparent && a.transparentColor == b.transparentColor &&
         a.picture.width == b.picture.width && a.picture.height == b.picture.height &&
         a.picture.pixels == b.picture.pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pres::ImageArchive first;
  try {
    first.LoadFromMemory({data, size});
  } catch (const pres::ArchiveError&) {
    return 0;
  }
  // 24-bit storage holds any colour; 8-bit only pictures of at most 256 colours.
  for (auto storage : {pres::PictureStorage::Dib24, pres::PictureStorage::Bitmap24}) {
    const std::vector<uint8_t> bytes = pres::WriteArchive(first.Entries(), storage);
    pres::ImageArchive second;
    second.LoadFromMemory(bytes);  // an exception here is a writer fault: the run stops
    if (second.Entries().size() != first.Entries().size()) std::abort();
    for (size_t i = 0; i < first.Entries().size(); ++i)
      if (!Same(first.Entries()[i], second.Entries()[i])) std::abort();
  }
  return 0;
}
