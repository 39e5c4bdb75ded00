#pragma once
// Byte values and names of the archive file. They are fixed by files that already
// exist: never renumber or rename them.
#include <cstdint>
#include <string_view>

namespace pres::archive {

inline constexpr uint8_t kResourceMarker = 0xFF;
inline constexpr uint16_t kResourceType = 10;
inline constexpr uint16_t kResourceFlags = 0x1030;
inline constexpr size_t kResourceHeaderWindow = 79;  // the name's end must lie within
inline constexpr std::string_view kSignature = "TPF0";
inline constexpr uint8_t kPrefixMask = 0xF0;
inline constexpr std::string_view kComponentClass = "TPictureCollectionComponent";

// Tags of the values that follow a property name.
enum Tag : uint8_t {
  kNull = 0,
  kList = 1,
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kExtended = 5,
  kString = 6,
  kIdent = 7,
  kFalse = 8,
  kTrue = 9,
  kBinary = 10,
  kSet = 11,
  kLongString = 12,
  kNil = 13,
  kCollection = 14,
  kSingle = 15,
  kCurrency = 16,
  kDate = 17,
  kWideString = 18,
  kInt64 = 19,
};

inline constexpr std::string_view kListProperty = "List";
inline constexpr std::string_view kNameProperty = "Name";
inline constexpr std::string_view kPatternWidthProperty = "PatternWidth";
inline constexpr std::string_view kPatternHeightProperty = "PatternHeight";
inline constexpr std::string_view kSkipWidthProperty = "SkipWidth";
inline constexpr std::string_view kSkipHeightProperty = "SkipHeight";
inline constexpr std::string_view kSystemMemoryProperty = "SystemMemory";
inline constexpr std::string_view kTransparentProperty = "Transparent";
inline constexpr std::string_view kTransparentColorProperty = "TransparentColor";
inline constexpr std::string_view kPictureDataProperty = "Picture.Data";

inline constexpr std::string_view kDibClass = "TDIB";
inline constexpr std::string_view kBitmapClass = "TBitmap";

}  // namespace pres::archive
