#pragma once
// Archive streams built by hand around item bytes, for reader tests.
#include <string_view>

#include "test_bytes.h"

namespace pres::test {

inline constexpr uint8_t kTagList = 1;
inline constexpr uint8_t kTagBinary = 10;
inline constexpr uint8_t kTagCollection = 14;

inline Bytes ResourceHeader(std::string_view name = "TPICTURECOLLECTIONCOMPONENT") {
  return ByteBuilder().U8(0xFF).U16(10).Text(name).U8(0).U16(0x1030).U32(0).Get();
}

// The whole file around the bytes of the collection's items.
inline Bytes ArchiveOf(const Bytes& items, bool prefix = false) {
  ByteBuilder b;
  b.Raw(ResourceHeader()).Text("TPF0");
  if (prefix) b.U8(0xF0);
  b.Short("TPictureCollectionComponent").Short("DXImageList1");
  b.Short("List").U8(kTagCollection).Raw(items).U8(0);
  b.U8(0).U8(0);  // end of properties, no children
  return b.Get();
}

inline Bytes Item(const Bytes& properties) {
  return ByteBuilder().U8(kTagList).Raw(properties).U8(0).Get();
}

// "Picture.Data" with a picture class and what follows its name.
inline Bytes PictureProperty(std::string_view cls, const Bytes& payload) {
  ByteBuilder data;
  data.Short(cls).Raw(payload);
  return ByteBuilder()
      .Short("Picture.Data")
      .U8(kTagBinary)
      .U32(uint32_t(data.Size()))
      .Raw(data.Get())
      .Get();
}

// "TBitmap" data: the file's length, then the file.
inline Bytes BitmapPayload(const Bytes& file) {
  return ByteBuilder().U32(uint32_t(file.size())).Raw(file).Get();
}

}  // namespace pres::test
