// The archive stream read from hand-built bytes: structure, every value tag, property
// defaults, and each way the stream can be malformed or hostile.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "presentation/image_archive.h"
#include "test_archive.h"
#include "tests/support/scratch_folder.h"

namespace pres {
namespace {

using test::ByteBuilder;
using test::Bytes;

// Tags as the file stores them.
enum : uint8_t {
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

using test::ArchiveOf;
using test::Item;
using test::ResourceHeader;

Bytes Archive(const Bytes& items, bool prefix = false) {
  return ArchiveOf(items, prefix);
}

// Picture.Data holding a 2 x 1 24-bit DIB (red, green).
Bytes PictureData() {
  return test::PictureProperty(
      "TDIB", ByteBuilder().InfoHeader(2, 1, 24).Raw({0, 0, 255, 0, 255, 0, 0, 0}).Get());
}

void ExpectError(const Bytes& file, const char* text) {
  ImageArchive a;
  try {
    a.LoadFromMemory(file);
    FAIL() << "read a malformed archive";
  } catch (const ArchiveError& e) {
    EXPECT_STREQ(e.what(), text);
  }
  EXPECT_EQ(a.Count(), 0);
}

TEST(ArchiveReader, EmptyCollectionGivesAnEmptyArchiveWithoutTheFont) {
  ImageArchive a;
  a.LoadFromMemory(Archive({}));
  EXPECT_EQ(a.Count(), 0);
  try {
    a.Find("ImageListFont");
    FAIL();
  } catch (const ArchiveError& e) {
    EXPECT_STREQ(e.what(), "画像 'ImageListFont' が見つかりません");
  }
}

TEST(ArchiveReader, AbsentPropertiesKeepTheirDefaults) {
  ImageArchive a;
  a.LoadFromMemory(Archive(Item(PictureData())));
  ASSERT_EQ(a.Count(), 1);
  const ImageEntry& e = a.Entry(0);
  EXPECT_EQ(e.name, "");
  EXPECT_EQ(e.patternWidth, 0);
  EXPECT_EQ(e.patternHeight, 0);
  EXPECT_EQ(e.skipWidth, 0);
  EXPECT_EQ(e.skipHeight, 0);
  EXPECT_FALSE(e.systemMemory);
  EXPECT_TRUE(e.transparent);
  EXPECT_EQ(e.transparentColor, 0u);
  EXPECT_THAT(e.picture.pixels, ::testing::ElementsAre(0xFF0000u, 0x00FF00u));
  // One pattern as large as the picture, no gaps.
  EXPECT_EQ(PatternWidth(e), 2);
  EXPECT_EQ(PatternHeight(e), 1);
  EXPECT_EQ(PatternCount(e), 1);
}

TEST(ArchiveReader, ItemWithoutPictureIsEmpty) {
  ImageArchive a;
  a.LoadFromMemory(Archive(Item({})));
  ASSERT_EQ(a.Count(), 1);
  EXPECT_TRUE(a.Entry(0).picture.Empty());
  EXPECT_EQ(PatternCount(a.Entry(0)), 0);
}

TEST(ArchiveReader, EveryPropertyInEveryAcceptedForm) {
  ByteBuilder p;
  p.Short("Name").U8(kString).Short("ImageListFont");
  p.Short("PatternWidth").U8(kInt8).U8(0xF0);  // -16
  p.Short("PatternHeight").U8(kInt16).U16(300);
  p.Short("SkipWidth").U8(kInt32).I32(70000);
  p.Short("skipheight").U8(kInt8).U8(2);  // names match without case
  p.Short("SystemMemory").U8(kTrue);
  p.Short("Transparent").U8(kFalse);
  p.Short("TransparentColor").U8(kIdent).Short("clFuchsia");
  p.Raw(PictureData());
  ByteBuilder q;  // second item: order value first, colour as a number, long and wide names
  q.U8(kInt8).U8(7).U8(kList);
  q.Short("Name").U8(kWideString).U32(2).U16(0x753B).U16(0x50CF);  // 画像
  q.Short("TransparentColor").U8(kInt32).I32(0x00112233);
  q.U8(0);
  ByteBuilder r;
  std::string longName(300, 'n');
  r.Short("Name").U8(kLongString).U32(300).Text(longName);
  r.Short("TransparentColor").U8(kIdent).Short("CLWHITE");

  ImageArchive a;
  a.LoadFromMemory(
      Archive(ByteBuilder().Raw(Item(p.Get())).Raw(q.Get()).Raw(Item(r.Get())).Get(), true));
  ASSERT_EQ(a.Count(), 3);
  const ImageEntry& e = a.Entry(0);
  EXPECT_EQ(e.name, "ImageListFont");
  EXPECT_EQ(e.patternWidth, -16);
  EXPECT_EQ(e.patternHeight, 300);
  EXPECT_EQ(e.skipWidth, 70000);
  EXPECT_EQ(e.skipHeight, 2);
  EXPECT_TRUE(e.systemMemory);
  EXPECT_FALSE(e.transparent);
  EXPECT_EQ(e.transparentColor, 0xFF00FFu);
  EXPECT_EQ(a.Entry(1).name, "画像");
  EXPECT_EQ(a.Entry(1).transparentColor, 0x00112233u);
  EXPECT_EQ(a.Entry(2).name, longName);
  EXPECT_EQ(a.Entry(2).transparentColor, 0xFFFFFFu);
  EXPECT_EQ(&a.Find("ImageListFont"), &a.Entry(0));
}

TEST(ArchiveReader, UnknownPropertiesOfEveryTagAreSkipped) {
  ByteBuilder p;
  p.Short("A").U8(0);
  p.Short("B").U8(kList).U8(kInt8).U8(1).U8(kString).Short("x").U8(kList).U8(0).U8(0);
  p.Short("C").U8(kExtended).Zeros(10);
  p.Short("D").U8(kSet).Short("s1").Short("s2").U8(0);
  p.Short("E").U8(kNil);
  p.Short("F").U8(kBinary).U32(3).Raw({1, 2, 3});
  p.Short("G").U8(kSingle).Zeros(4);
  p.Short("H").U8(kCurrency).Zeros(8);
  p.Short("I").U8(kDate).Zeros(8);
  p.Short("J").U8(kInt64).Zeros(8);
  p.Short("K").U8(kWideString).U32(1).U16('w');
  p.Short("L").U8(kLongString).U32(2).Text("ab");
  p.Short("M").U8(kCollection).U8(kList).Short("X").U8(kInt16).U16(5).U8(0).U8(0);
  p.Short("N").U8(kIdent).Short("whatever");
  p.Short("O").U8(kInt32).I32(1).Short("P").U8(kTrue).Short("Q").U8(kFalse);
  p.Raw(PictureData());
  ImageArchive a;
  a.LoadFromMemory(Archive(Item(p.Get())));
  ASSERT_EQ(a.Count(), 1);
  EXPECT_EQ(a.Entry(0).picture.width, 2);
}

TEST(ArchiveReader, PictureAsCompleteBitmapFile) {
  ByteBuilder file;
  file.Text("BM").U32(58).U32(0).U32(54).InfoHeader(1, 1, 24).Raw({0x33, 0x22, 0x11, 0});
  ByteBuilder data;
  data.Short("TBitmap").U32(uint32_t(file.Size())).Raw(file.Get());
  ByteBuilder p;
  p.Short("Picture.Data").U8(kBinary).U32(uint32_t(data.Size())).Raw(data.Get());
  ImageArchive a;
  a.LoadFromMemory(Archive(Item(p.Get())));
  EXPECT_THAT(a.Entry(0).picture.pixels, ::testing::ElementsAre(0x112233u));
}

TEST(ArchiveReader, ResourceHeaderFaultsAreStreamFormatErrors) {
  Bytes good = Archive({});
  Bytes wrongMarker = good;
  wrongMarker[0] = 0xFE;
  ExpectError(wrongMarker, kStreamFormatError);
  Bytes wrongType = good;
  wrongType[1] = 11;
  ExpectError(wrongType, kStreamFormatError);
  // A name whose end is not within the first 79 bytes.
  ByteBuilder longName;
  longName.U8(0xFF).U16(10).Text(std::string(90, 'A')).U8(0).U16(0).U32(0).Text("TPF0");
  ExpectError(longName.Get(), kStreamFormatError);
  Bytes wrongSignature = good;
  wrongSignature[ResourceHeader().size() + 3] = '1';
  ExpectError(wrongSignature, kStreamFormatError);
  ExpectError({}, kStreamFormatError);
  ExpectError({0xFF}, kStreamFormatError);
}

TEST(ArchiveReader, EveryTruncationIsAStreamFormatError) {
  Bytes good = Archive(Item(PictureData()));
  for (size_t n = 0; n < good.size(); ++n) {
    ExpectError(Bytes(good.begin(), good.begin() + std::ptrdiff_t(n)), kStreamFormatError);
  }
}

TEST(ArchiveReader, WrongValueTypesAndUnknownTagsAreStreamFormatErrors) {
  auto withProperty = [](const Bytes& property) { return Archive(Item(property)); };
  ExpectError(withProperty(ByteBuilder().Short("PatternWidth").U8(kString).Short("1").Get()),
              kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("PatternWidth").U8(kInt64).Zeros(8).Get()),
              kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("Transparent").U8(kInt8).U8(1).Get()),
              kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("Name").U8(kInt8).U8(1).Get()), kStreamFormatError);
  ExpectError(
      withProperty(ByteBuilder().Short("TransparentColor").U8(kIdent).Short("clPlaid").Get()),
      kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("Picture.Data").U8(kString).Short("TDIB").Get()),
              kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("Other").U8(20).Get()), kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("Other").U8(0xFF).Get()), kStreamFormatError);
  // An unknown picture class, or none at all.
  ExpectError(
      withProperty(ByteBuilder().Short("Picture.Data").U8(kBinary).U32(5).Short("TPNG").Get()),
      kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("Picture.Data").U8(kBinary).U32(0).Get()),
              kStreamFormatError);
  // An item that does not start with the list tag.
  ExpectError(Archive(ByteBuilder().U8(kString).Get()), kStreamFormatError);
  // The List property not being a collection.
  ByteBuilder notCollection;
  notCollection.Raw(ResourceHeader())
      .Text("TPF0")
      .Short("C")
      .Short("")
      .Short("List")
      .U8(kList)
      .U8(0);
  ExpectError(notCollection.Get(), kStreamFormatError);
}

TEST(ArchiveReader, HostileLengthsAndNestingFailCleanly) {
  auto withProperty = [](const Bytes& property) { return Archive(Item(property)); };
  ExpectError(withProperty(ByteBuilder().Short("Name").U8(kLongString).U32(0xFFFFFFFF).Get()),
              kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("Name").U8(kWideString).U32(0x7FFFFFFF).Get()),
              kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("X").U8(kWideString).U32(0xFFFFFFFF).Get()),
              kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("Picture.Data").U8(kBinary).U32(0xFFFFFFF0).Get()),
              kStreamFormatError);
  ExpectError(withProperty(ByteBuilder().Short("X").U8(kBinary).U32(0xFFFFFFFF).Get()),
              kStreamFormatError);
  ByteBuilder many;  // more entries than any archive holds, two bytes each
  for (int i = 0; i < 70000; ++i) many.Raw(Item({}));
  ExpectError(Archive(many.Get()), kStreamFormatError);
  ByteBuilder enough;
  for (int i = 0; i < 65536; ++i) enough.Raw(Item({}));
  ImageArchive a;
  a.LoadFromMemory(Archive(enough.Get()));
  EXPECT_EQ(a.Count(), 65536);
  // Run-length pictures of 4096 x 4096 cost a few bytes each; five outgrow any archive.
  ByteBuilder big;
  big.InfoHeader(4096, 4096, 8, 1, 1).Quad(0xFFFFFF).Raw({0, 1});
  ByteBuilder bigItems;
  for (int i = 0; i < 5; ++i) bigItems.Raw(Item(test::PictureProperty("TDIB", big.Get())));
  ExpectError(Archive(bigItems.Get()), kStreamFormatError);
  ByteBuilder deep;
  deep.Short("X");
  for (int i = 0; i < 100000; ++i) deep.U8(kList);
  ExpectError(withProperty(deep.Get()), kStreamFormatError);
  ByteBuilder deepCollections;
  deepCollections.Short("X");
  for (int i = 0; i < 50000; ++i) deepCollections.U8(kCollection).U8(kList).Short("Y");
  ExpectError(withProperty(deepCollections.Get()), kStreamFormatError);
}

TEST(ArchiveReader, BrokenPicturesAreDibErrors) {
  auto withData = [](const Bytes& data) {
    return Archive(Item(ByteBuilder()
                            .Short("Picture.Data")
                            .U8(kBinary)
                            .U32(uint32_t(data.size()))
                            .Raw(data)
                            .Get()));
  };
  ExpectError(withData(ByteBuilder().Short("TDIB").U32(41).Zeros(36).Get()), kBadDibError);
  ExpectError(withData(ByteBuilder().Short("TDIB").InfoHeader(4, 4, 24).Get()), kBadDibError);
  ExpectError(withData(ByteBuilder().Short("TBitmap").U32(100).Zeros(10).Get()), kBadDibError);
  ExpectError(withData(ByteBuilder().Short("TBitmap").U32(4).Text("BMxx").Get()), kBadDibError);
}

TEST(ArchiveReader, MissingFileIsAFileOpenErrorNamingTheFile) {
  ImageArchive a;
  try {
    a.Load("/nonexistent/folder/tolvgfx.dxg");
    FAIL();
  } catch (const FileOpenError& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("/nonexistent/folder/tolvgfx.dxg"));
    EXPECT_THAT(e.what(), ::testing::HasSubstr("No such file"));
  }
}

TEST(ArchiveReader, LoadsFromAFileAndAFailedLoadLeavesItEmpty) {
  const tolvane::ScratchFolder folder;
  const std::string path = (folder / "tolvgfx.dxg").string();
  Bytes good = Archive(ByteBuilder().Raw(Item(PictureData())).Raw(Item(PictureData())).Get());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(good.data()), std::streamsize(good.size()));
  ImageArchive a;
  uint64_t before = a.Generation();
  a.Load(path);
  EXPECT_EQ(a.Count(), 2);
  EXPECT_NE(a.Generation(), before);
  before = a.Generation();
  Bytes bad = good;
  bad.resize(bad.size() - 3);
  EXPECT_THROW(a.LoadFromMemory(bad), ArchiveError);
  EXPECT_EQ(a.Count(), 0);
  EXPECT_NE(a.Generation(), before);
}

}  // namespace
}  // namespace pres
