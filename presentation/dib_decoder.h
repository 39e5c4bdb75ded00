#pragma once
// Device-independent bitmaps: the header-less form stored in archive entries and the
// complete bitmap file. Every fault, including hostile sizes, throws ArchiveError with
// kBadDibError before anything large is allocated.
#include <array>
#include <cstdint>
#include <span>

#include "presentation/picture.h"

namespace pres {

// Pictures larger than this are refused rather than allocated.
inline constexpr int32_t kMaxPictureSide = 32767;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 24;

// Where and how a checked bitmap's pixel rows are stored, so they can be decoded later
// (`bytes` lies inside the bytes the bitmap was read from).
struct DibRows {
  std::span<const uint8_t> bytes;
  bool topDown = false;
  uint16_t bitCount = 0;  // 0: an empty picture, nothing to decode
  uint32_t compression = 0;
  std::array<uint32_t, 3> masks{};  // red, green, blue of 16- and 32-bit pixels
};

// A DIB without file header: 12-byte core or 40-byte info header, then optional colour
// masks, the colour table and the pixel rows. Zero bytes give an empty picture.
Picture DecodeDib(std::span<const uint8_t> dib);

// A complete bitmap file ("BM" file header), also with 16-, 52-, 56-, 64-, 108- and
// 124-byte headers; pixel rows start where the file header says when that is sensible.
Picture DecodeBitmapFile(std::span<const uint8_t> file);

// The same in two steps: the header and colour table are read and every check is made now
// (size, depth and colour table go into `picture`, which gets no pixels); DecodeRows then
// fills picture.pixels and cannot fail.
DibRows PrepareDib(std::span<const uint8_t> dib, Picture& picture);
DibRows PrepareBitmapFile(std::span<const uint8_t> file, Picture& picture);
void DecodeRows(const DibRows& rows, Picture& picture);

}  // namespace pres
