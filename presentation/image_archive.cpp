#include "presentation/image_archive.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "presentation/archive_reader.h"

namespace pres {
namespace {

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw FileOpenError("cannot open file \"" + path + "\": " + std::strerror(errno));
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad()) {
    throw FileOpenError("cannot read file \"" + path + "\": " + std::strerror(errno));
  }
  return bytes;
}

// The cells in one direction: whole steps of cell + gap, plus one more when the rest is
// exactly one cell (the last cell needs no gap after it). A negative gap counts as none.
int64_t CellsAlong(int64_t size, int64_t cell, int64_t gap) {
  gap = std::max<int64_t>(gap, 0);
  if (size <= 0 || cell <= 0) return 0;
  int64_t step = cell + gap;
  return size / step + (size % step == cell ? 1 : 0);
}

}  // namespace

void ImageArchive::Load(const std::string& path) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  LoadFromMemory(bytes);
}

void ImageArchive::LoadFromMemory(std::span<const uint8_t> bytes) {
  entries_.clear();
  Touch();
  entries_ = ReadArchive(bytes);  // on a fault the archive stays empty
  Touch();
}

ImageEntry& ImageArchive::Find(std::string_view name) {
  for (ImageEntry& e : entries_) {
    if (e.name == name) return e;
  }
  std::string_view format = kImageNotFoundFormat;
  size_t at = format.find("%s");
  std::string text(format.substr(0, at));
  text.append(name).append(format.substr(at + 2));
  throw ArchiveError(text);
}

int32_t PatternWidth(const ImageEntry& e) {
  return e.patternWidth > 0 ? e.patternWidth : e.picture.width;
}

int32_t PatternHeight(const ImageEntry& e) {
  return e.patternHeight > 0 ? e.patternHeight : e.picture.height;
}

int32_t PatternCount(const ImageEntry& e) {
  int64_t columns = CellsAlong(e.picture.width, PatternWidth(e), e.skipWidth);
  int64_t rows = CellsAlong(e.picture.height, PatternHeight(e), e.skipHeight);
  return static_cast<int32_t>(std::min<int64_t>(columns * rows, INT32_MAX));
}

bool PatternOrigin(const ImageEntry& e, int32_t pattern, int32_t* left, int32_t* top) {
  if (pattern < 0 || pattern >= PatternCount(e)) return false;
  int64_t columns = CellsAlong(e.picture.width, PatternWidth(e), e.skipWidth);
  int64_t stepX = int64_t{PatternWidth(e)} + std::max(e.skipWidth, 0);
  int64_t stepY = int64_t{PatternHeight(e)} + std::max(e.skipHeight, 0);
  *left = static_cast<int32_t>(pattern % columns * stepX);
  *top = static_cast<int32_t>(pattern / columns * stepY);
  return true;
}

}  // namespace pres
