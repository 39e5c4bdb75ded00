// Writing then reading gives the same entries and pixels in every storage form; the
// writer leaves out what a reader would default.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "presentation/image_archive.h"

namespace pres {
namespace {

Picture Gradient(int w, int h, uint32_t colors) {
  Picture p;
  p.width = w;
  p.height = h;
  p.bitsPerPixel = 24;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t v = uint32_t(x * 7 + y * 13) % colors;  // distinct values give distinct colours
      p.pixels.push_back((v & 0xFF) << 16 | (v >> 8) << 8 | 0x40);
    }
  }
  return p;
}

std::vector<ImageEntry> SampleEntries() {
  std::vector<ImageEntry> entries(4);
  entries[0].name = "ImageListFont";
  entries[0].picture = Gradient(7, 5, 3);
  entries[0].transparentColor = 0xFF00FF;  // a named colour
  entries[1].patternWidth = -4;
  entries[1].patternHeight = 40000;
  entries[1].skipWidth = 3;
  entries[1].skipHeight = -2;
  entries[1].systemMemory = true;
  entries[1].transparent = false;
  entries[1].transparentColor = 0x123456;  // an unnamed one
  entries[1].picture = Gradient(33, 2, 200);
  entries[2].name = std::string(300, 'x');  // longer than a short string
  entries[3].picture = Gradient(1, 1, 1);
  return entries;
}

void ExpectSameEntries(const std::vector<ImageEntry>& got, const std::vector<ImageEntry>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].name, want[i].name);
    EXPECT_EQ(got[i].patternWidth, want[i].patternWidth);
    EXPECT_EQ(got[i].patternHeight, want[i].patternHeight);
    EXPECT_EQ(got[i].skipWidth, want[i].skipWidth);
    EXPECT_EQ(got[i].skipHeight, want[i].skipHeight);
    EXPECT_EQ(got[i].systemMemory, want[i].systemMemory);
    EXPECT_EQ(got[i].transparent, want[i].transparent);
    EXPECT_EQ(got[i].transparentColor, want[i].transparentColor);
    EXPECT_EQ(got[i].picture.width, want[i].picture.width);
    EXPECT_EQ(got[i].picture.height, want[i].picture.height);
    EXPECT_EQ(got[i].picture.pixels, want[i].picture.pixels);
  }
}

TEST(ArchiveWriter, RoundTripsInEveryStorageForm) {
  auto entries = SampleEntries();
  for (PictureStorage storage :
       {PictureStorage::Dib8, PictureStorage::Dib24, PictureStorage::Bitmap24}) {
    SCOPED_TRACE(int(storage));
    ImageArchive a;
    a.LoadFromMemory(WriteArchive(entries, storage));
    ExpectSameEntries(a.Entries(), entries);
  }
}

TEST(ArchiveWriter, EightBitsKeepThePaletteAndFallBackWhenColoursDoNotFit) {
  ImageEntry indexed;
  indexed.picture = Gradient(4, 4, 3);
  indexed.picture.bitsPerPixel = 8;
  indexed.picture.palette = {0xABCDEF, 0x020040, 0x000040, 0x010040};
  ImageEntry rich;
  rich.picture = Gradient(40, 40, 1000);
  ImageArchive a;
  a.LoadFromMemory(WriteArchive({indexed, rich}, PictureStorage::Dib8));
  EXPECT_EQ(a.Entry(0).picture.bitsPerPixel, 8);
  EXPECT_EQ(a.Entry(0).picture.palette, indexed.picture.palette);  // colour table order kept
  EXPECT_EQ(a.Entry(0).picture.pixels, indexed.picture.pixels);
  EXPECT_EQ(a.Entry(1).picture.bitsPerPixel, 24);
  EXPECT_EQ(a.Entry(1).picture.pixels, rich.picture.pixels);
}

bool Contains(const std::vector<uint8_t>& bytes, std::string_view s) {
  return std::search(bytes.begin(), bytes.end(), s.begin(), s.end()) != bytes.end();
}

TEST(ArchiveWriter, LeavesOutZeroGapsAndEmptyNamesAndStoresTheRest) {
  ImageEntry plain;
  plain.picture = Gradient(2, 2, 2);
  auto bytes = WriteArchive({plain});
  EXPECT_FALSE(Contains(bytes, "SkipWidth"));
  EXPECT_FALSE(Contains(bytes, "SkipHeight"));
  EXPECT_FALSE(Contains(bytes, "Name"));
  for (auto p : {"PatternWidth", "PatternHeight", "SystemMemory", "Transparent", "TransparentColor",
                 "Picture.Data", "TPF0", "TPictureCollectionComponent"}) {
    EXPECT_TRUE(Contains(bytes, p)) << p;
  }
  plain.skipWidth = 1;
  plain.name = "n";
  bytes = WriteArchive({plain});
  EXPECT_TRUE(Contains(bytes, "SkipWidth"));
  EXPECT_TRUE(Contains(bytes, "Name"));
  // The resource header records the size of the data after it.
  size_t headerEnd = 3 + 28 + 2 + 4;
  uint32_t size = bytes[headerEnd - 4] | bytes[headerEnd - 3] << 8 | bytes[headerEnd - 2] << 16 |
                  uint32_t(bytes[headerEnd - 1]) << 24;
  EXPECT_EQ(size, bytes.size() - headerEnd);
}

TEST(ArchiveWriter, EmptyListAndEmptyPictureRoundTrip) {
  ImageArchive a;
  a.LoadFromMemory(WriteArchive({}));
  EXPECT_EQ(a.Count(), 0);
  a.LoadFromMemory(WriteArchive({ImageEntry{}}, PictureStorage::Bitmap24));
  ASSERT_EQ(a.Count(), 1);
  EXPECT_TRUE(a.Entry(0).picture.Empty());
  EXPECT_THROW(WriteArchive({}, PictureStorage::Dib24, std::string(100, 'R')),
               std::invalid_argument);
}

}  // namespace
}  // namespace pres
