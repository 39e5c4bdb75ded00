// The autopilot driving the whole program headless, on stage files written by the test in a
// folder of its own (beside the built archive and tunes): it starts a game from the title,
// plays a stage through its boss to the clear, goes through game over, name entry and the
// continue screen, jumps to a stage with given weapon levels, starts a script late, and
// leaves the ending for the title. The play log says what happened.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/stage_codes.h"
#include "tests/support/scratch_folder.h"
#include "tools/headless/autopilot.h"
#include "tools/headless/headless_run.h"

namespace tolvane::headless {
namespace {

namespace fs = std::filesystem;

const fs::path kGameFolder = fs::path(TOLVANE_BINARY_DIR) / "game";

// Records by name, as a stage text would give them.
constexpr int32_t kSwooper = 1, kDrifterBoss = 113, kHalt = kCodeHalt, kClear = kCodeStageClear;

class AutoplayRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kGameFolder / "tolvgfx.dxg"));
    fs::create_directories(folder_ / "settings");
    for (const auto& entry : fs::directory_iterator(kGameFolder)) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".dxg" || ext == ".mid")
        fs::create_symlink(entry.path(), folder_ / entry.path().filename());
    }
    // The high-score file goes to the test's folder, not the user's.
    const char* old = std::getenv("XDG_DATA_HOME");
    if (old != nullptr) oldDataHome_ = old;
    hadDataHome_ = old != nullptr;
    ::setenv("XDG_DATA_HOME", (folder_ / "settings").c_str(), 1);
    // Every stage ends at once unless a test writes it.
    for (int stage = 1; stage <= 5; ++stage) WriteStage(stage, {{10, kClear, 0, 0, 0}});
  }

  void TearDown() override {
    if (hadDataHome_) {
      ::setenv("XDG_DATA_HOME", oldDataHome_.c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }

  void WriteStage(int stage, const std::vector<StageRecord>& records) {
    std::ofstream file(folder_ / ("stage" + std::to_string(stage) + ".bin"), std::ios::binary);
    for (const StageRecord& r : records) {
      uint8_t bytes[kStageRecordSize];
      EncodeStageRecord(r, bytes);
      file.write(reinterpret_cast<const char*>(bytes), kStageRecordSize);
    }
  }

  // Runs until `done` or `frames`; returns the exit status.
  int Run(PadSource& source, int32_t frames, std::function<bool()> done) {
    RunOptions options{folder_.string(), frames, "", 1, std::move(done)};
    std::ostringstream digests;
    return RunHeadless(options, &source, digests);
  }

  std::string HighScoreFile() {
    for (const auto& entry : fs::recursive_directory_iterator(folder_ / "settings")) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path());
      std::stringstream text;
      text << in.rdbuf();
      return text.str();
    }
    return "";
  }

  ScratchFolder scratch_;
  const fs::path folder_ = scratch_.path();
  std::string oldDataHome_;
  bool hadDataHome_ = false;
};

// Swoopers that drop weapon items, then the drifter boss with its wait, then the clear.
std::vector<StageRecord> ShortStage() {
  return {
      {60, kSwooper, 0, 100, 1},      {75, kSwooper, 0, 100, 1}, {90, kSwooper, 0, 220, 1},
      {300, kDrifterBoss, 0, 160, 0}, {300, kHalt, 0, 0, 0},     {360, kClear, 0, 0, 0},
  };
}

TEST_F(AutoplayRunTest, FromTheTitleThroughABossToTheClear) {
  WriteStage(1, ShortStage());
  Autopilot pilot({});
  ASSERT_EQ(Run(pilot, 6000, [&] { return pilot.Log().TakeClear(); }), 0);

  ASSERT_EQ(pilot.Log().Stages().size(), 1u);
  const StageLog& stage = pilot.Log().Stages()[0];
  EXPECT_EQ(stage.stage, 1);
  EXPECT_FALSE(stage.again);
  ASSERT_TRUE(stage.Cleared());
  EXPECT_EQ(stage.clearClock, 360) << "the clock went on from the halt's time";
  ASSERT_EQ(stage.waits.size(), 1u);
  EXPECT_EQ(stage.waits[0].clock, 300);
  EXPECT_EQ(stage.waits[0].frame - stage.startFrame, 300);
  EXPECT_GT(stage.waits[0].endFrame, stage.waits[0].frame) << "the boss took a while";
  // 60 frames of clock after the boss's frame, and the one in which the clear fires.
  EXPECT_EQ(stage.clearFrame - stage.waits[0].endFrame, 61);
  EXPECT_EQ(stage.tailsLost, 0);
  EXPECT_GE(stage.itemsTaken, 2);
  EXPECT_EQ(stage.levels[0], 1 + stage.itemsTaken) << "every item taken was a main-weapon item";
  EXPECT_GE(stage.score, 20000 + 300) << "the boss and the swoopers";
}

// Puts an enemy shot on the player on every frame it can be hit once it has scored, until
// the first game over (or, `always`, in every game).
class Hazard final : public PadSource {
 public:
  explicit Hazard(Autopilot& pilot, bool always = false) : pilot_(pilot), always_(always) {}
  void BeforeFrame(int32_t frame, pres::InputDevice& input) override {
    pilot_.BeforeFrame(frame, input);
    const TActor& player = *PlayerActor;
    if ((always_ || pilot_.Log().Stages().size() == 1) && Score > 0 && player.Move == PlayerMove &&
        player.Blink == 0)
      NewPolarShot(12, player.X, player.Y, 0, 0);
  }

 private:
  Autopilot& pilot_;
  bool always_;
};

TEST_F(AutoplayRunTest, GameOverNameEntryAndContinueStartTheStageAgain) {
  WriteStage(1, ShortStage());
  Autopilot pilot({});
  Hazard hazard(pilot);
  ASSERT_EQ(Run(hazard, 8000, [&] { return pilot.Log().Stages().size() == 2; }), 0);

  const auto& stages = pilot.Log().Stages();
  ASSERT_EQ(stages.size(), 2u);
  EXPECT_EQ(stages[0].tailsLost, 3);
  EXPECT_FALSE(stages[0].Cleared());
  EXPECT_EQ(stages[1].stage, 1);
  EXPECT_TRUE(stages[1].again);
  EXPECT_EQ(Tails, 3) << "a continue gives the tails back";
  // The name entry was ended at once: the placed score is stored under the default name.
  const std::string table = HighScoreFile();
  EXPECT_NE(table.find("TAIL " + std::to_string(stages[0].score) + " "), std::string::npos)
      << table;
}

TEST_F(AutoplayRunTest, WithItsContinuesUsedUpThePilotGivesUpAndTheTitleEndsTheRun) {
  WriteStage(1, ShortStage());
  AutopilotOptions options;
  options.continues = 1;
  Autopilot pilot(options);
  Hazard hazard(pilot, true);
  ASSERT_EQ(Run(hazard, 12000, [&] { return pilot.BackAtTitleAfterGame(); }), 0);

  EXPECT_TRUE(pilot.BackAtTitleAfterGame());
  EXPECT_FALSE(pilot.BackAtTitleAfterEnding());
  const auto& stages = pilot.Log().Stages();
  ASSERT_EQ(stages.size(), 2u) << "one continue, then no more";
  EXPECT_TRUE(stages[1].again);
  EXPECT_EQ(stages[1].tailsLost, 3);
  EXPECT_EQ(pilot.Log().Continues(), 1);
}

TEST_F(AutoplayRunTest, AJumpToAStageWithLevelsAndALateStartOfItsScript) {
  WriteStage(3, {{20, kSwooper, 0, 100, 1}, {2000, kClear, 0, 0, 0}});
  AutopilotOptions options;
  options.stage = 3;
  options.weaponLevel = 30;
  options.fromTime = 1900;
  Autopilot pilot(options);
  ASSERT_EQ(Run(pilot, 1000, [&] { return pilot.Log().TakeClear(); }), 0);

  ASSERT_EQ(pilot.Log().Stages().size(), 1u);
  const StageLog& stage = pilot.Log().Stages()[0];
  EXPECT_EQ(stage.stage, 3);
  ASSERT_TRUE(stage.Cleared());
  EXPECT_EQ(stage.clearClock, 2000);
  EXPECT_EQ(stage.clearFrame - stage.startFrame, 100) << "the script started at clock 1900";
  EXPECT_EQ(stage.levels, (std::array<int32_t, 3>{30, 30, 30}));
  EXPECT_EQ(stage.itemsTaken, 0) << "the swooper before the start never came";
}

TEST_F(AutoplayRunTest, TheLastStageLeadsThroughTheEndingBackToTheTitle) {
  AutopilotOptions options;
  options.stage = 5;
  Autopilot pilot(options);
  ASSERT_EQ(Run(pilot, 6000, [&] { return pilot.BackAtTitleAfterEnding(); }), 0);
  EXPECT_TRUE(pilot.BackAtTitleAfterEnding());
  ASSERT_EQ(pilot.Log().Stages().size(), 1u);
  EXPECT_TRUE(pilot.Log().Stages()[0].Cleared());
}

TEST_F(AutoplayRunTest, WithoutItsTunesTheGameStillRunsThroughTheEndingInSilence) {
  for (const auto& entry : fs::directory_iterator(folder_)) {
    if (entry.path().extension() == ".mid") fs::remove(entry.path());
  }
  AutopilotOptions options;
  options.stage = 5;
  Autopilot pilot(options);
  ASSERT_EQ(Run(pilot, 6000, [&] { return pilot.BackAtTitleAfterEnding(); }), 0);
  EXPECT_TRUE(pilot.BackAtTitleAfterEnding());
  ASSERT_EQ(pilot.Log().Stages().size(), 1u);
  EXPECT_TRUE(pilot.Log().Stages()[0].Cleared());
}

TEST_F(AutoplayRunTest, AMissingStageFileIsReportedOnceAndTheProgramCloses) {
  fs::remove(folder_ / "stage2.bin");
  AutopilotOptions options;
  options.stage = 2;
  Autopilot pilot(options);
  std::ostringstream digests;
  ::testing::internal::CaptureStderr();
  const int status =
      RunHeadless(RunOptions{folder_.string(), 600, "", 1, nullptr}, &pilot, digests);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 0) << "an orderly close";
  const std::string box = "ステージファイルが読み込めません";
  const size_t first = said.find(box);
  ASSERT_NE(first, std::string::npos) << said;
  EXPECT_EQ(said.find(box, first + 1), std::string::npos) << "shown once";
  const std::string frames = digests.str();
  EXPECT_LT(std::count(frames.begin(), frames.end(), '\n'), 600) << "the program closed";
  EXPECT_TRUE(pilot.Log().Stages().empty()) << "no stage started";
}

}  // namespace
}  // namespace tolvane::headless
