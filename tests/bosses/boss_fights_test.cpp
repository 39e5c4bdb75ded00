// Each boss fought to the end from a stage file: the player holds fire at full weapon level
// and keeps level with the boss, its protection refilled every frame. The boss must die
// within the bound and the script go on to the stage clear. The frame of each death was
// recorded and reviewed; a change of any boss's behaviour shows up here. When a change is
// intended, review the new frames (the failure prints them) and record them.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/circler_boss.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "tests/bosses/boss_fixture.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

constexpr int kBound = 8000;    // frames a fight may take
constexpr int32_t kHoldX = 60;  // the player stays near the left edge
constexpr int32_t kLevelSlack = 6;
constexpr int kAfterDeath = 10;  // frames watched after a foe that is not a boss falls

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

// The first enemy on the field after the spawn frame.
TActor* FirstEnemy() {
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Kind == KindEnemy) return &a;
  }
  return nullptr;
}

struct Outcome {
  int death = 0;    // first frame at which the foe no longer lives
  int cleared = 0;  // frame at which the script handed over to the stage clear
};

// Frames 2 on: the player keeps level with the foe, firing, its orbs refilled, until the
// stage is cleared or, for a foe that is not a boss, a while after its death.
template <typename Alive>
Outcome FightOut(PlayHarness& harness, const TActor& foe, Alive alive) {
  Outcome outcome;
  for (int frame = 2; frame <= kBound && outcome.cleared == 0; ++frame) {
    harness.FillOrbs(kProtectionCount);
    const TActor& player = *PlayerActor;
    const bool tracking = outcome.death == 0;
    harness.Hold(PadUp, tracking && player.Y > foe.Y + kLevelSlack);
    harness.Hold(PadDown, tracking && player.Y < foe.Y - kLevelSlack);
    harness.Hold(PadLeft, player.X > kHoldX);
    harness.Hold(PadRight, player.X < kHoldX - kLevelSlack);
    harness.RunFrames(1);
    if (outcome.death == 0 && !alive()) outcome.death = frame;
    if (StageActor->Move == StageClearHook || StageActor->Move == nullptr) outcome.cleared = frame;
    if (outcome.death != 0 && frame > outcome.death + kAfterDeath) break;
  }
  return outcome;
}

void SetUpFight(PlayHarness& harness, int32_t stage, const std::vector<StageRecord>& records) {
  testing::UseBossSizes(harness);
  harness.BuildPlayScene(stage, kMaxWeaponLevel);
  PlayHarness::LoadScript(records);
  StageClearHook = StageCleared;
  harness.PlacePlayer(kHoldX, 160);
  harness.Hold(PadButton1);
  harness.RunFrames(1);
}

TEST_P(BossFightTest, TheBossDiesAndTheStageIsCleared) {
  const Fight& fight = GetParam();
  PlayHarness harness;
  SetUpFight(harness, fight.stage, testing::BossStage(fight.code, fight.x, fight.y));
  const TActor* boss = FirstEnemy();
  ASSERT_NE(boss, nullptr);
  const Outcome outcome = FightOut(harness, *boss, [] { return ScriptPos < 2; });
  std::printf("%s: death at frame %d, stage clear at frame %d, score %d, tails %d\n", fight.name,
              outcome.death, outcome.cleared, Score, Tails);
  ASSERT_GT(outcome.death, 0) << fight.name << " still alive after " << kBound << " frames";
  EXPECT_EQ(outcome.cleared, outcome.death + 2)
      << "the script goes on from the halt to the stage clear";
  EXPECT_EQ(Tails, 3);
  EXPECT_EQ(outcome.death, fight.recordedDeath) << fight.name;
}

TEST(LargeCirclerFightTest, CodeFifteenFallsWithoutEndingTheWait) {
  PlayHarness harness;
  SetUpFight(harness, 2, testing::BossStage(15, 0, 160));
  const TActor* circler = FirstEnemy();
  ASSERT_NE(circler, nullptr);
  const Outcome outcome = FightOut(harness, *circler, [circler] {
    return circler->Active != 0 && (circler->Move == CirclerBoss || circler->Move == CirclerVolley);
  });
  std::printf("code 15: death at frame %d, score %d\n", outcome.death, Score);
  ASSERT_GT(outcome.death, 0);
  EXPECT_EQ(outcome.cleared, 0);
  EXPECT_EQ(ScriptPos, 1) << "still halted: an enemy worth 18000 is no boss";
  EXPECT_EQ(outcome.death, 559) << "recorded";
}

INSTANTIATE_TEST_SUITE_P(
    EveryBoss, BossFightTest,
    ::testing::Values(Fight{"Wanderer", 100, 0, 160, 1, 296}, Fight{"Circler", 102, 0, 160, 2, 440},
                      Fight{"Lancer", 104, 0, 160, 3, 547}, Fight{"Beam", 107, 0, 160, 4, 855},
                      Fight{"Spiral", 108, 0, 160, 4, 990}, Fight{"Fortress", 109, 0, 160, 5, 1998},
                      Fight{"Final", 110, 0, 0, 5, 4808}, Fight{"Drifter", 113, 0, 160, 2, 186}),
    [](const ::testing::TestParamInfo<Fight>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tolvane
