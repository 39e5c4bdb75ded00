#include "presentation/archive_reader.h"

#include <algorithm>
#include <utility>

#include "presentation/archive_format.h"
#include "presentation/byte_reader.h"
#include "presentation/color_names.h"
#include "presentation/dib_decoder.h"
#include "presentation/text_compare.h"

namespace pres {
namespace {

using namespace archive;

// Deeper nesting than this is hostile: lists inside lists would otherwise recurse without end.
constexpr int kMaxNesting = 32;
// Two bytes make an entry; a file of millions of them would take gigabytes to hold.
constexpr size_t kMaxEntries = size_t{1} << 16;
// All pictures together; a few bytes of run-length data can describe a large picture.
constexpr int64_t kMaxArchivePixels = int64_t{1} << 26;

std::string Utf8FromUtf16(std::span<const uint8_t> bytes) {
  std::string out;
  size_t n = bytes.size() / 2;
  auto unit = [&](size_t i) { return uint32_t(bytes[2 * i] | bytes[2 * i + 1] << 8); };
  for (size_t i = 0; i < n; ++i) {
    uint32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // unpaired surrogate
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | c >> 6);
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | c >> 12);
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | c >> 18);
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

class ArchiveParser {
 public:
  explicit ArchiveParser(std::span<const uint8_t> bytes) : r_(bytes, kStreamFormatError) {}

  ArchiveIndex Parse() {
    ReadResourceHeader();
    auto sig = r_.Bytes(kSignature.size());
    r_.Require(std::equal(sig.begin(), sig.end(), kSignature.begin()));
    if ((r_.Peek() & kPrefixMask) == kPrefixMask) r_.U8();  // flags, unused by archives
    ShortString();                                          // class name
    ShortString();                                          // component name
    ArchiveIndex index;
    for (std::string name = ShortString(); !name.empty(); name = ShortString()) {
      uint8_t tag = r_.U8();
      if (EqualsIgnoringCase(name, kListProperty)) {
        r_.Require(tag == kCollection);
        index = ReadItems();
      } else {
        SkipValue(tag, 0);
      }
    }
    r_.Require(r_.U8() == 0);  // no child components
    return index;
  }

 private:
  // The name's end must lie in the first bytes; reading continues after flags and size.
  void ReadResourceHeader() {
    size_t window = std::min(kResourceHeaderWindow, r_.Remaining());
    auto head = r_.Bytes(window);
    r_.Require(window >= 3 && head[0] == kResourceMarker &&
               (head[1] | head[2] << 8) == kResourceType);
    auto end = std::find(head.begin() + 3, head.end(), uint8_t{0});
    r_.Require(end != head.end());
    size_t afterName = size_t(end - head.begin()) + 1;
    r_.Seek(afterName);
    r_.Skip(2 + 4);  // flags, data size
  }

  std::string ShortString() {
    auto b = r_.Bytes(r_.U8());
    return std::string(b.begin(), b.end());
  }

  int32_t Integer(uint8_t tag) {
    switch (tag) {
      case kInt8:
        return r_.I8();
      case kInt16:
        return r_.I16();
      case kInt32:
        return r_.I32();
      default:
        r_.Fail();
    }
  }

  bool Boolean(uint8_t tag) {
    r_.Require(tag == kFalse || tag == kTrue);
    return tag == kTrue;
  }

  std::string String(uint8_t tag) {
    switch (tag) {
      case kString:
        return ShortString();
      case kLongString: {
        auto b = r_.Bytes(r_.U32());
        return std::string(b.begin(), b.end());
      }
      case kWideString: {
        uint64_t units = r_.U32();
        r_.Require(units <= r_.Remaining() / 2);
        return Utf8FromUtf16(r_.Bytes(size_t(units) * 2));
      }
      default:
        r_.Fail();
    }
  }

  uint32_t Color(uint8_t tag) {
    if (tag == kIdent) {
      auto color = ColorFromName(ShortString());
      r_.Require(color.has_value());
      return *color;
    }
    return static_cast<uint32_t>(Integer(tag));
  }

  void SkipValue(uint8_t tag, int depth) {
    r_.Require(depth < kMaxNesting);
    switch (tag) {
      case kNull:
      case kNil:
      case kFalse:
      case kTrue:
        return;
      case kInt8:
        r_.Skip(1);
        return;
      case kInt16:
        r_.Skip(2);
        return;
      case kInt32:
      case kSingle:
        r_.Skip(4);
        return;
      case kCurrency:
      case kDate:
      case kInt64:
        r_.Skip(8);
        return;
      case kExtended:
        r_.Skip(10);
        return;
      case kString:
      case kIdent:
        ShortString();
        return;
      case kBinary:
      case kLongString:
        r_.Skip(r_.U32());
        return;
      case kWideString: {
        uint64_t units = r_.U32();
        r_.Skip(size_t(units) * 2);
        return;
      }
      case kSet:
        while (!ShortString().empty()) {
        }
        return;
      case kList:
        while (r_.Peek() != 0) SkipValue(r_.U8(), depth + 1);
        r_.U8();
        return;
      case kCollection:
        while (r_.Peek() != 0) {
          StartItem();
          for (std::string name = ShortString(); !name.empty(); name = ShortString()) {
            SkipValue(r_.U8(), depth + 1);
          }
        }
        r_.U8();
        return;
      default:
        r_.Fail();
    }
  }

  // An item may carry an order value before its list tag.
  void StartItem() {
    uint8_t tag = r_.U8();
    if (tag == kInt8 || tag == kInt16 || tag == kInt32) {
      Integer(tag);
      tag = r_.U8();
    }
    r_.Require(tag == kList);
  }

  ArchiveIndex ReadItems() {
    ArchiveIndex index;
    while (r_.Peek() != 0) {
      StartItem();
      r_.Require(index.entries.size() < kMaxEntries);
      ImageEntry& e = index.entries.emplace_back();
      DibRows& rows = index.rows.emplace_back();
      for (std::string name = ShortString(); !name.empty(); name = ShortString()) {
        ReadProperty(e, rows, name, r_.U8());
      }
    }
    r_.U8();
    return index;
  }

  void ReadProperty(ImageEntry& e, DibRows& rows, std::string_view name, uint8_t tag) {
    auto is = [&](std::string_view p) { return EqualsIgnoringCase(name, p); };
    if (is(kNameProperty))
      e.name = String(tag);
    else if (is(kPatternWidthProperty))
      e.patternWidth = Integer(tag);
    else if (is(kPatternHeightProperty))
      e.patternHeight = Integer(tag);
    else if (is(kSkipWidthProperty))
      e.skipWidth = Integer(tag);
    else if (is(kSkipHeightProperty))
      e.skipHeight = Integer(tag);
    else if (is(kSystemMemoryProperty))
      e.systemMemory = Boolean(tag);
    else if (is(kTransparentProperty))
      e.transparent = Boolean(tag);
    else if (is(kTransparentColorProperty))
      e.transparentColor = Color(tag);
    else if (is(kPictureDataProperty)) {
      r_.Require(tag == kBinary);
      rows = PreparePictureData(r_.Bytes(r_.U32()), e.picture);
      totalPixels_ += int64_t{e.picture.width} * e.picture.height;
      r_.Require(totalPixels_ <= kMaxArchivePixels);
    } else {
      SkipValue(tag, 0);
    }
  }

  static DibRows PreparePictureData(std::span<const uint8_t> data, Picture& picture) {
    ByteReader p(data, kStreamFormatError);
    auto cls = p.Bytes(p.U8());
    std::string_view className(reinterpret_cast<const char*>(cls.data()), cls.size());
    if (EqualsIgnoringCase(className, kDibClass)) return PrepareDib(p.Rest(), picture);
    p.Require(EqualsIgnoringCase(className, kBitmapClass));
    picture = Picture{};
    if (p.AtEnd()) return DibRows{};
    ByteReader file(p.Rest(), kBadDibError);
    return PrepareBitmapFile(file.Bytes(file.U32()), picture);
  }

  ByteReader r_;
  int64_t totalPixels_ = 0;
};

}  // namespace

ArchiveIndex ReadArchiveIndex(std::span<const uint8_t> bytes) {
  return ArchiveParser(bytes).Parse();
}

std::vector<ImageEntry> ReadArchive(std::span<const uint8_t> bytes) {
  ArchiveIndex index = ReadArchiveIndex(bytes);
  for (size_t i = 0; i < index.entries.size(); ++i) {
    DecodeRows(index.rows[i], index.entries[i].picture);
  }
  return std::move(index.entries);
}

}  // namespace pres
