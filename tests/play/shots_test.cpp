// Player shots, missiles and enemy shots in flight.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/render_pass.h"
#include "game/play/blasts.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/missiles.h"
#include "game/play/player.h"
#include "game/play/player_shots.h"
#include "tests/support/play_harness.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

class ShotsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.UsePlaySizes();
    harness_.BuildPlayScene(1, 1);
    PlayHarness::LoadScript({});
    harness_.PlacePlayer(40, 160);
  }
  static TActor& Enemy(int32_t x, int32_t y, int32_t score, int32_t hitPoints) {
    TActor& e = NewActor(LayerBack);
    SetImage(e, pic::kSwooper);
    e.X = x;
    e.Y = y;
    e.Kind = KindEnemy;
    SetEnemyWords(e, 0, score, hitPoints);
    return e;
  }
  static int Count(MoveProc move) {
    int n = 0;
    for (TActor& a : ActorPool) n += (a.Active != 0 && a.Move == move) ? 1 : 0;
    return n;
  }

  PlayHarness harness_;
};

TEST_F(ShotsTest, MainShotsSpeedUpAndDamageEveryEnemyTheyTouchInOneFrame) {
  TActor& forward = NewMainShot(100, 100, 2, 80, 8, 0, 13);
  TActor& backward = NewMainShot(300, 100, 43, 60, -1, -12, 25);
  MainShotMove(forward);
  MainShotMove(forward);
  EXPECT_EQ(forward.X, 119) << "8, then 11";
  EXPECT_EQ(forward.Work[kShotSpeedX], 14);
  MainShotMove(backward);
  MainShotMove(backward);
  EXPECT_EQ(backward.X, 293) << "-1, then -6";
  EXPECT_EQ(backward.Y, 76);
  EXPECT_EQ(backward.Work[kShotSpeedX], -11);

  TActor& a = Enemy(200, 100, 100, 50);
  TActor& b = Enemy(205, 103, 100, 50);
  TActor& shot = NewMainShot(190, 100, 2, 80, 8, 0, 13);
  MainShotMove(shot);
  EXPECT_EQ(a.Work[kHitPoints], 37);
  EXPECT_EQ(b.Work[kHitPoints], 37);
  EXPECT_EQ(shot.Active, 0);

  TActor& away = NewMainShot(484, 100, 2, 80, 8, 0, 13);
  MainShotMove(away);
  EXPECT_EQ(away.Active, 1) << "the picture's left edge exactly at 480 is still on the field";
  MainShotMove(away);
  EXPECT_EQ(away.Active, 0);

  // Leaving the top edge, it is freed and still hurts what it touches in that frame.
  TActor& above = Enemy(108, -30, 100, 50);
  TActor& leaving = NewMainShot(100, -10, 2, 80, 8, -20, 13);
  MainShotMove(leaving);
  EXPECT_EQ(leaving.Active, 0);
  EXPECT_EQ(above.Work[kHitPoints], 37);
}

TEST_F(ShotsTest, ASpreadShotHitMakesALevelOneBlastOfFifty) {
  TActor& enemy = Enemy(200, 100, 100, 40);
  TActor& shot = NewSpreadShot(180, 100, 0);
  shot.Work[kShotSpeedX] = 16;
  shot.Work[kShotSpeedY] = 0;
  SpreadShotMove(shot);
  EXPECT_EQ(shot.Active, 0);
  EXPECT_EQ(enemy.Work[kHitPoints], 40) << "the shot itself deals nothing";
  TActor* blast = nullptr;
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == BlastMove) blast = &a;
  }
  ASSERT_NE(blast, nullptr);
  EXPECT_EQ(blast->Work[kBlastDamage], 50);
  EXPECT_EQ(blast->Work[kBlastLevel], 1);
  EXPECT_EQ(blast->Work[kBlastDelay], 0);
  blast->X = enemy.X - 4;  // the blast drifts with the scroll before it strikes
  blast->Y = enemy.Y;
  BlastMove(*blast);
  EXPECT_EQ(enemy.Active, 0);
  EXPECT_EQ(Score, 200) << "a spread-shot kill scores double";

  Enemy(470, 340, 100, 40);
  TActor& leaving = NewSpreadShot(460, 330, 0);
  leaving.Work[kShotSpeedX] = 10;
  leaving.Work[kShotSpeedY] = 10;
  const int blasts = Count(BlastMove);
  SpreadShotMove(leaving);
  EXPECT_EQ(leaving.Active, 0) << "off the bottom edge";
  EXPECT_EQ(Count(BlastMove), blasts + 1) << "and still blasts what it touches there";
}

TEST_F(ShotsTest, MissilesLaunchAheadAndWithoutEnemiesHeadForTheDummyTarget) {
  TActor& m = LaunchMissile(40, 160, 4);
  EXPECT_EQ(m.X, 110);
  EXPECT_EQ(m.Y, 155);
  EXPECT_EQ(m.Kind, KindPlayerShot);
  EXPECT_EQ(m.Work[kMissileTarget], kNoTarget);
  EXPECT_GE(m.Work[kMissileSpeedX], -50);
  EXPECT_LE(m.Work[kMissileSpeedX], 150);
  EXPECT_EQ(m.Work[kMissileHits], 6);
  EXPECT_EQ(m.Work[kShotDamage], 3);

  m.Y = 60;  // well above the dummy target at (550, 160)
  int frames = 0;
  while (m.Active != 0 && frames < 200) {
    MissileMove(m);
    ++frames;
    EXPECT_LE(std::abs(m.Work[kMissileSpeedX]), 290);
    EXPECT_LE(std::abs(m.Work[kMissileSpeedY]), 190);
  }
  EXPECT_EQ(m.Active, 0) << "freed at x 480 on its way to x 550";
  EXPECT_GE(m.X, 480);
  EXPECT_GT(m.Y, 60) << "it turned down toward y 160";
  EXPECT_LT(frames, 200);
}

TEST_F(ShotsTest, MissilesBounceOffWhatTheyHitUntilTheirHitsAreSpent) {
  TActor& enemy = Enemy(300, 160, 100, 1000);
  TActor& m = LaunchMissile(200, 165, 0);  // at (270, 160), homing on the enemy
  EXPECT_EQ(m.Work[kMissileTarget], SlotOf(enemy));
  EXPECT_EQ(enemy.Work[kLockCount], 1);
  m.X = 300;
  m.Work[kMissileSpeedX] = 70;
  MissileMove(m);
  EXPECT_EQ(enemy.Work[kHitPoints], 998);
  EXPECT_EQ(enemy.Work[kLockCount], 0);
  EXPECT_EQ(m.Work[kMissileHits], 1);
  EXPECT_LT(m.Work[kMissileSpeedX], 0) << "bounced back";
  m.X = 300;
  m.Y = 160;
  MissileMove(m);
  EXPECT_EQ(m.Active, 0) << "two hits at step 0";
  EXPECT_EQ(enemy.Work[kHitPoints], 996);

  // The last hit does not end the scan: both overlapping enemies take it.
  TActor& first = Enemy(200, 100, 100, 50);
  TActor& second = Enemy(202, 100, 100, 50);
  TActor& last = LaunchMissile(100, 105, 0);
  last.Work[kMissileHits] = 1;
  last.X = 200;
  last.Work[kMissileSpeedX] = 0;
  MissileMove(last);
  EXPECT_EQ(first.Work[kHitPoints], 48);
  EXPECT_EQ(second.Work[kHitPoints], 48);
  EXPECT_EQ(last.Work[kMissileHits], -1);
  EXPECT_EQ(last.Active, 0);
}

TEST_F(ShotsTest, AimedAndPolarShotsFlyStraightFromTheirOrigin) {
  TActor& aimed = NewAimedShot(12, 100, 100, 103, 104, 10);  // a 3-4-5 direction
  AimedShotMove(aimed);
  EXPECT_EQ(aimed.X, 106);
  EXPECT_EQ(aimed.Y, 108);
  AimedShotMove(aimed);
  EXPECT_EQ(aimed.X, 112);
  EXPECT_EQ(aimed.Y, 116);
  // A target only a few pixels away still gives its true direction.
  TActor& close = NewAimedShot(12, 200, 200, 198, 199, 10);
  AimedShotMove(close);
  EXPECT_LT(close.X, 200);
  EXPECT_LT(close.Y, 200);

  TActor& down = NewPolarShot(12, 240, 100, 64, 8);
  PolarShotMove(down);
  PolarShotMove(down);
  EXPECT_EQ(down.X, 240);
  EXPECT_EQ(down.Y, 116);
  TActor& left = NewPolarShot(12, 240, 100, -128, 5);
  PolarShotMove(left);
  EXPECT_EQ(left.X, 235);
  EXPECT_EQ(left.Y, 100);

  TActor& growing = NewPolarShot(12, 240, 100, 0, 1);
  growing.Move = GrowingShotMove;
  growing.HitScale = 40;
  for (int t = 1; t <= 10; ++t) {
    GrowingShotMove(growing);
    if (t == 4) {
      EXPECT_EQ(growing.Pattern, 0);
    }
    if (t == 5) {
      EXPECT_EQ(growing.HitScale, 60);
    }
  }
  EXPECT_EQ(growing.Pattern, 2);
  EXPECT_EQ(growing.HitScale, 80);

  TActor& gone = NewPolarShot(12, 240, 318, 64, 8);
  PolarShotMove(gone);
  EXPECT_EQ(gone.Active, 1);
  PolarShotMove(gone);
  EXPECT_EQ(gone.Active, 0);
}

TEST_F(ShotsTest, RaysFlyAtThirtyTwoAndAreDrawnTurnedAlongTheirFlight) {
  TActor& ray = SpawnRay(240, 160, 240, 300);
  EXPECT_EQ(ray.Work[kShotAngle], 64);
  EXPECT_EQ(ray.Work[kShotSpeed], 32);
  EXPECT_EQ(ray.Kind, KindEnemyShot);
  EXPECT_EQ(SpawnRay(100, 100, 0, 0).Work[kShotAngle], -96);
  EXPECT_EQ(SpawnRay(100, 100, 200, 100).Work[kShotAngle], 0);

  for (TActor& a : ActorPool) {
    if (&a != &ray) a.Active = 0;
  }
  DrawActors();
  auto pixel = [&](int x, int y) {
    return harness_.Display()
        .ReadBackBuffer()[static_cast<size_t>(y) * 480 + static_cast<size_t>(x)];
  };
  EXPECT_NE(pixel(240, 180), 0u) << "turned a quarter: 50 pixels tall";
  EXPECT_EQ(pixel(260, 160), 0u) << "and 10 wide";
  PolarShotMove(ray);
  EXPECT_EQ(ray.Y, 192);
}

}  // namespace
}  // namespace tolvane
