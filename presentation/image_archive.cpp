#include "presentation/image_archive.h"

#include <algorithm>
#include <utility>

#include "presentation/archive_reader.h"
#include "presentation/file_bytes.h"

namespace pres {
namespace {

// The cells in one direction: whole steps of cell + gap, plus one more when the rest is
// exactly one cell (the last cell needs no gap after it). A negative gap counts as none.
int64_t CellsAlong(int64_t size, int64_t cell, int64_t gap) {
  gap = std::max<int64_t>(gap, 0);
  if (size <= 0 || cell <= 0) return 0;
  int64_t step = cell + gap;
  return size / step + (size % step == cell ? 1 : 0);
}

}  // namespace

void ImageArchive::Clear() {
  entries_.clear();
  inFile_.clear();
  file_.reset();
  Touch();
}

void ImageArchive::Load(const std::string& path) {
  Clear();
  std::shared_ptr<const FileBytes> file = FileBytes::Open(path);
  LoadFromMemory(file->Bytes());
}

void ImageArchive::Open(const std::string& path) {
  Clear();
  std::shared_ptr<const FileBytes> file = FileBytes::Open(path);
  ArchiveIndex index = ReadArchiveIndex(file->Bytes());  // on a fault the archive stays empty
  inFile_.resize(index.entries.size());
  for (size_t i = 0; i < inFile_.size(); ++i) {
    const Picture& picture = index.entries[i].picture;
    inFile_[i] = InFile{index.rows[i], picture.width, picture.height, !picture.Empty(), nullptr};
  }
  entries_ = std::move(index.entries);
  file_ = std::move(file);
  Touch();
}

void ImageArchive::LoadFromMemory(std::span<const uint8_t> bytes) {
  Clear();
  entries_ = ReadArchive(bytes);  // on a fault the archive stays empty
  Touch();
}

std::vector<ImageEntry>& ImageArchive::Entries() {
  for (int i = 0; i < Count(); ++i) Decoded(i);
  inFile_.clear();
  file_.reset();
  return entries_;
}

const Picture& ImageArchive::Decoded(int index) {
  Picture& picture = entries_[static_cast<size_t>(index)].picture;
  if (static_cast<size_t>(index) >= inFile_.size()) return picture;
  InFile& source = inFile_[static_cast<size_t>(index)];
  // A picture the caller replaced since is the caller's.
  if (source.waiting && picture.pixels.empty() && picture.width == source.width &&
      picture.height == source.height) {
    DecodeRows(source.rows, picture);
    source.decoded = picture.pixels.data();
  }
  source.waiting = false;
  return picture;
}

void ImageArchive::ReleasePixels(int index) {
  if (static_cast<size_t>(index) >= inFile_.size()) return;
  InFile& source = inFile_[static_cast<size_t>(index)];
  Picture& picture = entries_[static_cast<size_t>(index)].picture;
  if (source.decoded == nullptr || picture.pixels.data() != source.decoded) return;
  picture.pixels = std::vector<uint32_t>();
  source.decoded = nullptr;
  source.waiting = true;
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
