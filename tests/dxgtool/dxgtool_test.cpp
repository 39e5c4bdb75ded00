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

TEST_F(DxgtoolTest, ListShowsEachEntrysPictureAndCells) {
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(List({archive_}), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "index  name                         picture bpp     pattern       gap   count  "
            "transparency\n"
            "    0  Image List/Font                  4x2  24         2x1       0x0       4  "
            "key #000000\n"
            "    1  -                                1x1  24         1x1       0x0       1  "
            "key #000000\n"
            "    2  -                                0x0   0         0x0       0x0       0  "
            "key #000000\n");

  // Gaps, a key colour (stored blue-green-red) and an opaque entry. 35 pixels in cells of
  // 16 with gaps of 2 are one cell: the 17 left over are no whole cell.
  pres::ImageEntry gapped;
  gapped.picture.width = 35;
  gapped.picture.height = 16;
  gapped.picture.pixels.assign(35 * 16, 0x123456);
  gapped.patternWidth = 16;
  gapped.skipWidth = 2;
  gapped.transparentColor = 0xFF8000;
  pres::ImageEntry opaque = gapped;
  opaque.transparent = false;
  const auto bytes = pres::WriteArchive({gapped, opaque});
  const std::string path = (dir_ / "b.dxg").string();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(List({path}), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "index  name                         picture bpp     pattern       gap   count  "
            "transparency\n"
            "    0  -                              35x16  24       16x16       2x0       1  "
            "key #0080FF\n"
            "    1  -                              35x16  24       16x16       2x0       1  "
            "opaque\n");
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
