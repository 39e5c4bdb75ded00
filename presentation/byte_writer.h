#pragma once
// Little-endian output for the archive and bitmap writers.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pres {

class ByteWriter {
 public:
  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint16_t v) { Unsigned(v, 2); }
  void U32(uint32_t v) { Unsigned(v, 4); }
  void I32(int32_t v) { Unsigned(static_cast<uint32_t>(v), 4); }
  void Bytes(std::span<const uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
  void Text(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
  // Overwrites 4 bytes already written (sizes known only afterwards).
  void PatchU32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out_[at + size_t(i)] = uint8_t(v >> (8 * i));
  }
  size_t Size() const { return out_.size(); }
  std::vector<uint8_t> Take() { return std::move(out_); }

 private:
  void Unsigned(uint64_t v, int width) {
    for (int i = 0; i < width; ++i) out_.push_back(uint8_t(v >> (8 * i)));
  }
  std::vector<uint8_t> out_;
};

}  // namespace pres
