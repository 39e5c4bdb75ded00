// The picture identifiers: named after their sources, refused when they clash, and the only
// way the game and its tests write a picture.
#include "tools/pictureids/picture_ids.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "tests/tools/source_grep.h"

namespace {

TEST(PictureIds, NamedAfterTheirSourcesAndNeverTwice) {
  const artbuild::Manifest ok = artbuild::ParseManifest(
      "0 box:8x8\n1 play/bosses/gunship-attack.svg pattern=8x8\n2 font.svg name=ImageListFont\n");
  ASSERT_TRUE(ok.problems.empty());
  const pictureids::Header header = pictureids::PictureIdsHeader(ok);
  EXPECT_TRUE(header.problems.empty());
  EXPECT_NE(header.text.find("inline constexpr int32_t kGunshipAttack = 1;\n"), std::string::npos);
  EXPECT_NE(header.text.find("inline constexpr int32_t kImageListFont = 2;\n"), std::string::npos);
  EXPECT_EQ(header.text.find("= 0;"), std::string::npos) << "a box has no name";

  const artbuild::Manifest clash =
      artbuild::ParseManifest("0 a/ray.svg\n1 b/ray.svg\n2 c/2d-map.svg\n");
  const pictureids::Header refused = pictureids::PictureIdsHeader(clash);
  ASSERT_EQ(refused.problems.size(), 2u);
  EXPECT_NE(refused.problems[0].find("line 2: a second picture named Ray"), std::string::npos);
  EXPECT_NE(refused.problems[1].find("2dMap"), std::string::npos);
}

// A picture written as a number in the game, its tools or the tests that use the real archive
// (the engine's and presentation's tests draw from archives of their own).
TEST(PictureIds, NoPictureIsNumberedOutsideTheManifest) {
  const std::regex numbered(
      R"(\bk\w*Image = \d|SetImage\([^,()]+, \d|\.(Flash)?Image = \d|Image == \d|)"
      R"(\.(Image|FlashImage|image), \d+\))");
  for (const std::string& line :
       testing_support::SourceLinesMatching(numbered, {"game", "tools", "tests", "bench", "fuzz"},
                                            {"tests/engine/", "tests/presentation/"})) {
    ADD_FAILURE() << line;
  }
}

}  // namespace
