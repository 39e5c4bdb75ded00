// The catalogue check: each rule an archive entry must keep, and what a broken one reports.
#include "tools/artbuild/catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using artbuild::CheckArchive;
using artbuild::ParseCatalogue;

pres::ImageEntry Entry(int w, int h, int pw = 0, int ph = 0, uint32_t fill = 0x336699) {
  pres::ImageEntry e;
  e.picture.width = w;
  e.picture.height = h;
  e.picture.bitsPerPixel = 24;
  e.picture.pixels.assign(static_cast<size_t>(w * h), fill);
  e.patternWidth = pw;
  e.patternHeight = ph;
  return e;
}

// index 0: a 4-pattern strip; 1: its flash form; 2: at most 40 x 20; 3: anything; 4: the font.
const char* const kCatalogue =
    "# index\twidth\theight\tpattern\tcount\tflash_of\tname\trole\n"
    "0\t128\t32\t32x32\t4\t-\t-\tstrip\n"
    "1\t128\t32\t32x32\t4\t0\t-\tstrip flash\n"
    "2\t<=40\t<=20\t-\t1\t-\t-\tcaption\n"
    "3\t*\t*\t-\t1\t-\t-\tunused\n"
    "4\t256\t96\t-\t1\t-\tImageListFont\tfont\n";

std::vector<pres::ImageEntry> GoodEntries() {
  pres::ImageEntry font = Entry(256, 96, 0, 0, 0);
  font.name = "ImageListFont";
  font.picture.pixels[0] = 0xFFFFFF;  // ink in the first cell's first column
  return {Entry(128, 32, 32, 32), Entry(128, 32, 32, 32, 0xFFFFFF), Entry(40, 12), Entry(8, 8),
          font};
}

TEST(Catalogue, ReadsBoundsPatternsAndFlashPairs) {
  const auto c = ParseCatalogue(kCatalogue);
  ASSERT_TRUE(c.problems.empty());
  ASSERT_EQ(c.rows.size(), 5u);
  EXPECT_EQ(c.rows[0].patternWidth, 32);
  EXPECT_EQ(c.rows[1].flashOf, 0);
  EXPECT_EQ(c.rows[2].width.kind, artbuild::Bound::AtMost);
  EXPECT_TRUE(c.rows[2].width.Allows(40));
  EXPECT_FALSE(c.rows[2].width.Allows(41));
  EXPECT_TRUE(c.rows[3].height.Allows(5000));
  EXPECT_EQ(c.rows[4].name, "ImageListFont");

  const auto bad = ParseCatalogue(
      "0\t1\t1\t-\t1\t-\t-\tx\n2\t1\t1\t-\t1\t-\t-\tx\n1\tabc\t1\t-\t1\t-\t-\tx\n1\t1\t1\n");
  ASSERT_EQ(bad.problems.size(), 3u);
  EXPECT_EQ(bad.problems[0].line, 2);
  EXPECT_EQ(bad.problems[0].message, "index '2' is not 1");
  EXPECT_EQ(bad.problems[1].message, "a size, pattern, count or flash_of field does not read");
  EXPECT_EQ(bad.problems[2].message, "expected 8 tab-separated fields, found 3");
}

TEST(Catalogue, AGoodArchivePasses) {
  EXPECT_EQ(CheckArchive(GoodEntries(), ParseCatalogue(kCatalogue)), std::vector<std::string>{});
}

TEST(Catalogue, EachBrokenRuleIsNamed) {
  const auto catalogue = ParseCatalogue(kCatalogue);
  auto expect = [&catalogue](std::vector<pres::ImageEntry> entries, const std::string& message) {
    const auto found = CheckArchive(entries, catalogue);
    ASSERT_EQ(found.size(), 1u) << message << (found.empty() ? "" : "\n got: " + found[0]);
    EXPECT_EQ(found[0], message);
  };
  auto entries = GoodEntries();

  auto e = entries;
  e[0] = Entry(96, 32, 32, 32);
  e[1] = Entry(96, 32, 32, 32);
  {
    const auto found = CheckArchive(e, catalogue);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0], "entry 0 (strip): width 96, should be 128");
    EXPECT_EQ(found[1], "entry 0 (strip): 3 patterns, should be 4");
  }
  e = entries;
  e[0].patternWidth = 16;
  {
    // A wrong cell size also changes the count, and the flash form no longer fits.
    const auto found = CheckArchive(e, catalogue);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0], "entry 0 (strip): pattern 16x32, should be 32x32");
    EXPECT_EQ(found[1], "entry 0 (strip): 8 patterns, should be 4");
  }
  e = entries;
  e[1] = Entry(128, 32, 64, 32);
  {
    const auto found = CheckArchive(e, catalogue);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[2],
              "entry 1 (strip flash): as the flash form of entry 0 it needs the same pattern size "
              "and at least as "
              "many patterns");
  }
  e = entries;
  e[2] = Entry(40, 21);
  expect(e, "entry 2 (caption): height 21, should be at most 20");
  e = entries;
  e[2].patternWidth = 40;
  e[2].patternHeight = 12;
  expect(e, "entry 2 (caption): has a pattern size; a single picture keeps none");
  e = entries;
  e[3].name = "ImageListFont";
  expect(e, "entry 3 (unused): is named 'ImageListFont' but should have no name");
  e = entries;
  e[3].skipWidth = 1;
  expect(e, "entry 3 (unused): has gaps between patterns; every entry keeps none");
  e = entries;
  e[3].transparentColor = 0xFF00FF;
  expect(e, "entry 3 (unused): must be transparent with pure black as its key");
  e = entries;
  e[3].picture = pres::Picture{};
  expect(e, "entry 3 (unused): has no picture");
  e = entries;
  e[4].picture.pixels[10] = 0xFFFFFF;  // column 10 of the first glyph cell: past its advance
  expect(e, "entry 4 (font): the glyph of character 32 reaches into the next character's space");
  e = entries;
  e[4] = Entry(250, 96, 0, 0, 0);
  e[4].name = "ImageListFont";
  {
    const auto found = CheckArchive(e, catalogue);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[1], "entry 4 (font): the font must be 16 x 6 equal glyph cells");
  }
  e = entries;
  e.pop_back();
  expect(e, "the archive has 4 entries, the catalogue 5");
}

}  // namespace
