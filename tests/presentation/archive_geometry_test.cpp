// Pattern cells of an entry and the shared colour table built from the pictures.
#include <gtest/gtest.h>

#include "presentation/image_archive.h"

namespace pres {
namespace {

ImageEntry EntryOf(int w, int h, int pw, int ph, int sw = 0, int sh = 0) {
  ImageEntry e;
  e.picture.width = w;
  e.picture.height = h;
  e.picture.pixels.assign(size_t(w) * size_t(h), 0);
  e.patternWidth = pw;
  e.patternHeight = ph;
  e.skipWidth = sw;
  e.skipHeight = sh;
  return e;
}

TEST(PatternGeometry, CountsCellsRowByRowWithGaps) {
  // 100 = 2 steps of 35 + 30: the last cell needs no gap after it.
  ImageEntry e = EntryOf(100, 50, 30, 20, 5, 5);
  EXPECT_EQ(PatternCount(e), 3 * 2);
  int32_t left = -1, top = -1;
  ASSERT_TRUE(PatternOrigin(e, 4, &left, &top));
  EXPECT_EQ(left, 35);
  EXPECT_EQ(top, 25);
  ASSERT_TRUE(PatternOrigin(e, 5, &left, &top));
  EXPECT_EQ(left, 70);
  EXPECT_EQ(top, 25);
  // 10 = 2 steps of 4 + 2: a remainder shorter than a cell is no cell.
  EXPECT_EQ(PatternCount(EntryOf(10, 3, 3, 3, 1, 0)), 2);
  EXPECT_EQ(PatternCount(EntryOf(64, 32, 16, 16)), 8);
}

TEST(PatternGeometry, ZeroOrNegativeSizeMeansTheWholePicture) {
  ImageEntry e = EntryOf(40, 30, 0, -3);
  EXPECT_EQ(PatternWidth(e), 40);
  EXPECT_EQ(PatternHeight(e), 30);
  EXPECT_EQ(PatternCount(e), 1);
  e.patternWidth = 8;  // the font's cells are set after loading
  e.patternHeight = 10;
  EXPECT_EQ(PatternCount(e), 15);
}

TEST(PatternGeometry, OutOfRangePatternsHaveNoOrigin) {
  ImageEntry e = EntryOf(32, 16, 16, 16);
  int32_t left = 0, top = 0;
  EXPECT_FALSE(PatternOrigin(e, -1, &left, &top));
  EXPECT_FALSE(PatternOrigin(e, 2, &left, &top));
  EXPECT_TRUE(PatternOrigin(e, 1, &left, &top));
  EXPECT_EQ(PatternCount(EntryOf(10, 10, 11, 10)), 0);  // cell larger than the picture
  EXPECT_EQ(PatternCount(ImageEntry{}), 0);             // empty picture
}

TEST(PatternGeometry, HostileSizesNeitherOverflowNorEscapeThePicture) {
  EXPECT_EQ(PatternCount(EntryOf(10, 10, INT32_MAX, 5, INT32_MAX, 0)), 0);
  // A negative gap counts as none, so no cell reaches outside the picture.
  ImageEntry e = EntryOf(20, 4, 10, 4, -5, INT32_MIN);
  EXPECT_EQ(PatternCount(e), 2);
  int32_t left = 0, top = 0;
  ASSERT_TRUE(PatternOrigin(e, 1, &left, &top));
  EXPECT_EQ(left, 10);
}

TEST(ColorTable, SystemColoursAtBothEndsAndPalettesInArchiveOrder) {
  ImageArchive a;
  ImageEntry first;
  first.picture.bitsPerPixel = 8;
  first.picture.palette = {0x000000, 0x123456, 0xFF0000, 0x123456, 0xABCDEF};
  ImageEntry deep;  // a 24-bit picture without a table adds nothing
  deep.picture.bitsPerPixel = 24;
  ImageEntry second;
  second.picture.bitsPerPixel = 4;
  second.picture.palette = {0xABCDEF, 0x010203};
  a.Entries() = {first, deep, second};
  ColorTable t = a.BuildColorTable();
  EXPECT_EQ(t[0], 0x000000u);
  EXPECT_EQ(t[1], 0x800000u);
  EXPECT_EQ(t[4], 0x000080u);
  EXPECT_EQ(t[7], 0xC0C0C0u);
  EXPECT_EQ(t[248], 0x808080u);
  EXPECT_EQ(t[249], 0xFF0000u);
  EXPECT_EQ(t[255], 0xFFFFFFu);
  EXPECT_EQ(t[8], 0x123456u);  // black and red are already there
  EXPECT_EQ(t[9], 0xABCDEFu);
  EXPECT_EQ(t[10], 0x010203u);
  EXPECT_EQ(t[11], 0u);  // still free
}

TEST(ColorTable, FillingStopsWhenTheTableIsFull) {
  ImageArchive a;
  for (int n = 0; n < 2; ++n) {
    ImageEntry e;
    e.picture.bitsPerPixel = 8;
    for (uint32_t i = 0; i < 256; ++i)
      e.picture.palette.push_back(0x100000u * uint32_t(n + 1) + i + 1);
    a.Entries().push_back(e);
  }
  ColorTable t = a.BuildColorTable();
  EXPECT_EQ(t[8], 0x100001u);
  EXPECT_EQ(t[247], 0x100001u + 239);
  EXPECT_EQ(t[248], 0x808080u);
}

}  // namespace
}  // namespace pres
