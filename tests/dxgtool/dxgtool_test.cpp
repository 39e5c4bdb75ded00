// dxgtool's list and extract on an archive written in the test.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <filesystem>
#include <fstream>

#include "tests/support/scratch_folder.h"
#include "tools/dxgtool/commands.h"

namespace dxgtool {
namespace {

namespace fs = std::filesystem;

class DxgtoolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pres::ImageEntry font;
    font.name = "Image List/Font";
    font.patternWidth = 2;
    font.patternHeight = 1;
    font.picture.width = 4;
    font.picture.height = 2;
    font.picture.pixels = {0x110000, 0x220000, 0x330000, 0x440000,
                           0x550000, 0x660000, 0x770000, 0x880000};
    pres::ImageEntry plain;
    plain.picture.width = 1;
    plain.picture.height = 1;
    plain.picture.pixels = {0x00FF00};
    auto bytes = pres::WriteArchive({font, plain, pres::ImageEntry{}});
    archive_ = (dir_ / "a.dxg").string();
    std::ofstream(archive_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  tolvane::ScratchFolder dir_;
  std::string archive_;
};

TEST_F(DxgtoolTest, ExtractWritesEveryPatternAsAPng) {
  auto out = dir_ / "out";
  ASSERT_EQ(Extract({archive_, out.string()}), 0);
  int files = 0;
  for (const auto& f : fs::directory_iterator(out)) files += f.path().extension() == ".png";
  EXPECT_EQ(files, 5);  // 4 font cells, 1 plain picture, none for the empty one
  int w = 0, h = 0, n = 0;
  unsigned char* rgb = stbi_load((out / "000-Image_List_Font-p003.png").c_str(), &w, &h, &n, 3);
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(rgb[0], 0x77);  // the bottom row's second cell
  EXPECT_EQ(rgb[3], 0x88);
  stbi_image_free(rgb);
  EXPECT_TRUE(fs::exists(out / "001-p000.png"));
}

TEST_F(DxgtoolTest, FailuresAndBadUsageHaveTheirStatus) {
  EXPECT_EQ(List({archive_}), 0);
  EXPECT_EQ(List({}), 2);
  EXPECT_EQ(Extract({archive_}), 2);
  EXPECT_EQ(List({(dir_ / "missing.dxg").string()}), 1);
  std::ofstream((dir_ / "broken.dxg").string()) << "not an archive";
  EXPECT_EQ(List({(dir_ / "broken.dxg").string()}), 1);
  EXPECT_EQ(Extract({archive_, "/proc/no/such/place"}), 1);
}

}  // namespace
}  // namespace dxgtool
