// Bitmaps written by others: every good one decodes to its reference rendering, both as
// a complete bitmap file and as a header-less DIB; questionable and bad ones decode or
// fail with the DIB error, and never crash or read out of bounds (run under ASan).
#include <gtest/gtest.h>
#include <stb_image.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "presentation/image_archive.h"
#include "test_archive.h"

namespace pres {
namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(TOLVANE_TESTDATA_DIR) / "bmp" / "bmpsuite-2.8";
const fs::path kPacked = fs::path(TOLVANE_TESTDATA_DIR) / "bmp" / "bmpsuite-2.8-packed-dib";

// Each good image and the rendering it must match.
struct Good {
  const char* image;
  const char* reference;
};
constexpr Good kGood[] = {
    {"pal1", "pal1"},           {"pal1bg", "pal1bg"},
    {"pal1wb", "pal1"},         {"pal4", "pal4"},
    {"pal4gs", "pal4gs"},       {"pal4rle", "pal4"},
    {"pal8-0", "pal8"},         {"pal8", "pal8"},
    {"pal8gs", "pal8gs"},       {"pal8nonsquare", "pal8nonsquare-e"},
    {"pal8os2", "pal8"},        {"pal8rle", "pal8"},
    {"pal8topdown", "pal8"},    {"pal8v4", "pal8"},
    {"pal8v5", "pal8"},         {"pal8w124", "pal8w124"},
    {"pal8w125", "pal8w125"},   {"pal8w126", "pal8w126"},
    {"rgb16-565", "rgb16-565"}, {"rgb16-565pal", "rgb16-565"},
    {"rgb16", "rgb16"},         {"rgb16bfdef", "rgb16"},
    {"rgb24", "rgb24"},         {"rgb24pal", "rgb24"},
    {"rgb32", "rgb24"},         {"rgb32bf", "rgb24"},
    {"rgb32bfdef", "rgb24"},
};

test::Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return test::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Picture Reference(const char* name) {
  auto path = kSuite / "html" / (std::string(name) + ".png");
  int w = 0, h = 0, channels = 0;
  unsigned char* rgb = stbi_load(path.c_str(), &w, &h, &channels, 3);
  Picture p;
  if (!rgb) return p;
  p.width = w;
  p.height = h;
  for (int i = 0; i < w * h; ++i) {
    p.pixels.push_back(uint32_t(rgb[3 * i]) << 16 | uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2]);
  }
  stbi_image_free(rgb);
  return p;
}

Picture ReadEntry(std::string_view cls, const test::Bytes& payload) {
  ImageArchive a;
  a.LoadFromMemory(test::ArchiveOf(test::Item(test::PictureProperty(cls, payload))));
  return a.Entry(0).picture;
}

// Decodes or fails with the DIB error; anything else is a fault.
void DecodesOrRefuses(std::string_view cls, const test::Bytes& payload, const std::string& what) {
  try {
    Picture p = ReadEntry(cls, payload);
    EXPECT_EQ(p.pixels.size(), size_t(p.width) * size_t(p.height)) << what;
  } catch (const ArchiveError& e) {
    EXPECT_STREQ(e.what(), kBadDibError) << what;
  }
}

class Bmpsuite : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kSuite) || !fs::exists(kPacked)) GTEST_SKIP() << "no shared bitmap test data";
  }
};

TEST_F(Bmpsuite, GoodImagesMatchTheirReferenceAsBitmapFileAndAsDib) {
  int dibsChecked = 0;
  for (const Good& g : kGood) {
    SCOPED_TRACE(g.image);
    Picture want = Reference(g.reference);
    ASSERT_FALSE(want.Empty());
    Picture fromFile = ReadEntry(
        "TBitmap", test::BitmapPayload(ReadFile(kSuite / "g" / (std::string(g.image) + ".bmp"))));
    EXPECT_EQ(fromFile.width, want.width);
    EXPECT_EQ(fromFile.height, want.height);
    EXPECT_TRUE(fromFile.pixels == want.pixels);

    test::Bytes dib = ReadFile(kPacked / "g" / (std::string(g.image) + ".dib"));
    ASSERT_GE(dib.size(), 4u);
    uint32_t headerSize = dib[0] | dib[1] << 8;
    if (headerSize == 12 || headerSize == 40) {
      Picture fromDib = ReadEntry("TDIB", dib);
      EXPECT_TRUE(fromDib.pixels == want.pixels);
      ++dibsChecked;
    } else {
      DecodesOrRefuses("TDIB", dib, g.image);
    }
  }
  EXPECT_GE(dibsChecked, 20);
}

TEST_F(Bmpsuite, QuestionableAndBadImagesDecodeOrFailWithTheDibError) {
  int files = 0;
  for (const char* folder : {"q", "b", "x"}) {
    for (const auto& f : fs::directory_iterator(kSuite / folder)) {
      DecodesOrRefuses("TBitmap", test::BitmapPayload(ReadFile(f.path())), f.path().string());
      ++files;
    }
  }
  for (const char* folder : {"q", "b"}) {
    for (const auto& f : fs::directory_iterator(kPacked / folder)) {
      DecodesOrRefuses("TDIB", ReadFile(f.path()), f.path().string());
      ++files;
    }
  }
  EXPECT_GE(files, 100);
}

TEST_F(Bmpsuite, ClearlyBrokenFilesAreRefused) {
  for (const char* name :
       {"badbitcount", "badheadersize", "badwidth", "reallybig", "rletopdown", "shortfile"}) {
    auto file = ReadFile(kSuite / "b" / (std::string(name) + ".bmp"));
    EXPECT_THROW(ReadEntry("TBitmap", test::BitmapPayload(file)), ArchiveError) << name;
  }
}

}  // namespace
}  // namespace pres
