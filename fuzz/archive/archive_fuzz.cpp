// libFuzzer target: any byte string fed to the archive reader reads or fails with one of
// its two error texts, without crashing, over-reading or allocating without bound.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "presentation/image_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pres::ImageArchive archive;
  try {
    archive.LoadFromMemory({data, size});
    for (const pres::ImageEntry& e : archive.Entries()) {
      if (e.picture.pixels.size() != size_t(e.picture.width) * size_t(e.picture.height))
        std::abort();
      pres::PatternCount(e);
    }
  } catch (const pres::ArchiveError& e) {
    if (std::strcmp(e.what(), pres::kStreamFormatError) != 0 &&
        std::strcmp(e.what(), pres::kBadDibError) != 0) {
      std::abort();
    }
  }
  return 0;
}
