#include "presentation/dib_encoder.h"

#include <optional>
#include <unordered_map>

#include "presentation/byte_writer.h"

namespace pres {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;
constexpr size_t kMaxTableColors = 256;

struct IndexedPicture {
  std::vector<uint32_t> table;
  std::vector<uint8_t> indices;
};

std::optional<IndexedPicture> Index(const Picture& p) {
  IndexedPicture out;
  std::unordered_map<uint32_t, uint8_t> lookup;
  auto add = [&](uint32_t c) {
    if (lookup.count(c)) return true;
    if (out.table.size() == kMaxTableColors) return false;
    lookup.emplace(c, uint8_t(out.table.size()));
    out.table.push_back(c);
    return true;
  };
  if (p.bitsPerPixel <= 8) {
    for (size_t i = 0; i < p.palette.size() && i < kMaxTableColors; ++i) add(p.palette[i]);
  }
  out.indices.reserve(p.pixels.size());
  for (uint32_t c : p.pixels) {
    if (!add(c)) return std::nullopt;
    out.indices.push_back(lookup[c]);
  }
  return out;
}

void WriteInfoHeader(ByteWriter& w, const Picture& p, int bits, uint32_t colors,
                     uint32_t imageSize) {
  w.U32(kInfoHeaderSize);
  w.I32(p.width);
  w.I32(p.height);
  w.U16(1);
  w.U16(uint16_t(bits));
  w.U32(0);  // plain rows
  w.U32(imageSize);
  w.U32(0);
  w.U32(0);
  w.U32(colors);
  w.U32(0);
}

size_t Stride(const Picture& p, int bits) {
  return (size_t(p.width) * size_t(bits) + 31) / 32 * 4;
}

void WriteRows(ByteWriter& w, const Picture& p, int bits, const IndexedPicture* indexed) {
  size_t stride = Stride(p, bits);
  for (int y = p.height - 1; y >= 0; --y) {
    size_t written = 0;
    for (int x = 0; x < p.width; ++x) {
      size_t i = size_t(y) * size_t(p.width) + size_t(x);
      if (indexed) {
        w.U8(indexed->indices[i]);
        written += 1;
      } else {
        uint32_t c = p.pixels[i];
        w.U8(uint8_t(c));
        w.U8(uint8_t(c >> 8));
        w.U8(uint8_t(c >> 16));
        written += 3;
      }
    }
    for (; written < stride; ++written) w.U8(0);
  }
}

void WriteDib(ByteWriter& w, const Picture& p, int bits) {
  std::optional<IndexedPicture> indexed;
  if (bits == 8) indexed = Index(p);
  if (!indexed) bits = 24;
  uint32_t colors = indexed ? uint32_t(indexed->table.size()) : 0;
  WriteInfoHeader(w, p, bits, colors, uint32_t(Stride(p, bits) * size_t(p.height)));
  if (indexed) {
    for (uint32_t c : indexed->table) w.U32(c & 0xFFFFFF);  // blue, green, red, 0
  }
  WriteRows(w, p, bits, indexed ? &*indexed : nullptr);
}

}  // namespace

std::vector<uint8_t> EncodeDib(const Picture& picture, int bitsPerPixel) {
  if (picture.Empty()) return {};
  ByteWriter w;
  WriteDib(w, picture, bitsPerPixel);
  return w.Take();
}

std::vector<uint8_t> EncodeBitmapFile(const Picture& picture) {
  if (picture.Empty()) return {};
  ByteWriter w;
  uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  w.U8('B');
  w.U8('M');
  w.U32(uint32_t(offset + Stride(picture, 24) * size_t(picture.height)));
  w.U32(0);
  w.U32(offset);
  WriteDib(w, picture, 24);
  return w.Take();
}

}  // namespace pres
