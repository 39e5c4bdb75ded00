// The rules the bosses share: the hit flash, the damage smoke, the pull, the charge orb and
// its particles, the pods' flight, and the noise overlay.
#include "game/play/bosses/boss_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "game/engine/actor_pool.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/charge_effects.h"
#include "game/play/bosses/fortress_boss.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/stage_script.h"
#include "tests/bosses/boss_fixture.h"

namespace tolvane {
namespace {

using testing::NewArrivals;

constexpr int kRemembered = 6;
constexpr int kThreshold = 8;

class BossRulesTest : public testing::BossTest {
 protected:
  static TActor& StillBoss(int32_t hitPoints) {
    TActor& boss = NewActor(LayerBack);
    SetImage(boss, pic::kWanderer);
    boss.X = 300;
    boss.Y = 160;
    boss.Kind = KindEnemy;
    SetEnemyWords(boss, 0, 35000, hitPoints);
    boss.Work[kRemembered] = hitPoints;
    return boss;
  }
};

TEST_F(BossRulesTest, HitFlashShowsOnTheFramesTheHitPointsChanged) {
  TActor& boss = StillBoss(1000);
  HitFlash(boss, kRemembered);
  EXPECT_EQ(boss.Flash, 0);
  Hit(boss, 10);
  HitFlash(boss, kRemembered);
  EXPECT_EQ(boss.Flash, 1);
  EXPECT_EQ(boss.Work[kRemembered], 990);
  HitFlash(boss, kRemembered);
  EXPECT_EQ(boss.Flash, 0);
}

TEST_F(BossRulesTest, DamageSmokeRisesOncePerHundredPointsAtMostOnceAFrame) {
  TActor& boss = StillBoss(5000);
  boss.Work[kThreshold] = 5000;
  EXPECT_FALSE(DamageSmoke(boss, kThreshold)) << "not below the threshold yet";
  boss.Work[kHitPoints] = 4750;
  NewArrivals arrivals;
  int smokes = 0;
  while (DamageSmoke(boss, kThreshold)) ++smokes;
  EXPECT_EQ(smokes, 3);
  EXPECT_EQ(boss.Work[kThreshold], 4700);
  EXPECT_EQ(arrivals.WithImage(kAnimatedImage).size(), 3u);
  // The smoke strikes the first enemy it touches: the boss, for 50.
  boss.Move = nullptr;
  Run(1);
  EXPECT_EQ(boss.Work[kHitPoints], 4750 - 50);
}

TEST_F(BossRulesTest, ThePullDrawsThePlayerOnlyWhileATailIsLeft) {
  PlayerActor->X = 100;
  PlayerActor->Y = 300;
  PullPlayer(430, 70, false);
  EXPECT_EQ(PlayerActor->X, 108) << "farther than the table: its end speed";
  EXPECT_EQ(PlayerActor->Y, 294) << "230 away: 6";
  PlayerActor->X = 330;
  PullPlayer(430, 70, false);
  EXPECT_EQ(PlayerActor->X, 335) << "100 away: the pull table gives 5";
  PlayerActor->X = 330;
  PullPlayer(430, 70, true);
  EXPECT_EQ(PlayerActor->X, 336) << "the strong table gives 6";
  Tails = 0;
  PullPlayer(430, 70, true);
  EXPECT_EQ(PlayerActor->X, 336);
}

TEST_F(BossRulesTest, ChargeParticlesStreamToTheBossAndEndWithTheCharge) {
  TActor& boss = StillBoss(1000);
  boss.Work[kThreshold] = 0;  // the charge clock
  NewArrivals arrivals;
  for (int i = 0; i < 20; ++i) SpawnChargeParticle(boss, kThreshold, 98);
  const auto particles = arrivals.WithImage(119);
  ASSERT_EQ(particles.size(), 20u);
  for (const TActor* p : particles) {
    const int dx = p->X - 300;
    const int dy = p->Y - 160;
    EXPECT_NEAR(dx * dx + dy * dy, 300 * 300, 2 * 300 + 1) << "on the circle of 300";
    EXPECT_GE(p->Work[kShotSpeed], 5);
    EXPECT_LT(p->Work[kShotSpeed], 15);
    EXPECT_EQ(p->Kind, KindNeutral);
  }
  // Each ends within 15 pixels of the boss's x.
  for (int frame = 0; frame < 70; ++frame) {
    Run(1);
    for (const TActor* p : particles) {
      if (p->Active != 0 && p->Move == ChargeParticleMove) {
        EXPECT_GT(std::abs(p->X - 300), 15);
      }
    }
  }
  int left = 0;
  for (const TActor* p : particles) left += p->Active != 0 && p->Move == ChargeParticleMove;
  EXPECT_EQ(left, 0);

  // And all end once the boss's clock passes the limit.
  for (int i = 0; i < 10; ++i) SpawnChargeParticle(boss, kThreshold, 98);
  Run(1);
  boss.Work[kThreshold] = 99;
  Run(1);
  for (const TActor& a : ActorPool) EXPECT_FALSE(a.Active != 0 && a.Move == ChargeParticleMove);
}

TEST_F(BossRulesTest, AnOrbTakenByTheOrbsIsNotChasedIntoItsSlotsNextOccupant) {
  const int32_t slot = NewChargeOrb(430, 70);
  TActor& orb = ActorAt(slot);
  EXPECT_EQ(orb.Kind, KindEnemyShot);
  EXPECT_EQ(orb.ScaleX, 1);
  ScaleChargeOrb(slot, 40);
  EXPECT_EQ(orb.ScaleY, 40);
  // The player's protection frees the orb on contact; a shot takes the slot.
  orb.Active = 0;
  TActor& shot = NewPolarShot(kBulletImage, 200, 100, 0, 8);
  ASSERT_EQ(SlotOf(shot), slot);
  ScaleChargeOrb(slot, 50);
  FreeChargeOrb(slot);
  EXPECT_EQ(shot.Active, 1);
  EXPECT_EQ(shot.ScaleX, 100);
}

TEST_F(BossRulesTest, PodsFlyAtThePlayerWithTheirTailsAndLeaveOnAnySide) {
  PlayerActor->X = 470;
  PlayerActor->Y = 250;  // to the right: the pod heads off that way
  const int32_t podSlot = LaunchPod(350, 240);
  TActor& pod = ActorAt(podSlot);
  EXPECT_EQ(pod.Kind, KindEnemy);
  EXPECT_EQ(pod.Work[kScoreValue], kPodScore);
  EXPECT_EQ(pod.Work[kHitPoints], kPodHitPoints);
  std::set<int32_t> tail;
  for (const TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == PodTailMove) {
      tail.insert(SlotOf(a));
      EXPECT_LT(SlotOf(a), podSlot) << "drawn under the pod";
      EXPECT_EQ(a.Kind, KindEnemyShot);
    }
  }
  EXPECT_EQ(tail.size(), 10u);
  Run(1);
  EXPECT_GT(pod.X, 350);
  Run(120);  // 5 pixels a frame: past x 830 it is done, tail and all
  EXPECT_FALSE(pod.Active != 0 && pod.Move == WavePodMove);
  Run(1);
  for (int32_t s : tail) EXPECT_FALSE(ActorAt(s).Active != 0 && ActorAt(s).Move == PodTailMove);
}

TEST_F(BossRulesTest, NoiseOverlayBlendsOneOfSixPicturesAroundItself) {
  harness_.SetEntrySize(247, 100, 60);
  harness_.SetEntrySize(250, 120, 80);
  testing::PlayHarness::LoadScript({{0, 111, 0, 0, 0}, {0, kCodeHalt, 0, 0, 0}});
  Run(1);
  const TActor& overlay = ActorAt(StageActor->Work[kNoiseOverlay]);
  ASSERT_EQ(overlay.Draw, NoiseDraw);
  std::set<int32_t> widths;
  for (int i = 0; i < 40; ++i) {
    Run(1);
    widths.insert(overlay.Width);
  }
  EXPECT_EQ(widths, (std::set<int32_t>{100, 120, 240}));
  const auto pixels = harness_.Display().ReadBackBuffer();
  EXPECT_NE(pixels[170 * 480 + 370], 0u) << "drawn over the black screen";
}

}  // namespace
}  // namespace tolvane
