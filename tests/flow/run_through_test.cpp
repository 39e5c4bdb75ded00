// A whole run in the headless layer, driven by the keyboard alone: title, new game, stage 1
// with its HUD and the player's entry, a kill, the loss of every tail, game over, the name
// entry of a placed score, the continue screen, and back to the title.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/flow/game_progress.h"
#include "game/flow/high_scores.h"
#include "game/flow/name_entry.h"
#include "game/host/host_services.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "tests/flow/flow_fixture.h"

namespace tolvane::testing {
namespace {

// An enemy shot that keeps to the player, so every unguarded frame costs a tail.
void StayOnPlayer(TActor& hazard) {
  hazard.X = PlayerActor->X;
  hazard.Y = PlayerActor->Y;
}

class RunThroughTest : public FlowTest {
 protected:
  int Until(bool (*done)(), int limit) {
    for (int frame = 0; frame < limit; ++frame) {
      if (done()) return frame;
      RunFrames(1);
    }
    return limit;
  }
};

TEST_F(RunThroughTest, TitleToGameOverAndBackWithAPlacedScore) {
  WriteStage(1, {{100000, kCodeStageClear, 0, 0, 0}});
  Boot();
  RunFrames(10);
  Press(PadButton1);  // start
  RunFrames(2);

  // Stage 1: title caption, the HUD after its delay, the player entering to x 30.
  EXPECT_EQ(StageNumber(), 1);
  EXPECT_TRUE(ShowsText("Stage1...Fukai"));
  ASSERT_LT(Until([] { return PlayerActor->Move == PlayerMove; }, 100), 100);
  EXPECT_EQ(PlayerActor->X, 30);
  ASSERT_NE(HudLine1, nullptr);
  EXPECT_EQ(std::string(HudLine1).rfind("STAGE 1    SCORE         0", 0), 0u);
  EXPECT_TRUE(ShowsText(HudLine1));
  EXPECT_EQ(std::string(HudLine2).rfind("TAIL  3", 0), 0u);

  // A kill with the main weapon.
  TActor& target = NewActor(LayerBack);
  SetImage(target, pic::kSwooper);
  target.Kind = KindEnemy;
  target.X = 200;
  target.Y = PlayerActor->Y;
  SetEnemyWords(target, 0, 300, 1);
  KeyDown('Z');
  ASSERT_LT(Until([] { return Score > 0; }, 60), 60);
  KeyUp('Z');
  EXPECT_EQ(Score, 300);

  // Every tail lost: game over, 200 frames, then the name entry.
  TActor& hazard = NewActor(LayerBack);
  SetImage(hazard, pic::kBullet);
  hazard.Kind = KindEnemyShot;
  hazard.Move = StayOnPlayer;
  ASSERT_LT(Until([] { return PlayerActor->Move == GameOverMove; }, 2000), 2000);
  EXPECT_EQ(Tails, 0);
  hazard.Active = 0;
  RunFrames(201);
  ASSERT_EQ(PlayerActor->Move, NameEntryMove);
  EXPECT_EQ(RankScore[0], 300);
  Press(PadButton1);                // "A"
  PickLetter(*PlayerActor, 12, 4);  // "*"
  EXPECT_EQ(RankName[0], "A");

  // The continue screen; giving up returns to the title.
  RunFrames(1);
  ASSERT_EQ(PlayerActor->Move, ContinueMove);
  EXPECT_NE(FindImage(198), nullptr);
  Press(PadRight);
  Press(PadButton1);
  RunFrames(1);
  EXPECT_NE(FindImage(182), nullptr);
  EXPECT_EQ(CountImage(pic::kTitleTile), 12);

  std::ifstream in(SettingsPath());
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("RANK0=A 300 2031 4 7"), std::string::npos);
}

// The same start with the run directory's archive and stage file: the real first stage
// plays from the title.
class BuiltDataTest : public FlowTest {
 protected:
  BuiltDataTest() { source_ = PlayHarness::ArchiveSource::Built; }
  static std::string RunFolder() { return std::string(TOLVANE_BINARY_DIR) + "/game"; }
};

TEST_F(BuiltDataTest, TheFirstStagePlaysFromTheTitle) {
  if (!harness_->ArchiveLoaded() || !std::filesystem::exists(RunFolder() + "/stage1.bin")) {
    GTEST_SKIP() << "the run directory's data is not built";
  }
  Host().dataFolder = [] { return RunFolder(); };
  Boot();
  RunFrames(20);
  Press(PadButton1);
  KeyDown('Z');  // fire all the way
  RunFrames(600);
  KeyUp('Z');
  EXPECT_EQ(StageNumber(), 1);
  EXPECT_TRUE(window_.messages.empty());
  EXPECT_GT(ScriptClock, 500);
  EXPECT_TRUE(ShowsText(HudLine1));
  EXPECT_EQ(std::string(HudLine1).rfind("STAGE 1", 0), 0u);
}

}  // namespace
}  // namespace tolvane::testing
