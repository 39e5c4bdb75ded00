#pragma once
// Parses an archive file image into entries. Throws ArchiveError: the stream-format text
// for a malformed stream, the DIB text for a malformed picture.
#include <cstdint>
#include <span>
#include <vector>

#include "presentation/image_archive.h"

namespace pres {

std::vector<ImageEntry> ReadArchive(std::span<const uint8_t> bytes);

}  // namespace pres
