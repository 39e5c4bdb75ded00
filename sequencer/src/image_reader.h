#pragma once
// The one reader every part of the library uses on a file image: play start, the engine and the
// analysis. Every read is checked against an end position; a read past it marks the reader
// failed, returns zeros and moves no further, so callers check Failed() once after a group of
// reads instead of guarding each byte.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vondra {

using Image = std::span<const uint8_t>;

class ImageReader {
 public:
  // Reads image[pos, end); `end` is clipped to the image's size.
  ImageReader(Image image, size_t pos, size_t end);
  explicit ImageReader(Image image) : ImageReader(image, 0, image.size()) {}

  bool Failed() const { return failed_; }
  // Where the first read past the end was attempted (tools report it); valid when Failed().
  size_t FaultOffset() const { return faultOffset_; }
  size_t Pos() const { return pos_; }
  size_t End() const { return end_; }
  size_t Remaining() const { return end_ - pos_; }

  uint8_t Byte();
  uint16_t U16();  // big-endian
  uint32_t U32();  // big-endian
  // A variable-length quantity: seven bits per byte, high bit set on all but the last. There is
  // no limit on the number of bytes; the value wraps modulo 2^32.
  uint32_t VarLen();
  // The next n bytes, or an empty span (and failure) when fewer remain.
  std::span<const uint8_t> Take(size_t n);
  void Skip(size_t n) { Take(n); }
  // Moves back n bytes (never before the image's start).
  void Back(size_t n);
  // True when the next bytes are `tag`; does not move.
  bool At(std::string_view tag) const;

 private:
  void Fail(size_t at);

  Image image_;
  size_t pos_;
  size_t end_;
  size_t faultOffset_ = 0;
  bool failed_ = false;
};

}  // namespace vondra
