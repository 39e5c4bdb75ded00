#include "sequencer/src/image_reader.h"

#include <algorithm>
#include <cstring>

namespace vondra {

ImageReader::ImageReader(Image image, size_t pos, size_t end)
    : image_(image), end_(std::min(end, image.size())) {
  pos_ = std::min(pos, end_);
  if (pos > end_) Fail(pos);
}

void ImageReader::Fail(size_t at) {
  if (!failed_) faultOffset_ = at;
  failed_ = true;
}

uint8_t ImageReader::Byte() {
  if (failed_ || pos_ >= end_) {
    Fail(pos_);
    return 0;
  }
  return image_[pos_++];
}

uint16_t ImageReader::U16() {
  auto bytes = Take(2);
  if (bytes.empty()) return 0;
  return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

uint32_t ImageReader::U32() {
  auto bytes = Take(4);
  if (bytes.empty()) return 0;
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

uint32_t ImageReader::VarLen() {
  uint32_t value = 0;
  uint8_t byte = 0;
  do {
    byte = Byte();
    if (failed_) return 0;
    value = (value << 7) | (byte & 0x7F);
  } while (byte & 0x80);
  return value;
}

std::span<const uint8_t> ImageReader::Take(size_t n) {
  if (failed_ || n > end_ - pos_) {
    Fail(pos_);
    return {};
  }
  auto bytes = image_.subspan(pos_, n);
  pos_ += n;
  return bytes;
}

void ImageReader::Back(size_t n) {
  if (failed_) return;
  if (n > pos_) {
    Fail(pos_);
    return;
  }
  pos_ -= n;
}

bool ImageReader::At(std::string_view tag) const {
  if (failed_ || tag.size() > end_ - pos_) return false;
  return std::memcmp(image_.data() + pos_, tag.data(), tag.size()) == 0;
}

}  // namespace vondra
