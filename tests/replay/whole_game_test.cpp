// The autopilot's whole game, title to the ending and back, recorded by the game itself:
// played back, every frame has the recording's state digest, and the file stays small.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/replay/replay_store.h"
#include "tests/support/scratch_folder.h"
#include "tools/headless/autopilot.h"
#include "tools/headless/headless_run.h"

namespace tolvane::headless {
namespace {

namespace fs = std::filesystem;

const fs::path kGameFolder = fs::path(TOLVANE_BINARY_DIR) / "game";

std::string Text(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(WholeGameReplay, EveryFrameMatchesAndTheFileStaysSmall) {
  ASSERT_TRUE(fs::exists(kGameFolder / "tolvgfx.dxg"));
  ScratchFolder scratch;
  ::setenv("XDG_DATA_HOME", scratch.path().c_str(), 1);
  const fs::path replays = scratch / "tolvane-echo" / "replays";

  Autopilot pilot({});
  RunOptions record;
  record.dataDirectory = kGameFolder.string();
  record.frames = 200000;
  record.done = [&pilot] { return pilot.BackAtTitleAfterEnding(); };
  record.record = true;
  std::ostringstream recorded;
  ASSERT_EQ(RunHeadless(record, &pilot, recorded), 0);
  ASSERT_TRUE(pilot.BackAtTitleAfterEnding());

  std::vector<KeptReplay> kept = ReplayStore(replays.string()).List();
  ASSERT_FALSE(kept.empty());
  const KeptReplay game = *std::max_element(
      kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a.frames < b.frames; });
  EXPECT_EQ(game.stageReached, kEndingReached);
  EXPECT_GT(game.frames, 30000u);
  EXPECT_LE(fs::file_size(game.path), 64u * 1024u);
  const std::string highScores = Text(scratch / "tolvane-echo" / "qarnwell.ini");
  ASSERT_FALSE(highScores.empty()) << "the autopilot's score entered the table";

  RunOptions play;
  play.dataDirectory = kGameFolder.string();
  play.frames = 200000;
  play.replayFile = game.path;
  std::ostringstream played;
  ASSERT_EQ(RunHeadless(play, nullptr, played), 0);

  // Every frame of the game, by its FrameCount, has the same digest in both runs.
  const std::string all = recorded.str();
  std::istringstream lines(played.str());
  std::string line;
  std::getline(lines, line);  // the player's own boot frame
  size_t compared = 0;
  for (size_t from = 0; std::getline(lines, line); ++compared) {
    const size_t at = all.find(line.substr(0, line.find(' ', 6) + 1), from);
    ASSERT_NE(at, std::string::npos) << line;
    ASSERT_EQ(all.compare(at, line.size(), line), 0) << "first difference at " << line;
    from = at;
  }
  EXPECT_EQ(compared, game.frames);
  EXPECT_EQ(Text(scratch / "tolvane-echo" / "qarnwell.ini"), highScores);
  EXPECT_EQ(ReplayStore(replays.string()).List().size(), kept.size());
  ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace tolvane::headless
