// An archive opened from its file: the same entries as one loaded whole, each picture's
// pixels decoded only when asked for and then the same, again after they were let go.
#include <gtest/gtest.h>

#include <fstream>
#include <utility>

#include "presentation/image_archive.h"
#include "test_archive.h"
#include "tests/support/scratch_folder.h"

namespace pres {
namespace {

Picture Pattern(int w, int h, int bits, int seed) {
  Picture p;
  p.width = w;
  p.height = h;
  p.bitsPerPixel = bits;
  for (int i = 0; i < w * h; ++i)
    p.pixels.push_back(uint32_t(i * 2654435761u + seed) % 6 * 0x2A1F33u);
  return p;
}

std::string Save(const tolvane::ScratchFolder& folder, const std::vector<uint8_t>& bytes) {
  const std::string path = (folder / "tolvgfx.dxg").string();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

TEST(ArchiveOpen, DecodesOnDemandWhatAWholeLoadDecodes) {
  std::vector<ImageEntry> entries(4);
  entries[0].name = "ImageListFont";
  entries[0].picture = Pattern(16, 8, 8, 1);
  entries[1].picture = Pattern(33, 5, 24, 2);  // rows with padding
  entries[3].picture = Pattern(3, 70, 24, 3);  // entry 2 has no picture
  const tolvane::ScratchFolder folder;
  for (PictureStorage storage :
       {PictureStorage::Dib8, PictureStorage::Dib24, PictureStorage::Bitmap24}) {
    SCOPED_TRACE(int(storage));
    const std::string path = Save(folder, WriteArchive(entries, storage));
    ImageArchive whole;
    whole.Load(path);
    ImageArchive opened;
    opened.Open(path);
    ASSERT_EQ(opened.Count(), whole.Count());
    EXPECT_EQ(opened.BuildColorTable(), whole.BuildColorTable());
    for (int i = 0; i < whole.Count(); ++i) {
      const Picture& want = whole.Entry(i).picture;
      const Picture& before = std::as_const(opened).Entry(i).picture;
      EXPECT_EQ(before.width, want.width);
      EXPECT_EQ(before.height, want.height);
      EXPECT_EQ(before.bitsPerPixel, want.bitsPerPixel);
      EXPECT_EQ(before.palette, want.palette);
      EXPECT_TRUE(before.pixels.empty()) << "decoded before it was asked for";
      EXPECT_EQ(opened.Decoded(i).pixels, want.pixels);
      opened.ReleasePixels(i);
      EXPECT_TRUE(opened.Entry(i).picture.pixels.empty());
      EXPECT_EQ(opened.Decoded(i).pixels, want.pixels) << "decoded again";
      whole.ReleasePixels(i);
      EXPECT_EQ(whole.Entry(i).picture.pixels, want.pixels) << "a loaded picture stays";
    }
  }
}

TEST(ArchiveOpen, KeepsThePicturesACallerGaveAndRefusesAFaultyFileAtOnce) {
  const tolvane::ScratchFolder folder;
  std::vector<ImageEntry> entries(2);
  entries[0].picture = Pattern(4, 4, 24, 4);
  entries[1].picture = Pattern(5, 3, 24, 5);
  const std::string path = Save(folder, WriteArchive(entries));
  ImageArchive a;
  a.Open(path);
  const Picture mine = Pattern(2, 2, 24, 6);
  a.Entry(0).picture = mine;
  EXPECT_EQ(a.Decoded(0).pixels, mine.pixels);
  a.ReleasePixels(0);
  EXPECT_EQ(a.Entry(0).picture.pixels, mine.pixels);
  EXPECT_EQ(a.Entries()[1].picture.pixels, entries[1].picture.pixels)
      << "the list handed out for changes has every picture";

  // A picture whose rows are cut short: refused when opened, with the bitmap's own text.
  auto broken = test::ArchiveOf(test::Item(
      test::PictureProperty("TDIB", test::ByteBuilder().InfoHeader(4, 4, 24).Zeros(20).Get())));
  try {
    a.Open(Save(folder, broken));
    FAIL() << "opened a broken picture";
  } catch (const ArchiveError& e) {
    EXPECT_STREQ(e.what(), kBadDibError);
  }
  EXPECT_EQ(a.Count(), 0);
  EXPECT_THROW(a.Open((folder / "missing.dxg").string()), FileOpenError);
}

}  // namespace
}  // namespace pres
