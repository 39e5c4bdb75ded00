#include "presentation/dib_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

#include "presentation/byte_reader.h"
#include "presentation/image_archive.h"

namespace pres {
namespace {

// Header sizes and compression codes are fixed by the bitmap format.
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMaxHeaderSize = 124;
constexpr uint32_t kPlain = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr int kMaxPaletteEntries = 256;

[[noreturn]] void Bad() {
  throw ArchiveError(kBadDibError);
}

struct DibHeader {
  uint32_t size = 0;
  int32_t width = 0;
  int32_t height = 0;  // always positive; topDown says the row order
  bool topDown = false;
  uint16_t bitCount = 0;
  uint32_t compression = kPlain;
  uint32_t colorsUsed = 0;
  std::array<uint32_t, 3> masks{};  // red, green, blue
  bool masksInHeader = false;
};

bool HeaderSizeAccepted(uint32_t size, bool bitmapFile) {
  if (size == kCoreHeaderSize || size == kInfoHeaderSize) return true;
  // Later and foreign headers appear only in complete bitmap files.
  return bitmapFile && (size == 16 || size == 52 || size == 56 || size == 64 || size == 108 ||
                        size == kMaxHeaderSize);
}

DibHeader ReadHeader(ByteReader& r, bool bitmapFile) {
  DibHeader h;
  h.size = r.U32();
  if (!HeaderSizeAccepted(h.size, bitmapFile)) Bad();
  // Fields a short header lacks read as zero.
  std::array<uint8_t, kMaxHeaderSize> raw{};
  auto body = r.Bytes(h.size - 4);
  std::memcpy(raw.data() + 4, body.data(), body.size());
  ByteReader f(raw, kBadDibError);
  f.Skip(4);
  if (h.size == kCoreHeaderSize) {
    h.width = f.U16();
    h.height = f.U16();
    f.U16();  // planes
    h.bitCount = f.U16();
  } else {
    h.width = f.I32();
    int32_t height = f.I32();
    f.U16();  // planes
    h.bitCount = f.U16();
    h.compression = f.U32();
    f.Skip(12);  // image size, resolution
    h.colorsUsed = f.U32();
    f.U32();  // important colours
    if (height == INT32_MIN) Bad();
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    // 52-byte and later Windows headers carry the colour masks themselves.
    h.masksInHeader = h.size >= 52 && h.size != 64;
    if (h.masksInHeader) {
      for (auto& m : h.masks) m = f.U32();
    }
  }
  if (h.width <= 0 || h.height <= 0) Bad();
  if (h.width > kMaxPictureSide || h.height > kMaxPictureSide ||
      int64_t{h.width} * h.height > kMaxPicturePixels) {
    Bad();
  }
  switch (h.compression) {
    case kPlain:
      if (h.bitCount != 1 && h.bitCount != 2 && h.bitCount != 4 && h.bitCount != 8 &&
          h.bitCount != 16 && h.bitCount != 24 && h.bitCount != 32) {
        Bad();
      }
      break;
    case kRle8:
    case kRle4:
      // Run-length rows are always stored bottom-up.
      if (h.bitCount != (h.compression == kRle8 ? 8 : 4) || h.topDown) Bad();
      break;
    case kBitFields:
      if (h.bitCount != 16 && h.bitCount != 32) Bad();
      break;
    default:
      Bad();
  }
  return h;
}

// One colour channel of a packed pixel, widened or narrowed to 8 bits.
class Channel {
 public:
  explicit Channel(uint32_t mask)
      : mask_(mask),
        shift_(mask ? std::countr_zero(mask) : 0),
        bits_(mask ? std::bit_width(mask >> shift_) : 0) {}

  uint32_t Expand(uint32_t pixel) const {
    uint32_t v = (pixel & mask_) >> shift_;
    if (bits_ == 0) return 0;
    if (bits_ >= 8) return v >> (bits_ - 8);
    uint32_t max = (1u << bits_) - 1;
    return (v * 255 + max / 2) / max;
  }

 private:
  uint32_t mask_;
  int shift_;
  int bits_;
};

// The rows' layout: bytes per stored row with and without its padding.
uint64_t RowStride(int32_t width, uint16_t bitCount) {
  return (uint64_t(width) * bitCount + 31) / 32 * 4;
}
uint64_t RowBytes(int32_t width, uint16_t bitCount) {
  return (uint64_t(width) * bitCount + 7) / 8;
}

class PixelDecoder {
 public:
  PixelDecoder(const DibRows& rows, Picture& out) : rows_(rows), out_(out) {}

  void Decode() {
    out_.pixels.assign(static_cast<size_t>(out_.width) * static_cast<size_t>(out_.height), 0);
    if (rows_.compression == kRle8 || rows_.compression == kRle4) {
      DecodeRunLength(rows_.bytes, rows_.compression == kRle4);
    } else {
      DecodePlainRows(rows_.bytes);
    }
  }

 private:
  uint32_t Color(uint32_t index) const {
    return index < out_.palette.size() ? out_.palette[index] : 0;
  }

  // The rows were measured against the data when they were prepared.
  void DecodePlainRows(std::span<const uint8_t> data) {
    const uint64_t stride = RowStride(out_.width, rows_.bitCount);
    const Channel red(rows_.masks[0]), green(rows_.masks[1]), blue(rows_.masks[2]);
    const int bpp = rows_.bitCount;
    for (int32_t fileRow = 0; fileRow < out_.height; ++fileRow) {
      const uint8_t* row = data.data() + stride * uint64_t(fileRow);
      int32_t y = rows_.topDown ? fileRow : out_.height - 1 - fileRow;
      uint32_t* dst = out_.pixels.data() + size_t(y) * size_t(out_.width);
      if (bpp == 24) {
        // The depth every archive picture has: kept out of the general loop's switch.
        for (int32_t x = 0; x < out_.width; ++x, row += 3) {
          dst[x] = uint32_t(row[2]) << 16 | uint32_t(row[1]) << 8 | row[0];
        }
        continue;
      }
      for (int32_t x = 0; x < out_.width; ++x) {
        const uint8_t* p = row + size_t(x) * size_t(bpp) / 8;
        switch (bpp) {
          case 1:
          case 2:
          case 4:
          case 8: {
            int bitOffset = (x * bpp) % 8;
            uint32_t index = (*p >> (8 - bpp - bitOffset)) & ((1u << bpp) - 1);
            dst[x] = Color(index);
            break;
          }
          default: {
            uint32_t v = bpp == 16 ? uint32_t(p[0] | p[1] << 8)
                                   : uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                         uint32_t(p[3]) << 24;
            dst[x] = red.Expand(v) << 16 | green.Expand(v) << 8 | blue.Expand(v);
          }
        }
      }
    }
  }

  void Put(int64_t x, int64_t row, uint32_t index) {
    if (x < 0 || x >= out_.width || row >= out_.height) return;
    out_.pixels[size_t(out_.height - 1 - row) * size_t(out_.width) + size_t(x)] = Color(index);
  }

  // Run-length rows, bottom row first. Pixels no run reaches keep colour 0 of the table;
  // runs past the right edge are dropped; a stream that stops early ends the picture.
  void DecodeRunLength(std::span<const uint8_t> data, bool fourBit) {
    const uint32_t background = Color(0);
    std::fill(out_.pixels.begin(), out_.pixels.end(), background);
    size_t pos = 0;
    int64_t x = 0;
    int64_t row = 0;
    auto available = [&](size_t n) { return data.size() - pos >= n; };
    while (row < out_.height && available(2)) {
      uint8_t count = data[pos++];
      uint8_t value = data[pos++];
      if (count > 0) {
        for (int i = 0; i < count; ++i, ++x) {
          Put(x, row, fourBit ? ((i & 1) ? value & 0x0F : value >> 4) : value);
        }
        continue;
      }
      switch (value) {
        case 0:  // end of line
          x = 0;
          ++row;
          break;
        case 1:  // end of bitmap
          return;
        case 2:  // delta
          if (!available(2)) return;
          x += data[pos];
          row += data[pos + 1];
          pos += 2;
          break;
        default: {  // absolute run of `value` pixels, padded to a 16-bit boundary
          size_t bytes = fourBit ? (size_t(value) + 1) / 2 : value;
          size_t present = std::min(bytes, data.size() - pos);
          for (int i = 0; i < value && size_t(fourBit ? i / 2 : i) < present; ++i, ++x) {
            uint8_t b = data[pos + size_t(fourBit ? i / 2 : i)];
            Put(x, row, fourBit ? ((i & 1) ? b & 0x0F : b >> 4) : b);
          }
          pos += std::min(bytes + (bytes & 1), data.size() - pos);
        }
      }
    }
  }

  const DibRows& rows_;
  Picture& out_;
};

// Reads header, masks and colour table into `pic` and checks the pixel rows' size. `file` is
// the whole buffer the offsets of a bitmap file refer to; `pixelOffset`, when given, is the
// file header's pixel offset.
DibRows PrepareFrom(ByteReader& r, bool bitmapFile, std::span<const uint8_t> file,
                    std::optional<uint32_t> pixelOffset, Picture& pic) {
  DibHeader h = ReadHeader(r, bitmapFile);
  if (h.compression == kBitFields && !h.masksInHeader) {
    for (auto& m : h.masks) m = r.U32();
  }

  const size_t entrySize = h.size == kCoreHeaderSize ? 3 : 4;
  uint64_t entries = h.colorsUsed;
  if (entries == 0 && h.bitCount <= 8) entries = uint64_t{1} << h.bitCount;
  // No table holds more than 256 entries; a larger used-colours field is not a longer table,
  // and the pixel rows follow the 256th entry.
  entries = std::min<uint64_t>(entries, kMaxPaletteEntries);
  const size_t tableStart = r.Position();
  bool offsetUsable = pixelOffset && *pixelOffset >= tableStart && *pixelOffset <= file.size();
  if (offsetUsable) {
    // A table that would run into the pixels is shorter than the header claims.
    entries = std::min<uint64_t>(entries, (*pixelOffset - tableStart) / entrySize);
  }
  if (entries > r.Remaining() / entrySize) Bad();

  pic = Picture{};
  pic.width = h.width;
  pic.height = h.height;
  pic.bitsPerPixel = h.bitCount;
  for (uint64_t i = 0; i < entries; ++i) {
    auto e = r.Bytes(entrySize);
    pic.palette.push_back(uint32_t(e[2]) << 16 | uint32_t(e[1]) << 8 | e[0]);
  }
  DibRows rows;
  rows.bytes = offsetUsable ? file.subspan(*pixelOffset) : r.Rest();
  rows.topDown = h.topDown;
  rows.bitCount = h.bitCount;
  rows.compression = h.compression;
  rows.masks = h.masks;
  if (h.compression != kRle8 && h.compression != kRle4) {
    // The last row's padding may be missing; anything shorter is a broken bitmap.
    if (RowStride(h.width, h.bitCount) * uint64_t(h.height - 1) + RowBytes(h.width, h.bitCount) >
        rows.bytes.size()) {
      Bad();
    }
    if (h.compression != kBitFields) {
      rows.masks = h.bitCount == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                    : std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    }
  }
  return rows;
}

}  // namespace

DibRows PrepareDib(std::span<const uint8_t> dib, Picture& picture) {
  picture = Picture{};
  if (dib.empty()) return DibRows{};
  ByteReader r(dib, kBadDibError);
  return PrepareFrom(r, false, dib, std::nullopt, picture);
}

DibRows PrepareBitmapFile(std::span<const uint8_t> file, Picture& picture) {
  picture = Picture{};
  if (file.empty()) return DibRows{};
  ByteReader r(file, kBadDibError);
  if (r.U8() != 'B' || r.U8() != 'M') Bad();
  r.U32();  // file size: often wrong, never needed
  r.U32();  // reserved
  uint32_t pixelOffset = r.U32();
  return PrepareFrom(r, true, file, pixelOffset, picture);
}

void DecodeRows(const DibRows& rows, Picture& picture) {
  if (rows.bitCount == 0 || picture.Empty()) return;
  PixelDecoder(rows, picture).Decode();
}

Picture DecodeDib(std::span<const uint8_t> dib) {
  Picture picture;
  DecodeRows(PrepareDib(dib, picture), picture);
  return picture;
}

Picture DecodeBitmapFile(std::span<const uint8_t> file) {
  Picture picture;
  DecodeRows(PrepareBitmapFile(file, picture), picture);
  return picture;
}

}  // namespace pres
