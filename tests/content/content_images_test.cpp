// The image archive the game ships: it matches the catalogue, the build reproduces it
// byte for byte, and every picture the stage codes name is a real entry.
#include <gtest/gtest.h>

#include <string>

#include "game/play/stage_codes.h"
#include "presentation/image_archive.h"
#include "tools/artbuild/build_entries.h"
#include "tools/artbuild/catalogue.h"
#include "tools/common/file_io.h"

namespace {

const std::string kImages = std::string(TOLVANE_SOURCE_DIR) + "/content/images";
const std::string kArchive = std::string(TOLVANE_BINARY_DIR) + "/game/tolvgfx.dxg";

artbuild::Catalogue LoadCatalogue() {
  const auto text = tools::ReadText(kImages + "/catalogue.tsv");
  EXPECT_TRUE(text.has_value());
  artbuild::Catalogue catalogue = artbuild::ParseCatalogue(text.value_or(""));
  EXPECT_TRUE(catalogue.problems.empty());
  return catalogue;
}

TEST(ContentImages, BuiltArchiveMatchesTheCatalogue) {
  pres::ImageArchive archive;
  ASSERT_NO_THROW(archive.Load(kArchive));
  for (const std::string& problem : artbuild::CheckArchive(archive.Entries(), LoadCatalogue())) {
    ADD_FAILURE() << problem;
  }
  EXPECT_NO_THROW(archive.Find("ImageListFont"));
}

// The game opens the archive and decodes each picture when it is first drawn: those pictures
// are the ones the art build made, pixel for pixel.
TEST(ContentImages, PackingAgainGivesTheBuiltBytesAndOpeningGivesTheBuiltPictures) {
  const auto text = tools::ReadText(kImages + "/manifest");
  ASSERT_TRUE(text.has_value());
  const artbuild::Manifest manifest = artbuild::ParseManifest(*text);
  ASSERT_TRUE(manifest.problems.empty());
  const artbuild::BuiltEntries built = artbuild::BuildEntries(manifest, kImages);
  ASSERT_TRUE(built.problems.empty());
  const auto onDisk = tools::ReadBytes(kArchive);
  ASSERT_TRUE(onDisk.has_value());
  EXPECT_TRUE(pres::WriteArchive(built.entries) == *onDisk)
      << "the archive is not reproducible or out of date";
  pres::ImageArchive opened;
  ASSERT_NO_THROW(opened.Open(kArchive));
  ASSERT_EQ(static_cast<size_t>(opened.Count()), built.entries.size());
  for (int i = 0; i < opened.Count(); ++i) {
    EXPECT_TRUE(opened.Decoded(i).pixels == built.entries[static_cast<size_t>(i)].picture.pixels)
        << "entry " << i;
  }
}

TEST(ContentImages, StageCodePicturesAreUsedEntries) {
  const artbuild::Catalogue catalogue = LoadCatalogue();
  auto used = [&catalogue](int index) {
    return index >= 0 && static_cast<size_t>(index) < catalogue.rows.size() &&
           catalogue.rows[static_cast<size_t>(index)].role.rfind("not used", 0) != 0;
  };
  for (const tolvane::StageCode& c : tolvane::kStageCodes) {
    if (c.image >= 0) {
      EXPECT_TRUE(used(c.image)) << c.name << " image " << c.image;
    }
    if (c.flashImage >= 0) {
      EXPECT_TRUE(used(c.flashImage)) << c.name << " flash " << c.flashImage;
      EXPECT_EQ(catalogue.rows[static_cast<size_t>(c.flashImage)].flashOf, c.image) << c.name;
    }
  }
  for (int16_t picture : tolvane::kPictureList)
    EXPECT_TRUE(used(picture)) << "picture entry " << picture;
}

}  // namespace
