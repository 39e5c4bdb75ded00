#pragma once
// Parses an archive file image into entries. Throws ArchiveError: the stream-format text
// for a malformed stream, the DIB text for a malformed picture.
#include <cstdint>
#include <span>
#include <vector>

#include "presentation/dib_decoder.h"
#include "presentation/image_archive.h"

namespace pres {

// Every entry, its picture decoded.
std::vector<ImageEntry> ReadArchive(std::span<const uint8_t> bytes);

// Every entry with its picture's size, depth and colour table, the pixels not yet decoded:
// rows[i] holds entry i's checked pixel rows (inside `bytes`) for DecodeRows.
struct ArchiveIndex {
  std::vector<ImageEntry> entries;
  std::vector<DibRows> rows;
};
ArchiveIndex ReadArchiveIndex(std::span<const uint8_t> bytes);

}  // namespace pres
