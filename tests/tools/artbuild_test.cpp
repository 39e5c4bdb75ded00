// Building archive entries: the manifest, colour keying and placeholder boxes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/scratch_folder.h"
#include "tools/artbuild/build_entries.h"
#include "tools/artbuild/colour_key.h"
#include "tools/artbuild/manifest.h"
#include "tools/artbuild/raster.h"

namespace {

using artbuild::ParseManifest;

std::vector<std::string> Problems(const std::string& text) {
  std::vector<std::string> out;
  for (const auto& p : ParseManifest(text).problems)
    out.push_back(std::to_string(p.line) + ": " + p.message);
  return out;
}

TEST(Manifest, ReadsSourcesOptionsAndBoxes) {
  const auto m = ParseManifest(
      "# comment\n"
      "0 box:8x8\n"
      "1  play/a.svg   pattern=32x16 gap=2x1 key=ff00ff alpha=200 name=First   # trailing comment\n"
      "2 box:440x48 label=\"stage picture #1\" color=ffffff fill=none\n"
      "3 font.svg name=ImageListFont key=none\n");
  ASSERT_TRUE(m.problems.empty());
  ASSERT_EQ(m.entries.size(), 4u);
  EXPECT_EQ(m.entries[0].box->width, 8);
  EXPECT_TRUE(m.entries[0].box->filled);
  const auto& a = m.entries[1];
  EXPECT_EQ(a.source, "play/a.svg");
  EXPECT_EQ(a.line, 3);
  EXPECT_EQ(a.patternWidth, 32);
  EXPECT_EQ(a.patternHeight, 16);
  EXPECT_EQ(a.skipWidth, 2);
  EXPECT_EQ(a.skipHeight, 1);
  EXPECT_EQ(a.keyColour, 0xFF00FFu);
  EXPECT_EQ(a.alphaThreshold, 200);
  EXPECT_EQ(a.name, "First");
  const auto& box = *m.entries[2].box;
  EXPECT_EQ(box.label, "stage picture #1");
  EXPECT_EQ(box.colour, 0xFFFFFFu);
  EXPECT_FALSE(box.filled);
  EXPECT_FALSE(m.entries[3].transparent);
}

TEST(Manifest, RefusesHolesDuplicatesAndBadOptionsByLine) {
  EXPECT_EQ(Problems("0 box:8x8\n2 box:8x8\n"),
            (std::vector<std::string>{"2: index 1 is missing"}));
  EXPECT_EQ(Problems("0 box:8x8\n4 box:8x8\n5 box:8x8\n"),
            (std::vector<std::string>{"2: indices 1-3 are missing"}));
  EXPECT_EQ(Problems("0 box:8x8\n0 box:8x8\n"),
            (std::vector<std::string>{"2: index 0 is out of order or given twice (expected 1)"}));
  EXPECT_EQ(Problems("0 a.svg name=X\n1 b.svg name=X\n"),
            (std::vector<std::string>{"2: name 'X' is already given on line 1"}));
  EXPECT_EQ(Problems("0 a.svg label=\"x\"\n"),
            (std::vector<std::string>{"1: 'label' belongs to box sources only"}));
  EXPECT_EQ(Problems("0 box:0x8\n"),
            (std::vector<std::string>{"1: box size '0x8' is not WIDTHxHEIGHT of 1-4096"}));
  EXPECT_EQ(Problems("0 a.svg pattern=32\n"),
            (std::vector<std::string>{"1: pattern '32' is not WIDTHxHEIGHT"}));
  EXPECT_EQ(Problems("0 a.svg key=black\n"),
            (std::vector<std::string>{"1: key 'black' is not RRGGBB or none"}));
  EXPECT_EQ(Problems("0 a.svg alpha=0\n"), (std::vector<std::string>{"1: alpha '0' is not 1-255"}));
  EXPECT_EQ(Problems("0 a.svg size=3x3\n"), (std::vector<std::string>{"1: unknown option 'size'"}));
  EXPECT_EQ(Problems("0 a.svg pattern\n"),
            (std::vector<std::string>{"1: 'pattern' is not an option of the form key=value"}));
  EXPECT_EQ(Problems("0 box:8x8 label=\"open\n"),
            (std::vector<std::string>{"1: a quoted text is never closed"}));
  EXPECT_EQ(Problems("x a.svg\n0\n"),
            (std::vector<std::string>{"1: index 'x' is not a whole number of 0 or more",
                                      "2: an entry needs an index and a source"}));
  // A bad line still counts its index, so one mistake gives one message, not a cascade.
  EXPECT_EQ(Problems("0 a.svg alpha=0\n1 b.svg\n2 c.svg\n"),
            (std::vector<std::string>{"1: alpha '0' is not 1-255"}));
}

TEST(ColourKey, SoftEdgesBecomeKeyOrFullColourAndBlackStaysVisible) {
  artbuild::Rgba image;
  image.width = 5;
  image.height = 1;
  image.argb = {
      0x00000000,  // transparent
      0x7F3F0000,  // half-covered red edge, below the threshold: key
      0x80800000,  // half-covered red edge, at the threshold: full red
      0xFF000000,  // opaque pure black: must not vanish
      0xFF123456,  // opaque colour unchanged
  };
  const auto keyed = artbuild::KeyPicture(image, true, 0x000000, 128);
  EXPECT_EQ(keyed.bitsPerPixel, 24);
  EXPECT_EQ(keyed.pixels,
            (std::vector<uint32_t>{0x000000, 0x000000, 0xFF0000, 0x080808, 0x123456}));
  // Another key: transparent pixels take it, and an opaque pixel of that colour is moved off it.
  image.argb[3] = 0xFFFF00FF;
  const auto magenta = artbuild::KeyPicture(image, true, 0xFF00FF, 128);
  EXPECT_EQ(magenta.pixels[0], 0xFF00FFu);
  EXPECT_EQ(magenta.pixels[3], 0xF708F7u);
  // An opaque entry keeps the picture as drawn over black.
  const auto opaque = artbuild::KeyPicture(image, false, 0x000000, 128);
  EXPECT_EQ(opaque.pixels[2], 0x800000u);
}

TEST(Raster, BoxCellsFollowThePatternGridAndNeverUseTheKey) {
  artbuild::BoxSpec box;
  box.width = 96;
  box.height = 32;
  box.label = "shot";
  const artbuild::Rgba image = artbuild::RenderBox(box, 19, 32, 32, 0, 0);
  ASSERT_EQ(image.width, 96);
  ASSERT_EQ(image.height, 32);
  const auto keyed = artbuild::KeyPicture(image, true, 0, 128);
  for (uint32_t p : keyed.pixels) ASSERT_NE(p, 0u) << "a filled box must be opaque everywhere";
  // Each cell has its own outline: the columns at 31 and 32 are both edge pixels.
  EXPECT_EQ(image.At(31, 16), image.At(32, 16));
  EXPECT_NE(image.At(31, 16), image.At(16, 16));
  // An unfilled box is open inside.
  box.filled = false;
  const artbuild::Rgba open = artbuild::RenderBox(box, 19, 32, 32, 0, 0);
  EXPECT_EQ(open.At(16, 28) >> 24, 0u);
  EXPECT_EQ(open.At(0, 28) >> 24, 255u);
  // The same box always gives the same pixels.
  EXPECT_EQ(artbuild::RenderBox(box, 19, 32, 32, 0, 0).argb, open.argb);
  // Cells are the game's patterns: 35 wide in cells of 16 with gaps of 2 holds one cell (the
  // 17 pixels left are no whole cell), 34 wide holds two.
  box.filled = true;
  box.width = 35;
  box.height = 16;
  const artbuild::Rgba one = artbuild::RenderBox(box, 19, 16, 16, 2, 0);
  EXPECT_EQ(one.At(5, 5) >> 24, 255u);
  EXPECT_EQ(one.At(20, 5) >> 24, 0u) << "no second cell";
  box.width = 34;
  const artbuild::Rgba two = artbuild::RenderBox(box, 19, 16, 16, 2, 0);
  EXPECT_EQ(two.At(20, 5) >> 24, 255u);
  EXPECT_EQ(two.At(16, 5) >> 24, 0u) << "the gap between the cells";
}

TEST(Raster, SvgRendersAtItsSizeAndBadFilesAreReported) {
  const tolvane::ScratchFolder dir;
  std::ofstream(dir / "sq.svg") << "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='6'>"
                                   "<rect x='2' y='1' width='4' height='3' fill='#00ff00'/></svg>";
  std::ofstream(dir / "broken.svg") << "<svg";
  std::ofstream(dir / "huge.svg")
      << "<svg xmlns='http://www.w3.org/2000/svg' width='100000' height='6'/>";
  std::string error;
  const auto image = artbuild::RenderSvg((dir / "sq.svg").string(), &error);
  ASSERT_TRUE(image.has_value()) << error;
  EXPECT_EQ(image->width, 10);
  EXPECT_EQ(image->height, 6);
  EXPECT_EQ(image->At(3, 2), 0xFF00FF00u);
  EXPECT_EQ(image->At(0, 0), 0u);
  EXPECT_FALSE(artbuild::RenderSvg((dir / "broken.svg").string(), &error).has_value());
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(artbuild::RenderSvg((dir / "huge.svg").string(), &error).has_value());
  EXPECT_EQ(error, "is larger than 4096 pixels on a side");

  // Building entries: SVG and box lines become keyed pictures; a missing file names its line.
  const auto m = ParseManifest("0 sq.svg pattern=5x6\n1 box:4x4\n2 missing.svg\n");
  const auto built = artbuild::BuildEntries(m, dir.path().string());
  ASSERT_EQ(built.entries.size(), 2u);
  EXPECT_EQ(built.entries[0].patternWidth, 5);
  EXPECT_EQ(built.entries[0].picture.At(3, 2), 0x00FF00u);
  EXPECT_EQ(built.entries[0].picture.At(0, 0), 0u);
  ASSERT_EQ(built.problems.size(), 1u);
  EXPECT_EQ(built.problems[0].line, 3);

  // Pictures the game's reader would refuse together are refused when packing.
  const auto tooMany = artbuild::BuildEntries(ParseManifest("0 box:8x8\n1 box:8x8\n2 box:8x8\n"),
                                              dir.path().string(), 130);
  EXPECT_EQ(tooMany.entries.size(), 2u);
  ASSERT_EQ(tooMany.problems.size(), 1u);
  EXPECT_EQ(tooMany.problems[0].line, 3);
  EXPECT_EQ(artbuild::kMaxArchivePixels, 67108864);
}

}  // namespace
