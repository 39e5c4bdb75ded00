// Each boss alone on the field, spawned by its stage record: the frames at which its look
// and its behaviour change, counted from the spawn frame (1).
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/beam_boss.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/bosses/charge_effects.h"
#include "game/play/bosses/circler_boss.h"
#include "game/play/bosses/final_boss.h"
#include "game/play/bosses/fortress_boss.h"
#include "game/play/bosses/gunship_enemy.h"
#include "game/play/bosses/lancer_boss.h"
#include "game/play/bosses/spiral_boss.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "tests/bosses/boss_fixture.h"

namespace tolvane {
namespace {

using testing::NewArrivals;
using Frames = std::vector<std::pair<int, int32_t>>;  // (frame, image)

constexpr int32_t kRayImage = pic::kRay;

Frames LookChanges(const std::vector<testing::BossChange>& changes) {
  Frames frames;
  for (const auto& c : changes) frames.emplace_back(c.frame, c.image);
  return frames;
}

class BossPhasesTest : public testing::BossTest {
 protected:
  // Counts the arrivals showing the image while watching.
  std::vector<Change> WatchCounting(const TActor& boss, int frames, int32_t image, int& count) {
    return Watch(boss, frames, [&](const NewArrivals& fresh) {
      count += static_cast<int>(fresh.WithImage(image).size());
    });
  }
};

TEST_F(BossPhasesTest, CirclerFliesTwoHundredFramesThenVolleysEvery400) {
  TActor& boss = SpawnBoss(102, 0, 140);
  std::vector<TActor> bullets;
  const auto changes = Watch(boss, 899, [&](const NewArrivals& fresh) {
    for (const TActor* b : fresh.WithImage(kSeedImage)) bullets.push_back(*b);
  });
  EXPECT_EQ(LookChanges(changes), (Frames{{200, 76}, {350, 75}, {750, 76}, {900, 75}}));
  ASSERT_EQ(changes.size(), 4u);
  EXPECT_EQ(changes[0].move, CirclerVolley);
  EXPECT_EQ(changes[1].move, CirclerBoss);
  // Two volleys of 101 bullets, each worth 3 with a single hit point.
  EXPECT_EQ(bullets.size(), 202u);
  for (const TActor& b : bullets) {
    EXPECT_EQ(b.Kind, KindEnemy);
    EXPECT_EQ(b.Work[kScoreValue], 3);
    EXPECT_EQ(b.Work[kHitPoints], 1);
  }
}

TEST_F(BossPhasesTest, LancerPatrolsWindsUpThrowsAndDipsEvery300Frames) {
  TActor& boss = SpawnBoss(104, 0, 160);
  int lances = 0;
  const auto changes = WatchCounting(boss, 600, kLanceImage, lances);
  EXPECT_EQ(LookChanges(changes),
            (Frames{{200, 80}, {250, 81}, {301, 79}, {500, 80}, {550, 81}, {601, 79}}));
  for (const auto& c : changes) EXPECT_EQ(c.move, LancerBoss);
  EXPECT_EQ(lances, 2);
}

TEST_F(BossPhasesTest, LancerBelow5000RunsItsPatrolAndWindUpFourTimesAsFast) {
  TActor& boss = SpawnBoss(104, 0, 160);
  boss.Work[kHitPoints] = 4000;
  boss.Work[kLancerSmoke] = 3000;  // no smoke to wear it down further
  const auto changes = Watch(boss, 240);
  // From frame 2 the clock runs 4 a frame up to 240, then 1: wind-up at 200 (frame 51),
  // lance at 250 (frame 70), the cycle ends at 300 (frame 120) and is 120 frames long.
  EXPECT_EQ(LookChanges(changes),
            (Frames{{51, 80}, {70, 81}, {121, 79}, {170, 80}, {190, 81}, {241, 79}}));
}

TEST_F(BossPhasesTest, GunshipApproachesTo350ThenAttacks) {
  TActor& boss = SpawnBoss(105, 550, 100);
  EXPECT_EQ(boss.Work[kHitPoints], 20000);
  const auto changes = Watch(boss, 200);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].frame, 100);
  EXPECT_EQ(changes[0].image, pic::kGunshipAttack);
  EXPECT_EQ(changes[0].move, GunshipAttack);
  EXPECT_EQ(boss.FlashImage, pic::kGunshipFlash);
}

TEST_F(BossPhasesTest, BeamBossPatrolsFliesChargesFiresAndReturns) {
  TActor& boss = SpawnBoss(107, 0, 160);
  EXPECT_EQ(boss.CenterX, 160 + 100);
  EXPECT_EQ(boss.CenterY, 64 + 20);
  std::vector<int> orbFrames;
  std::vector<int> segmentFrames;
  const auto changes = Watch(boss, 800, [&](const NewArrivals& fresh) {
    if (!fresh.WithImage(kChargeOrbImage).empty()) orbFrames.push_back(frame_ + 1);
    if (!fresh.WithImage(kBeamSegmentImage).empty()) segmentFrames.push_back(frame_ + 1);
  });
  ASSERT_GE(changes.size(), 4u);
  EXPECT_EQ(changes[0].frame, 201);  // flies to the charge point
  EXPECT_EQ(changes[0].image, pic::kBeamBossFly);
  EXPECT_EQ(changes[1].image, pic::kBeamBossCharge);  // charges 100 frames once there
  const int charged = changes[1].frame;
  EXPECT_EQ(changes[2].frame, charged + 101);
  EXPECT_EQ(changes[2].image, pic::kBeamBossFire);
  EXPECT_EQ(changes[3].image, pic::kBeamBoss);  // patrols again once back
  EXPECT_EQ(boss.CenterX, 160 + 80) << "every later look is offset by 80";
  // The next cycle starts the frame after its return: the orb 200 frames later.
  const int back = changes[3].frame;
  EXPECT_EQ(orbFrames, (std::vector<int>{200, back + 199}));
  std::erase_if(segmentFrames, [&](int frame) { return frame >= back; });
  ASSERT_EQ(segmentFrames.size(), 19u);
  EXPECT_EQ(segmentFrames.front(), charged + 101);
  EXPECT_EQ(segmentFrames.back(), charged + 119);
}

TEST_F(BossPhasesTest, SpiralRoamsWaitsSpiralsOutAndBackEvery350Frames) {
  TActor& boss = SpawnBoss(108, 0, 160);
  std::vector<int32_t> angles;
  const auto changes = Watch(boss, 699, [&](const NewArrivals& fresh) {
    for (const TActor* shot : fresh.WithImage(kSpiralShotImage))
      angles.push_back(shot->Work[kShotAngle]);
  });
  EXPECT_EQ(LookChanges(changes), (Frames{{200, 143}, {350, 141}, {550, 143}, {700, 141}}));
  ASSERT_EQ(angles.size(), 200u);
  EXPECT_EQ(angles[0], 6000 + 19);
  EXPECT_EQ(angles[49], 6000 + 50 * 19);
  EXPECT_EQ(angles[50], 6000 + 50 * 19 - 14);
  EXPECT_EQ(angles[99], 6000 + 50 * 19 - 50 * 14);
  EXPECT_EQ(angles[100], angles[99] + 19) << "the angle carries over to the next spiral";
}

TEST_F(BossPhasesTest, FortressEntersFiresRaysLaunchesPodsAndRetreats) {
  TActor& boss = SpawnBoss(109, 0, 120);
  EXPECT_EQ(boss.X, 648);
  EXPECT_EQ(boss.Y, 160);
  int rays = 0;
  int pods = 0;
  int darts = 0;
  auto changes = WatchCounting(boss, 94 + 200, kRayImage, rays);
  const auto launch = WatchCounting(boss, 200, kPodImage, pods);
  const auto retreat = WatchCounting(boss, 300, kFortressDartImage, darts);
  const auto again = Watch(boss, 200);
  for (const auto* more : {&launch, &retreat, &again})
    changes.insert(changes.end(), more->begin(), more->end());
  ASSERT_GE(changes.size(), 5u);
  EXPECT_EQ(changes[0].frame, 95);  // at x 460
  EXPECT_EQ(changes[0].move, FortressRays);
  EXPECT_EQ(changes[1].frame, 295);
  EXPECT_EQ(changes[1].image, pic::kFortressLaunch);
  EXPECT_EQ(changes[1].move, FortressLaunch);
  EXPECT_EQ(changes[2].frame, 495);
  EXPECT_EQ(changes[2].image, pic::kFortress);
  EXPECT_EQ(changes[2].move, FortressRetreat);
  EXPECT_EQ(changes[3].frame, 795);
  EXPECT_EQ(changes[3].move, FortressBoss);
  EXPECT_EQ(changes[4].move, FortressRays);
  EXPECT_EQ(rays, 13 * 4) << "bursts of 4 every 15 frames";
  EXPECT_EQ(pods, 5) << "a pod every 40 frames";
  EXPECT_EQ(darts, 100) << "a dart every third frame";
}

TEST_F(BossPhasesTest, FinalBossEntersIdlesAndRunsItsAttacksForTheirLengths) {
  TActor& boss = SpawnBoss(110, 0, 0);
  EXPECT_EQ(boss.X, 645);
  EXPECT_EQ(boss.Y, 190);
  const auto changes = Watch(boss, 2000);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes[0].frame, 71);
  EXPECT_EQ(changes[0].move, FinalIdle);
  EXPECT_EQ(boss.Work[kFinalCoreFlag], 1);
  // Each state lasts its length: idle 101, rays 150, beam start 1, charge 100, recoil 11.
  bool sawRays = false;
  bool sawBeam = false;
  for (size_t i = 0; i + 1 < changes.size(); ++i) {
    const int length = changes[i + 1].frame - changes[i].frame;
    const MoveProc state = changes[i].move;
    SCOPED_TRACE(changes[i].frame);
    if (state == FinalIdle) {
      EXPECT_EQ(length, 101);
    }
    if (state == FinalRays) {
      sawRays = true;
      EXPECT_EQ(length, 150);
      EXPECT_EQ(changes[i].image, pic::kFinalBossRays);
    }
    if (state == FinalBeamStart) {
      sawBeam = true;
      EXPECT_EQ(length, 1);
    }
    if (state == FinalCharging) {
      EXPECT_EQ(length, 100);
    }
    if (state == FinalRecoil) {
      EXPECT_EQ(length, 11);
      EXPECT_EQ(changes[i].image, pic::kFinalBossRecoil);
    }
  }
  EXPECT_TRUE(sawRays);
  EXPECT_TRUE(sawBeam) << "with its core present, choice 0 is always the beam";
}

TEST_F(BossPhasesTest, WandererAndDrifterKeepOneBehaviour) {
  TActor& wanderer = SpawnBoss(100, 0, 160);
  EXPECT_TRUE(Watch(wanderer, 500).empty());
  for (TActor& a : ActorPool) {
    if (a.Kind == KindEnemy || a.Kind == KindEnemyShot) a.Active = 0;
  }
  TActor& drifter = SpawnBoss(113, 0, 160);
  // Its base comes in from 550 at 1 pixel a frame (200 at frame 350), then sweeps 200-400
  // with circles of up to 100 pixels about it.
  EXPECT_TRUE(Watch(drifter, 349).empty());
  EXPECT_EQ(drifter.Work[kCircleBaseX], 200);
  int32_t low = drifter.X;
  int32_t high = drifter.X;
  for (int i = 0; i < 1000; ++i) {
    EXPECT_TRUE(Watch(drifter, 1).empty());
    low = std::min(low, drifter.X);
    high = std::max(high, drifter.X);
  }
  EXPECT_GE(low, 100);
  EXPECT_LT(low, 200);
  EXPECT_LE(high, 500);
  EXPECT_GT(high, 400);
}

}  // namespace
}  // namespace tolvane
