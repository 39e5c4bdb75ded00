// Gunner and the fan gunners.
#include "game/play/enemies/gunners.h"

#include "game/play/blasts.h"
#include "game/play/enemies/drifters.h"
#include "game/play/enemy_behaviours.h"
#include "game/play/enemy_shots.h"
#include "game/play/player_shots.h"
#include "game/play/stage_script.h"
#include "tests/enemies/enemy_fixture.h"

namespace tolvane {
namespace {

TEST_F(EnemyTest, AGunnerStopsAt400SpraysOneAimFor50FramesAndBacksOut) {
  TActor& g = Enemy(Gunner, 450, 100, 250);
  g.Work[kGunnerHitPoints] = 250;
  Step(g, 4);
  EXPECT_EQ(g.X, 410);
  EXPECT_EQ(g.Move, &Gunner);
  Step(g);
  ASSERT_EQ(g.Move, &GunnerFiring);
  // From (410 - 30, 100 + 10) to (40, 160): atan2(50, -340) = 2.9956 rad = 122.05 / 256.
  EXPECT_EQ(g.Work[kGunnerAim], 122);
  EXPECT_EQ(g.Image, pic::kGunner);
  EXPECT_EQ(g.FlashImage, pic::kGunnerFlash);
  EXPECT_EQ(Count(PolarShotMove), 0);
  Step(g);
  EXPECT_EQ(Count(PolarShotMove), 2);
  for (const TActor& a : ActorPool) {
    if (a.Active == 0 || a.Move != &PolarShotMove) continue;
    EXPECT_EQ(a.Work[kOriginX], 380);
    EXPECT_GE(a.Work[kShotAngle], 112);
    EXPECT_LT(a.Work[kShotAngle], 132);
  }
  g.Work[kHitPoints] = 240;
  Step(g);
  EXPECT_EQ(g.Flash, 1);
  Step(g, 48);
  ASSERT_EQ(g.Move, &GunnerLeaving);
  EXPECT_EQ(g.Image, pic::kGunnerLeaving);
  EXPECT_EQ(g.FlashImage, pic::kGunnerLeavingFlash);
  EXPECT_EQ(g.X, 400);
  Step(g, 4);
  EXPECT_EQ(g.X, 480);
  Step(g);  // left edge 484
  EXPECT_EQ(g.Active, 0);
}

// Spawned by their codes: Kind 1, so shots and blasts pass them by.
TEST_F(EnemyTest, FanGunnersCannotBeShotWaitLevelWithThePlayerAndFireSixteenFans) {
  PlayerActor->X = 400;
  PlayerActor->Move = nullptr;
  testing::PlayHarness::LoadScript({{0, 23, 500, 100, 1}, {0, 24, 500, 250, 1}});
  RunStageScript(*StageActor);
  TActor* low = nullptr;
  TActor* high = nullptr;
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == &FanGunnerLow) low = &a;
    if (a.Active != 0 && a.Move == &FanGunnerHigh) high = &a;
  }
  ASSERT_NE(low, nullptr);
  ASSERT_NE(high, nullptr);
  EXPECT_EQ(low->Kind, KindEnemyShot);
  NewMainShot(low->X - 20, low->Y, 2, 80, 8, 0, 50);
  SpawnBlast(*high, 0, 50, 0, 0);
  harness_.RunFrames(2);
  EXPECT_EQ(low->Work[kHitPoints], 70000);
  EXPECT_EQ(high->Work[kHitPoints], 70000);
  EXPECT_EQ(Score, 0);

  TActor& f = Enemy(FanGunnerLow, 500, 100, 70000, KindEnemyShot);
  f.Work[kFanCount] = 0;
  Step(f, 8);  // 13 a frame: 396 is level with the player
  EXPECT_EQ(f.X, 396);
  Step(f, 18);
  EXPECT_EQ(f.Move, &FanGunnerLow);
  EXPECT_EQ(f.X, 396);
  const int before = Count(PolarShotMove);
  Step(f);
  ASSERT_EQ(f.Move, &FanGunnerLowFan);
  Step(f);
  EXPECT_EQ(Count(PolarShotMove) - before, 9);
  int32_t angles = 0;
  for (const TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == &PolarShotMove && a.Work[kOriginX] == 396)
      angles += a.Work[kShotAngle];
  }
  EXPECT_EQ(angles, 0 + 16 + 32 + 48 + 64 + 80 + 96 + 112 + 128);
  Step(f, 15);
  EXPECT_EQ(Count(PolarShotMove) - before, 144);
  ASSERT_EQ(f.Move, &Drifter);
  EXPECT_EQ(f.Work[kDrifterDX], -13);
  EXPECT_EQ(f.Work[kDrifterChance], -1);
}

}  // namespace
}  // namespace tolvane
