#pragma once
// The image archive: an ordered list of named pictures, each cut into equal patterns.
// Entries are addressed by index (most pictures) or by name (the font).
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "presentation/picture.h"

namespace pres {

// The archive's own error texts, shown to the user as they stand.
inline constexpr const char* kStreamFormatError = "不正なストリーム フォーマット";
inline constexpr const char* kBadDibError = "不正な DIB です";
inline constexpr const char* kImageNotFoundFormat = "画像 '%s' が見つかりません";

// Malformed archive stream or bitmap; what() is one of the texts above.
class ArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file could not be opened; what() names the file and the system's reason.
class FileOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One entry; field defaults are the values an absent property takes.
struct ImageEntry {
  std::string name;
  int32_t patternWidth = 0;   // 0 or less: the whole picture width
  int32_t patternHeight = 0;  // 0 or less: the whole picture height
  int32_t skipWidth = 0;      // gap between patterns
  int32_t skipHeight = 0;
  bool systemMemory = false;
  bool transparent = true;
  uint32_t transparentColor = 0;  // 0x00BBGGRR, as stored in the file
  Picture picture;
};

// How the writer stores a picture.
enum class PictureStorage { Dib8, Dib24, Bitmap24 };

using ColorTable = std::array<uint32_t, 256>;  // 0x00RRGGBB

class ImageArchive {
 public:
  // Replaces the contents with the archive in the file. Throws FileOpenError or ArchiveError.
  void Load(const std::string& path);
  // Replaces the contents with the archive in memory. Throws ArchiveError.
  void LoadFromMemory(std::span<const uint8_t> bytes);

  int Count() const { return static_cast<int>(entries_.size()); }
  // Index must be in range: a bad index is a programming error.
  ImageEntry& Entry(int index) { return entries_[static_cast<size_t>(index)]; }
  const ImageEntry& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }
  // Throws ArchiveError("画像 'name' が見つかりません") when no entry has the name.
  ImageEntry& Find(std::string_view name);
  std::vector<ImageEntry>& Entries() { return entries_; }
  const std::vector<ImageEntry>& Entries() const { return entries_; }

  // The shared 256-entry colour table: the 16 system colours at 0-7 and 248-255,
  // the rest filled from the pictures' palettes in archive order.
  ColorTable BuildColorTable() const;

  // Bumped by every change of the entry list so a display can re-prepare its textures.
  uint64_t Generation() const { return generation_; }
  void Touch() { ++generation_; }

 private:
  std::vector<ImageEntry> entries_;
  uint64_t generation_ = 0;
};

// Pattern geometry of an entry.
int32_t PatternWidth(const ImageEntry& e);
int32_t PatternHeight(const ImageEntry& e);
int32_t PatternCount(const ImageEntry& e);
// Source rectangle of pattern i inside the picture (left, top); false when i is out of range.
bool PatternOrigin(const ImageEntry& e, int32_t pattern, int32_t* left, int32_t* top);

// Serialises entries in the archive file format: absent defaults (zero gaps, empty name) left out.
std::vector<uint8_t> WriteArchive(const std::vector<ImageEntry>& entries,
                                  PictureStorage storage = PictureStorage::Dib24,
                                  std::string_view resourceName = "TPICTURECOLLECTIONCOMPONENT");

}  // namespace pres
