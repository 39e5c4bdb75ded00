// The shipped stages played by the autopilot, headless, from the built game folder: each
// stage from its start with the weapon levels a player can have reached there runs through
// its boss to the clear, and the whole game runs from the title through the five stages and
// the ending back to the title. The outcome of each run is recorded below; a change to a
// stage, an enemy or the pilot changes it, and the failure prints the new line to record
// once the change has been looked at (make autoplay, or tolvane-headless --autopilot
// --stage N --png-dir ...).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "tests/support/scratch_folder.h"
#include "tools/headless/autopilot.h"
#include "tools/headless/headless_run.h"

namespace tolvane::headless {
namespace {

namespace fs = std::filesystem;

const fs::path kGameFolder = fs::path(TOLVANE_BINARY_DIR) / "game";

// A stage run: where it starts, and what came of it.
struct Outcome {
  int32_t stage;
  int32_t level;        // all three weapons at the start
  int32_t clearFrames;  // from the script's first frame to the clear record
  int32_t score;        // when the clear tally began
  int32_t tailsLost;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  return out << "{" << o.stage << ", " << o.level << ", " << o.clearFrames << ", " << o.score
             << ", " << o.tailsLost << "}";
}

// Recorded outcomes. The levels are those a player who takes most items has at each start.
constexpr Outcome kRecorded[] = {
    {1, 1, 6470, 70450, 0},   {2, 17, 6762, 67449, 0},  {3, 30, 6706, 49600, 0},
    {4, 40, 7820, 131300, 0}, {5, 50, 8937, 238353, 0},
};
// No stage may take longer than this (frames at 32 ms) with these levels.
constexpr int32_t kFrameCap = 16000;

// The high-score table the ending writes goes to a folder of the test's own.
class AutoplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kGameFolder / "tolvgfx.dxg"));
    ::setenv("XDG_DATA_HOME", home_.path().c_str(), 1);
  }

  static int Run(Autopilot& pilot, int32_t frames, std::function<bool()> done) {
    std::ostringstream digests;
    return RunHeadless(RunOptions{kGameFolder.string(), frames, "", 1, std::move(done)}, &pilot,
                       digests);
  }

  ScratchFolder home_;
};

class StageAutoplayTest : public AutoplayTest, public ::testing::WithParamInterface<Outcome> {};

TEST_P(StageAutoplayTest, ReachesItsClearAsRecorded) {
  const Outcome expected = GetParam();
  AutopilotOptions options;
  options.stage = expected.stage;
  options.weaponLevel = expected.level;
  Autopilot pilot(options);
  ASSERT_EQ(Run(pilot, kFrameCap, [&] { return pilot.Log().TakeClear(); }), 0);

  std::ostringstream report;
  pilot.Log().Write(report);
  ASSERT_FALSE(pilot.Log().Stages().empty());
  const StageLog& log = pilot.Log().Stages().front();
  ASSERT_TRUE(log.Cleared()) << report.str();
  EXPECT_EQ(pilot.Log().Stages().size(), 1u) << "no continue was needed\n" << report.str();
  EXPECT_FALSE(log.waits.empty()) << "the stage has a boss";
  const Outcome actual{expected.stage, expected.level, log.clearFrame - log.startFrame, log.score,
                       log.tailsLost};
  EXPECT_EQ(actual.clearFrames, expected.clearFrames) << "record " << actual << "\n"
                                                      << report.str();
  EXPECT_EQ(actual.score, expected.score) << "record " << actual;
  EXPECT_EQ(actual.tailsLost, expected.tailsLost) << "record " << actual;
}

INSTANTIATE_TEST_SUITE_P(EveryStage, StageAutoplayTest, ::testing::ValuesIn(kRecorded),
                         [](const auto& instance) {
                           return "Stage" + std::to_string(instance.param.stage);
                         });

TEST_F(AutoplayTest, TheWholeGameFromTheTitleThroughTheEndingBackToTheTitle) {
  Autopilot pilot({});
  ASSERT_EQ(Run(pilot, 5 * kFrameCap, [&] { return pilot.BackAtTitleAfterEnding(); }), 0);
  std::ostringstream report;
  pilot.Log().Write(report);
  EXPECT_TRUE(pilot.BackAtTitleAfterEnding()) << report.str();
  const auto& stages = pilot.Log().Stages();
  ASSERT_EQ(stages.size(), 5u) << "five stages, none started again\n" << report.str();
  for (int32_t n = 1; n <= 5; ++n) {
    const StageLog& log = stages[static_cast<size_t>(n - 1)];
    EXPECT_EQ(log.stage, n);
    EXPECT_TRUE(log.Cleared()) << report.str();
  }
  EXPECT_EQ(stages.back().levels[0], 50) << "the main weapon was full by the end\n" << report.str();
}

}  // namespace
}  // namespace tolvane::headless
