// Headless runs of the built game: the same run gives the same digests, pictures are
// written when asked, and a folder without the archive stops at start-up.
#include "tools/headless/headless_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "presentation/display.h"
#include "tools/headless/key_script.h"

namespace tolvane::headless {
namespace {

namespace fs = std::filesystem;

const fs::path kGameFolder = fs::path(TOLVANE_BINARY_DIR) / "game";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(HeadlessRun, SameRunSameDigestsAndPicturesWhenAsked) {
  ASSERT_TRUE(fs::exists(kGameFolder / "tolvgfx.dxg"));
  const fs::path pictures =
      fs::temp_directory_path() / ("tolvane-headless-" + std::to_string(::getpid()));
  fs::remove_all(pictures);

  std::string error;
  auto keys = KeyScript::Parse("2 +Space\n4 -Space +Right\n", &error);
  ASSERT_TRUE(keys.has_value()) << error;
  RunOptions options{kGameFolder.string(), 40, pictures.string(), 20, nullptr};
  std::ostringstream first;
  ASSERT_EQ(RunHeadless(options, &*keys, first), 0);

  options.pngDirectory.clear();
  auto sameKeys = KeyScript::Parse("2 +Space\n4 -Space +Right\n", &error);
  std::ostringstream second;
  ASSERT_EQ(RunHeadless(options, &*sameKeys, second), 0);

  const std::vector<std::string> lines = Lines(first.str());
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_THAT(lines[0], ::testing::MatchesRegex("frame 1 [0-9a-f]{16}"));
  EXPECT_THAT(lines[39], ::testing::StartsWith("frame 40 "));
  EXPECT_EQ(first.str(), second.str()) << "a run depends only on its keys";
  EXPECT_NE(lines[0].substr(8), lines[1].substr(8)) << "the boot scene changed the state";

  EXPECT_TRUE(fs::exists(pictures / "frame000020.png"));
  EXPECT_TRUE(fs::exists(pictures / "frame000040.png"));
  EXPECT_FALSE(fs::exists(pictures / "frame000021.png"));
  EXPECT_GT(fs::file_size(pictures / "frame000040.png"), 1000u) << "a picture, not an empty screen";
  fs::remove_all(pictures);
}

TEST(HeadlessRun, FolderWithoutArchiveStopsAtStartUp) {
  const fs::path empty =
      fs::temp_directory_path() / ("tolvane-headless-empty-" + std::to_string(::getpid()));
  fs::create_directories(empty);
  std::ostringstream digests;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunHeadless(RunOptions{empty.string(), 10, "", 1, nullptr}, nullptr, digests), 1);
  EXPECT_THAT(::testing::internal::GetCapturedStderr(), ::testing::HasSubstr("tolvgfx.dxg"));
  EXPECT_TRUE(digests.str().empty()) << "no frame ran";
  fs::remove_all(empty);
}

}  // namespace
}  // namespace tolvane::headless
