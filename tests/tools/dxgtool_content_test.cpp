// dxgtool pack, check and sheet on a small manifest written in the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/scratch_folder.h"
#include "tools/common/file_io.h"
#include "tools/dxgtool/commands.h"

namespace {

namespace fs = std::filesystem;

class DxgtoolContentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "art");
    std::ofstream(dir_ / "art" / "pair.svg")
        << "<svg xmlns='http://www.w3.org/2000/svg' width='32' height='16'>"
           "<rect x='0' y='0' width='16' height='16' fill='#000000'/>"
           "<circle cx='24' cy='8' r='6' fill='#ff8800'/></svg>";
    Write("manifest",
          "0 box:8x8\n1 art/pair.svg pattern=16x16\n2 box:64x16 pattern=16x16 label=\"x\"\n");
    Write("catalogue.tsv",
          "0\t*\t*\t-\t1\t-\t-\tunused\n1\t32\t16\t16x16\t2\t-\t-\tpair\n2\t64\t16\t16x16\t4\t-\t-"
          "\tstrip\n");
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name) << text;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  tolvane::ScratchFolder dir_;
};

TEST_F(DxgtoolContentTest, PackWritesTheSameBytesEveryTimeAndTheyPassCheck) {
  ASSERT_EQ(dxgtool::Pack({Path("manifest"), "-o", Path("a.dxg")}), 0);
  ASSERT_EQ(dxgtool::Pack({Path("manifest"), "-o", Path("b.dxg")}), 0);
  const auto a = tools::ReadBytes(Path("a.dxg"));
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a, tools::ReadBytes(Path("b.dxg")));
  EXPECT_EQ(dxgtool::Check({Path("a.dxg"), Path("catalogue.tsv")}), 0);

  const auto archive = dxgtool::OpenArchive(Path("a.dxg"));
  ASSERT_TRUE(archive.has_value());
  ASSERT_EQ(archive->Count(), 3);
  const pres::ImageEntry& pair = archive->Entry(1);
  EXPECT_EQ(pair.patternWidth, 16);
  // The painted black square stays visible as near-black; the corner outside the circle is key.
  EXPECT_EQ(pair.picture.At(8, 8), 0x080808u);
  EXPECT_EQ(pair.picture.At(17, 0), 0u);
  EXPECT_EQ(pair.picture.At(24, 8), 0xFF8800u);

  ASSERT_EQ(dxgtool::Sheet({Path("a.dxg"), Path("sheet.png"), Path("catalogue.tsv")}), 0);
  const auto png = tools::ReadBytes(Path("sheet.png"));
  ASSERT_TRUE(png.has_value());
  ASSERT_GT(png->size(), 8u);
  EXPECT_EQ((*png)[1], 'P');
}

TEST_F(DxgtoolContentTest, RefusalsLeaveNoArchiveBehind) {
  Write("holes", "0 box:8x8\n2 box:8x8\n");
  EXPECT_EQ(dxgtool::Pack({Path("holes"), "-o", Path("h.dxg")}), 1);
  EXPECT_FALSE(fs::exists(dir_ / "h.dxg"));
  Write("missing", "0 art/none.svg\n");
  EXPECT_EQ(dxgtool::Pack({Path("missing"), "-o", Path("m.dxg")}), 1);
  EXPECT_FALSE(fs::exists(dir_ / "m.dxg"));
  EXPECT_EQ(dxgtool::Pack({Path("manifest")}), 2);

  // An archive that breaks the catalogue fails the check.
  Write("short", "0 box:8x8\n1 art/pair.svg\n2 box:64x16 pattern=16x16\n");
  ASSERT_EQ(dxgtool::Pack({Path("short"), "-o", Path("s.dxg")}), 0);
  EXPECT_EQ(dxgtool::Check({Path("s.dxg"), Path("catalogue.tsv")}), 1);
  EXPECT_EQ(dxgtool::Check({Path("s.dxg"), Path("no-such.tsv")}), 1);
  EXPECT_EQ(dxgtool::Check({Path("s.dxg")}), 2);
}

}  // namespace
