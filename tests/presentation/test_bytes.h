#pragma once
// Building byte images by hand in tests: bitmaps and archive streams written field by
// field, independent of the code under test.
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace pres::test {

using Bytes = std::vector<uint8_t>;

class ByteBuilder {
 public:
  ByteBuilder& U8(uint8_t v) { return Push(v); }
  ByteBuilder& Raw(std::initializer_list<uint8_t> b) {
    for (uint8_t v : b) Push(v);
    return *this;
  }
  ByteBuilder& Raw(const Bytes& b) {
    out_.insert(out_.end(), b.begin(), b.end());
    return *this;
  }
  ByteBuilder& U16(uint16_t v) { return Le(v, 2); }
  ByteBuilder& U32(uint32_t v) { return Le(v, 4); }
  ByteBuilder& I32(int32_t v) { return Le(static_cast<uint32_t>(v), 4); }
  ByteBuilder& Text(std::string_view s) {
    out_.insert(out_.end(), s.begin(), s.end());
    return *this;
  }
  ByteBuilder& Short(std::string_view s) { return U8(uint8_t(s.size())).Text(s); }
  ByteBuilder& Zeros(size_t n) {
    out_.insert(out_.end(), n, 0);
    return *this;
  }
  // Colour-table entry (blue, green, red[, 0]) of a 0x00RRGGBB colour.
  ByteBuilder& Quad(uint32_t rgb) {
    return Raw({uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16), 0});
  }
  ByteBuilder& Triple(uint32_t rgb) {
    return Raw({uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)});
  }

  // A 40-byte info header.
  ByteBuilder& InfoHeader(int32_t w, int32_t h, uint16_t bpp, uint32_t compression = 0,
                          uint32_t colorsUsed = 0) {
    return U32(40)
        .I32(w)
        .I32(h)
        .U16(1)
        .U16(bpp)
        .U32(compression)
        .U32(0)
        .U32(0)
        .U32(0)
        .U32(colorsUsed)
        .U32(0);
  }
  // A 12-byte core header.
  ByteBuilder& CoreHeader(uint16_t w, uint16_t h, uint16_t bpp) {
    return U32(12).U16(w).U16(h).U16(1).U16(bpp);
  }

  const Bytes& Get() const { return out_; }
  size_t Size() const { return out_.size(); }

 private:
  ByteBuilder& Push(uint8_t v) {
    out_.push_back(v);
    return *this;
  }
  ByteBuilder& Le(uint32_t v, int n) {
    for (int i = 0; i < n; ++i) Push(uint8_t(v >> (8 * i)));
    return *this;
  }
  Bytes out_;
};

}  // namespace pres::test
