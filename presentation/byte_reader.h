#pragma once
// A bounds-checked little-endian reader over a byte span. Every read that would pass the
// end throws ArchiveError with the text the reader was made with, so a parser never
// over-reads and reports its own kind of fault.
#include <cstddef>
#include <cstdint>
#include <span>

#include "presentation/image_archive.h"

namespace pres {

class ByteReader {
 public:
  ByteReader(std::span<const uint8_t> bytes, const char* error) : bytes_(bytes), error_(error) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return bytes_.size() - pos_; }
  bool AtEnd() const { return pos_ == bytes_.size(); }

  [[noreturn]] void Fail() const { throw ArchiveError(error_); }
  void Require(bool condition) const {
    if (!condition) Fail();
  }

  uint8_t Peek() const {
    Require(pos_ < bytes_.size());
    return bytes_[pos_];
  }
  uint8_t U8() {
    uint8_t v = Peek();
    ++pos_;
    return v;
  }
  uint16_t U16() { return static_cast<uint16_t>(Unsigned(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Unsigned(4)); }
  uint64_t U64() { return Unsigned(8); }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  int64_t I64() { return static_cast<int64_t>(U64()); }

  std::span<const uint8_t> Bytes(size_t n) {
    Require(n <= Remaining());
    auto out = bytes_.subspan(pos_, n);
    pos_ += n;
    return out;
  }
  void Skip(size_t n) { Bytes(n); }
  void Seek(size_t pos) {
    Require(pos <= bytes_.size());
    pos_ = pos;
  }
  std::span<const uint8_t> Rest() { return Bytes(Remaining()); }

 private:
  uint64_t Unsigned(size_t width) {
    auto b = Bytes(width);
    uint64_t v = 0;
    for (size_t i = width; i-- > 0;) v = (v << 8) | b[i];
    return v;
  }

  std::span<const uint8_t> bytes_;
  const char* error_;
  size_t pos_ = 0;
};

}  // namespace pres
