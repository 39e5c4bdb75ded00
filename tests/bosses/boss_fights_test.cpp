// Each boss fought to the end from a stage file: the player holds fire at full weapon level
// and keeps level with the boss, its protection refilled every frame. The boss must die
// within the bound and the script go on to the stage clear. The frame of each death was
// recorded and reviewed; a change of any boss's behaviour shows up here. When a change is
// intended, review the new frames (the failure prints them) and record them.
#include <gtest/gtest.h>

#include <cstdio>

#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "tests/bosses/boss_fixture.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

constexpr int kBound = 8000;   // frames a fight may take
constexpr int32_t kHoldX = 60;  // the player stays near the left edge
constexpr int32_t kLevelSlack = 6;

struct Fight {
  const char* name;
  int32_t code;
  int32_t x;
  int32_t y;
  int32_t stage;
  int recordedDeath;  // frame of the boss's death
};

class BossFightTest : public ::testing::TestWithParam<Fight> {};

void StageCleared(TActor& actor) {
  actor.Move = nullptr;
}

TEST_P(BossFightTest, TheBossDiesAndTheStageIsCleared) {
  const Fight& fight = GetParam();
  PlayHarness harness;
  testing::UseBossSizes(harness);
  harness.BuildPlayScene(fight.stage, kMaxWeaponLevel);
  PlayHarness::LoadScript(testing::BossStage(fight.code, fight.x, fight.y));
  StageClearHook = StageCleared;
  harness.PlacePlayer(kHoldX, 160);
  harness.Hold(PadButton1);

  harness.RunFrames(1);
  TActor* boss = nullptr;
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Kind == KindEnemy && boss == nullptr) boss = &a;
  }
  ASSERT_NE(boss, nullptr);
  int death = 0;
  int cleared = 0;
  for (int frame = 2; frame <= kBound && cleared == 0; ++frame) {
    harness.FillOrbs(kProtectionCount);
    const TActor& player = *PlayerActor;
    if (death == 0) {
      harness.Hold(PadUp, player.Y > boss->Y + kLevelSlack);
      harness.Hold(PadDown, player.Y < boss->Y - kLevelSlack);
    }
    harness.Hold(PadLeft, player.X > kHoldX);
    harness.Hold(PadRight, player.X < kHoldX - kLevelSlack);
    harness.RunFrames(1);
    if (death == 0 && ScriptPos == 2) death = frame;
    if (StageActor->Move == StageClearHook || StageActor->Move == nullptr) cleared = frame;
  }
  std::printf("%s: death at frame %d, stage clear at frame %d, score %d, tails %d\n", fight.name,
              death, cleared, Score, Tails);
  ASSERT_GT(death, 0) << fight.name << " still alive after " << kBound << " frames";
  EXPECT_EQ(cleared, death + 2) << "the script goes on from the halt to the stage clear";
  EXPECT_EQ(Tails, 3);
  EXPECT_EQ(death, fight.recordedDeath) << fight.name;
}

INSTANTIATE_TEST_SUITE_P(
    EveryBoss, BossFightTest,
    ::testing::Values(Fight{"Wanderer", 100, 0, 160, 1, 301}, Fight{"Circler", 102, 0, 160, 2, 440},
                      Fight{"Lancer", 104, 0, 160, 3, 551}, Fight{"Beam", 107, 0, 160, 4, 855},
                      Fight{"Spiral", 108, 0, 160, 4, 990}, Fight{"Fortress", 109, 0, 160, 5, 1998},
                      Fight{"Final", 110, 0, 0, 5, 4808}, Fight{"Drifter", 113, 0, 160, 2, 186}),
    [](const ::testing::TestParamInfo<Fight>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tolvane
