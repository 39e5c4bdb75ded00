#pragma once
// Device-independent bitmaps: the header-less form stored in archive entries and the
// complete bitmap file. Every fault, including hostile sizes, throws ArchiveError with
// kBadDibError before anything large is allocated.
#include <cstdint>
#include <span>

#include "presentation/picture.h"

namespace pres {

// Pictures larger than this are refused rather than allocated.
inline constexpr int32_t kMaxPictureSide = 32767;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 24;

// A DIB without file header: 12-byte core or 40-byte info header, then optional colour
// masks, the colour table and the pixel rows. Zero bytes give an empty picture.
Picture DecodeDib(std::span<const uint8_t> dib);

// A complete bitmap file ("BM" file header), also with 16-, 52-, 56-, 64-, 108- and
// 124-byte headers; pixel rows start where the file header says when that is sensible.
Picture DecodeBitmapFile(std::span<const uint8_t> file);

}  // namespace pres
