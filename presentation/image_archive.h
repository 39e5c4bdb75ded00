#pragma once
// The image archive: an ordered list of named pictures, each cut into equal patterns.
// Entries are addressed by index (most pictures) or by name (the font).
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "presentation/dib_decoder.h"
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

class FileBytes;

class ImageArchive {
 public:
  // Replaces the contents with the archive in the file, every picture decoded. Throws
  // FileOpenError or ArchiveError.
  void Load(const std::string& path);
  // The same, but each picture's pixels stay in the (mapped) file until Decoded asks for
  // them; sizes, colour tables and every check are there at once.
  void Open(const std::string& path);
  // Replaces the contents with the archive in memory. Throws ArchiveError.
  void LoadFromMemory(std::span<const uint8_t> bytes);

  int Count() const { return static_cast<int>(entries_.size()); }
  // Index must be in range: a bad index is a programming error. An entry of an opened
  // archive may have no pixels yet: ask Decoded for them.
  ImageEntry& Entry(int index) { return entries_[static_cast<size_t>(index)]; }
  const ImageEntry& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }
  // Throws ArchiveError("画像 'name' が見つかりません") when no entry has the name.
  ImageEntry& Find(std::string_view name);
  // The list to change as a whole: every picture still in the file is decoded first.
  std::vector<ImageEntry>& Entries();
  const std::vector<ImageEntry>& Entries() const { return entries_; }

  // The entry's picture with its pixels, decoded from the file now if they are still there.
  const Picture& Decoded(int index);
  // Lets go of pixels Decoded took from the file (they can be decoded again); pixels the
  // archive cannot decode again stay.
  void ReleasePixels(int index);

  // The shared 256-entry colour table: the 16 system colours at 0-7 and 248-255,
  // the rest filled from the pictures' palettes in archive order.
  ColorTable BuildColorTable() const;

  // Bumped by every change of the entry list so a display can re-prepare its textures.
  uint64_t Generation() const { return generation_; }
  void Touch() { ++generation_; }

 private:
  // An opened picture whose pixels are still in the file, or were decoded from it.
  struct InFile {
    DibRows rows;
    int32_t width = 0;  // the picture's size when it was read
    int32_t height = 0;
    bool waiting = false;               // not decoded yet
    const uint32_t* decoded = nullptr;  // the pixels Decoded made, while the entry has them
  };

  void Clear();

  std::vector<ImageEntry> entries_;
  std::vector<InFile> inFile_;  // one per entry after Open, else empty
  std::shared_ptr<const FileBytes> file_;
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
