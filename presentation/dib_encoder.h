#pragma once
// Writes pictures as bitmaps the decoder reads back pixel for pixel.
#include <cstdint>
#include <vector>

#include "presentation/picture.h"

namespace pres {

// A header-less DIB with a 40-byte header, bottom-up rows. With 8 bits it keeps the
// picture's own colour table when that covers every pixel, else collects the colours;
// a picture of more than 256 colours is written with 24 bits. Empty picture: no bytes.
std::vector<uint8_t> EncodeDib(const Picture& picture, int bitsPerPixel);

// A complete 24-bit bitmap file; empty picture: no bytes.
std::vector<uint8_t> EncodeBitmapFile(const Picture& picture);

}  // namespace pres
