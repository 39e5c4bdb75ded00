// What the bosses' attacks do: the gunship's turning fans, the lance, the fortress's retreat
// that wears nothing down, the final boss's choices and its core, and the end of a fight.
#include <gtest/gtest.h>

#include <vector>

#include "game/engine/actor_pool.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/charge_effects.h"
#include "game/play/bosses/final_boss.h"
#include "game/play/bosses/fortress_boss.h"
#include "game/play/bosses/gunship_enemy.h"
#include "game/play/bosses/lancer_boss.h"
#include "game/play/bosses/wanderer_boss.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/play_math.h"
#include "game/play/stage_script.h"
#include "tests/bosses/boss_fixture.h"

namespace tolvane {
namespace {

using testing::NewArrivals;

class BossAttacksTest : public testing::BossTest {
 protected:
  static std::vector<TActor*> StillActive(int32_t image) {
    std::vector<TActor*> found;
    for (TActor& a : ActorPool) {
      if (a.Active != 0 && a.Image == image) found.push_back(&a);
    }
    return found;
  }
};

TEST_F(BossAttacksTest, GunshipFansStartShortOfThePlayerTurnAndWrapPast192) {
  PlayerActor->X = 60;
  PlayerActor->Y = 250;
  TActor& gunship = SpawnBoss(105, 550, 100);
  Run(99);
  ASSERT_EQ(gunship.Move, GunshipAttack);
  ASSERT_EQ(gunship.X, 350);
  EXPECT_EQ(gunship.Work[kHitPoints], 700) << "the approach's 20000 are replaced";
  const int32_t aim = Angle256Toward(350 - 70, 160, 60, 250);
  EXPECT_EQ(gunship.Work[kGunshipFanAngle], aim - 15);

  std::vector<int32_t> angles;
  std::vector<int> frames;
  Watch(gunship, 160, [&](const NewArrivals& fresh) {
    for (const TActor* shot : fresh.WithImage(kBulletImage)) {
      if (shot->Move != PolarShotMove) continue;
      angles.push_back(shot->Work[kShotAngle]);
      frames.push_back(frame_ + 1);
    }
  });
  // The first fan has 11 shots (frames 101-111), the later ones 12, one every 31 frames.
  ASSERT_GE(angles.size(), 40u);
  EXPECT_EQ(frames[0], 101);
  EXPECT_EQ(frames[10], 111);
  EXPECT_EQ(frames[11], 131);
  EXPECT_EQ(frames[22], 142);
  EXPECT_EQ(frames[23], 162);
  int32_t expected = aim - 15;
  for (size_t i = 0; i < angles.size(); ++i) {
    expected += 3;
    ASSERT_EQ(angles[i], expected) << "shot " << i;
    if (expected > 192) expected = 64;  // the shot past 192 goes out, the next starts at 67
  }
  EXPECT_GT(aim - 15 + 3 * static_cast<int32_t>(angles.size()), 192) << "the wrap was seen";
}

TEST_F(BossAttacksTest, ALanceTakesAThousandPointsToShootDown) {
  TActor& lancer = SpawnBoss(104, 0, 160);
  NewArrivals arrivals;
  Run(249);
  const auto lances = arrivals.WithImage(kLanceImage);
  ASSERT_EQ(lances.size(), 1u);
  TActor& lance = *lances[0];
  EXPECT_EQ(lance.Kind, KindEnemy);
  EXPECT_EQ(lance.Work[kHitPoints], 1000);
  lance.X = 300;
  Hit(lance, 999);
  EXPECT_EQ(lance.Active, 1);
  const int32_t before = Score;
  Hit(lance, 1);
  EXPECT_EQ(lance.Active, 0);
  EXPECT_EQ(Score, before + 10);
  EXPECT_EQ(lancer.Active, 1);
}

TEST_F(BossAttacksTest, WandererBelow5500TakesItsHurtLookAndAnswersEach100Points) {
  TActor& wanderer = SpawnBoss(100, 400, 160);
  EXPECT_EQ(wanderer.Image, pic::kWanderer);
  wanderer.Work[kWandererSmoke] = 5500;
  wanderer.Work[kHitPoints] = 5450;  // below the threshold: one answer a frame until it is passed
  int aimed = 0;
  Watch(wanderer, 3, [&](const NewArrivals& fresh) {
    for (const TActor* shot : fresh.WithImage(kBulletImage)) aimed += shot->Kind == KindEnemyShot;
  });
  EXPECT_EQ(wanderer.Image, pic::kWandererHurt);
  EXPECT_EQ(wanderer.FlashImage, pic::kWandererHurtFlash);
  EXPECT_EQ(wanderer.Work[kWandererSmoke], 5400);
  EXPECT_GE(aimed, 1);
}

TEST_F(BossAttacksTest, FortressIsNotWornDownWhileItRetreats) {
  TActor& fortress = SpawnBoss(109, 0, 160);
  Run(94 + 200 + 200);  // entry, rays, pods
  ASSERT_EQ(fortress.Move, FortressRetreat);
  const int32_t kept = fortress.Work[kFortressKeptHitPoints];
  EXPECT_EQ(fortress.Work[kHitPoints], 30000);
  EXPECT_EQ(fortress.Flash, 0);
  Run(40);  // lunging toward x 250
  Hit(fortress, 25000);
  EXPECT_EQ(fortress.Active, 1);
  EXPECT_EQ(fortress.Work[kHitPoints], 5000);
  while (fortress.Move != FortressRays && frame_ < 2000) Run(1);
  EXPECT_EQ(fortress.Work[kHitPoints], kept) << "it comes back as it left";
  EXPECT_EQ(fortress.X, 460);
}

TEST_F(BossAttacksTest, FortressBurstsGrowToTwelveRaysAndPodsComeFasterWhenHurt) {
  TActor& fortress = SpawnBoss(109, 0, 160);
  Run(94);
  ASSERT_EQ(fortress.Move, FortressRays);
  fortress.Work[kHitPoints] = fortress.Work[kFortressKeptHitPoints] = 5900;
  fortress.Work[kFortressSmoke] = 0;  // no smoke
  int rays = 0;
  Watch(fortress, 200,
        [&](const NewArrivals& fresh) { rays += static_cast<int>(fresh.WithImage(177).size()); });
  EXPECT_EQ(rays, 13 * 12);
  ASSERT_EQ(fortress.Move, FortressLaunch);
  int pods = 0;
  int tails = 0;
  Watch(fortress, 200, [&](const NewArrivals& fresh) {
    pods += static_cast<int>(fresh.WithImage(kPodImage).size());
    tails += static_cast<int>(fresh.WithImage(kPodTailImage).size());
  });
  EXPECT_EQ(pods, 10);
  EXPECT_EQ(tails, 100);
}

TEST_F(BossAttacksTest, FinalBossChoiceZeroSummonsACoreOrFiresTheBeam) {
  TActor& boss = SpawnBoss(110, 0, 0);
  Run(70);
  ASSERT_EQ(boss.Move, FinalIdle);
  auto cores = [] {
    int n = 0;
    for (const TActor& a : ActorPool) n += a.Active != 0 && a.Move == FinalCore ? 1 : 0;
    return n;
  };
  ASSERT_EQ(cores(), 1);

  // A core on the field: the beam at once.
  FinalChoose(boss, kFinalChooseBeam);
  EXPECT_EQ(boss.Move, FinalBeamStart);
  EXPECT_EQ(boss.PatternPeriod, 0);
  EXPECT_EQ(cores(), 1);

  // No core, strong: a new core and another idle.
  boss.Move = FinalIdle;
  for (TActor& a : ActorPool) {
    if (a.Move == FinalCore) a.Active = 0;
  }
  boss.Work[kFinalCoreFlag] = 0;
  FinalChoose(boss, kFinalChooseBeam);
  EXPECT_EQ(boss.Move, FinalIdle);
  EXPECT_EQ(boss.Work[kFinalCoreFlag], 1);
  EXPECT_EQ(cores(), 1);

  // No core, weak: a new core and the beam.
  for (TActor& a : ActorPool) {
    if (a.Move == FinalCore) a.Active = 0;
  }
  boss.Work[kFinalCoreFlag] = 0;
  boss.Work[kHitPoints] = 19999;
  FinalChoose(boss, kFinalChooseBeam);
  EXPECT_EQ(boss.Move, FinalBeamStart);
  EXPECT_EQ(cores(), 1);

  // Choice 1: the rays, with the ray-attack look.
  boss.Move = FinalIdle;
  FinalChoose(boss, kFinalChooseRays);
  EXPECT_EQ(boss.Move, FinalRays);
  EXPECT_EQ(boss.Image, pic::kFinalBossRays);
  EXPECT_EQ(boss.FlashImage, pic::kFinalBossRaysFlash);
}

TEST_F(BossAttacksTest, TheBeamIsAnOrbCostingWallThatSweepsLeft) {
  TActor& boss = SpawnBoss(110, 0, 0);
  Run(70);
  boss.Work[kFinalClock] = 0;
  FinalChoose(boss, kFinalChooseBeam);
  NewArrivals arrivals;
  Run(1 + 100);
  ASSERT_EQ(boss.Move, FinalRecoil);
  const auto beams = arrivals.WithImage(kFinalBeamImage);
  ASSERT_EQ(beams.size(), 1u);
  EXPECT_EQ(beams[0]->Kind, KindOrbCost);
  EXPECT_EQ(beams[0]->Y, 160);
  EXPECT_TRUE(StillActive(kChargeOrbImage).empty()) << "the orb is gone with the charge";
  Run(30);  // it sweeps left ever faster
  EXPECT_TRUE(StillActive(kFinalBeamImage).empty());
}

TEST_F(BossAttacksTest, TheCoreBreaksAt4999AndTheBossMaySummonAnother) {
  TActor& boss = SpawnBoss(110, 0, 0);
  TActor* core = Running(FinalCore);
  ASSERT_NE(core, nullptr);
  EXPECT_EQ(core->Work[kHitPoints], 6000);
  EXPECT_EQ(core->Work[kScoreValue], 3000);
  Run(30);
  Hit(*core, 1000);
  Run(1);
  EXPECT_EQ(core->Active, 1) << "5000 left: it holds";
  EXPECT_EQ(boss.Work[kFinalCoreFlag], 1);
  const int32_t before = Score;
  Hit(*core, 1);
  Run(1);
  EXPECT_EQ(core->Active, 0);
  EXPECT_EQ(boss.Work[kFinalCoreFlag], 0);
  EXPECT_EQ(Score, before + 3000);
  EXPECT_EQ(boss.Active, 1);
}

TEST_F(BossAttacksTest, ABossKillResumesTheScriptAndClearsItsBrood) {
  StageClearHook = [](TActor& actor) { actor.Move = nullptr; };
  TActor& fortress = SpawnBoss(109, 0, 160);
  Run(94 + 200 + 150);  // pods in flight
  int pods = 0;
  for (const TActor& a : ActorPool) pods += a.Active != 0 && a.Move == WavePodMove ? 1 : 0;
  ASSERT_GT(pods, 0);
  Run(100);  // darts as well
  ASSERT_EQ(fortress.Move, FortressRetreat);
  ASSERT_GT(CountKind(KindEnemy), 1);
  ASSERT_EQ(ScriptPos, 1);
  Hit(fortress, 30000);
  EXPECT_EQ(fortress.Active, 0);
  EXPECT_EQ(ScriptPos, 2);
  EXPECT_EQ(CountKind(KindEnemy), 0);
  EXPECT_EQ(CountKind(KindEnemyShot), 0);
  Run(2);
  EXPECT_EQ(StageActor->Move, StageClearHook) << "the script went on to the stage clear";
}

}  // namespace
}  // namespace tolvane
