#include <limits>
#include <stdexcept>

#include "presentation/archive_format.h"
#include "presentation/byte_writer.h"
#include "presentation/color_names.h"
#include "presentation/dib_encoder.h"
#include "presentation/image_archive.h"

namespace pres {
namespace {

using namespace archive;

constexpr size_t kMaxShortString = 255;

class ArchiveWriter {
 public:
  std::vector<uint8_t> Write(const std::vector<ImageEntry>& entries, PictureStorage storage,
                             std::string_view resourceName) {
    // The reader looks for the name's end within its first bytes.
    if (resourceName.size() + 4 > kResourceHeaderWindow ||
        resourceName.find('\0') != std::string_view::npos) {
      throw std::invalid_argument("archive resource name too long or not a plain name");
    }
    w_.U8(kResourceMarker);
    w_.U16(kResourceType);
    w_.Text(resourceName);
    w_.U8(0);
    w_.U16(kResourceFlags);
    size_t sizeAt = w_.Size();
    w_.U32(0);
    size_t dataStart = w_.Size();

    w_.Text(kSignature);
    ShortString(kComponentClass);
    ShortString("");
    ShortString(kListProperty);
    w_.U8(kCollection);
    for (const ImageEntry& e : entries) WriteItem(e, storage);
    w_.U8(0);  // end of collection
    w_.U8(0);  // end of the component's properties
    w_.U8(0);  // no children
    w_.PatchU32(sizeAt, uint32_t(w_.Size() - dataStart));
    return w_.Take();
  }

 private:
  void ShortString(std::string_view s) {
    w_.U8(uint8_t(s.size()));
    w_.Text(s);
  }

  void String(std::string_view s) {
    if (s.size() <= kMaxShortString) {
      w_.U8(kString);
      ShortString(s);
    } else {
      w_.U8(kLongString);
      w_.U32(uint32_t(s.size()));
      w_.Text(s);
    }
  }

  // Integers take the narrowest width that holds them.
  void Integer(int32_t v) {
    if (v >= std::numeric_limits<int8_t>::min() && v <= std::numeric_limits<int8_t>::max()) {
      w_.U8(kInt8);
      w_.U8(uint8_t(v));
    } else if (v >= std::numeric_limits<int16_t>::min() &&
               v <= std::numeric_limits<int16_t>::max()) {
      w_.U8(kInt16);
      w_.U16(uint16_t(v));
    } else {
      w_.U8(kInt32);
      w_.I32(v);
    }
  }

  void Property(std::string_view name) { ShortString(name); }

  void WriteItem(const ImageEntry& e, PictureStorage storage) {
    w_.U8(kList);
    if (!e.name.empty()) {
      Property(kNameProperty);
      String(e.name);
    }
    Property(kPatternHeightProperty);
    Integer(e.patternHeight);
    Property(kPatternWidthProperty);
    Integer(e.patternWidth);
    Property(kPictureDataProperty);
    WritePicture(e.picture, storage);
    if (e.skipHeight != 0) {
      Property(kSkipHeightProperty);
      Integer(e.skipHeight);
    }
    if (e.skipWidth != 0) {
      Property(kSkipWidthProperty);
      Integer(e.skipWidth);
    }
    Property(kSystemMemoryProperty);
    w_.U8(e.systemMemory ? kTrue : kFalse);
    Property(kTransparentProperty);
    w_.U8(e.transparent ? kTrue : kFalse);
    Property(kTransparentColorProperty);
    if (auto name = NameOfColor(e.transparentColor)) {
      w_.U8(kIdent);
      ShortString(*name);
    } else {
      Integer(static_cast<int32_t>(e.transparentColor));
    }
    w_.U8(0);  // end of the item's properties
  }

  void WritePicture(const Picture& p, PictureStorage storage) {
    ByteWriter data;
    bool bitmap = storage == PictureStorage::Bitmap24;
    std::string_view cls = bitmap ? kBitmapClass : kDibClass;
    data.U8(uint8_t(cls.size()));
    data.Text(cls);
    if (bitmap) {
      auto file = EncodeBitmapFile(p);
      data.U32(uint32_t(file.size()));
      data.Bytes(file);
    } else {
      data.Bytes(EncodeDib(p, storage == PictureStorage::Dib8 ? 8 : 24));
    }
    w_.U8(kBinary);
    w_.U32(uint32_t(data.Size()));
    w_.Bytes(data.Take());
  }

  ByteWriter w_;
};

}  // namespace

std::vector<uint8_t> WriteArchive(const std::vector<ImageEntry>& entries, PictureStorage storage,
                                  std::string_view resourceName) {
  return ArchiveWriter().Write(entries, storage, resourceName);
}

}  // namespace pres
