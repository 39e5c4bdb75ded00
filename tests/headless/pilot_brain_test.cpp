// The autopilot's steering on a play screen built by the harness: it gets out of the way of
// a shot that would hit, finds the gap in a wall of shots, fetches an item and lines up
// with an enemy until the enemy falls. Each dodge is checked against the same scene left
// unsteered, so the danger is real.
#include "tools/headless/pilot_brain.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/items.h"
#include "game/play/player.h"
#include "tests/support/play_harness.h"

namespace tolvane::headless {
namespace {

using testing::PlayHarness;

constexpr int32_t kBulletImage = pic::kBullet;
constexpr int32_t kLeft = 128;  // polar angle straight left, in 256ths

class PilotBrainTest : public ::testing::Test {
 protected:
  PilotBrainTest() {
    harness_.UsePlaySizes();
    harness_.BuildPlayScene(1, 1);
    harness_.PlacePlayer(100, 160);
  }

  // Runs frames with the brain steering (or not) and button 1 held as `fire` says.
  void Run(int frames, bool steer, bool fire = false) {
    for (int i = 0; i < frames; ++i) {
      const PilotStep step = steer ? brain_.Decide() : PilotStep{};
      harness_.ReleaseAll();
      if (step.dx < 0) harness_.Hold(PadLeft);
      if (step.dx > 0) harness_.Hold(PadRight);
      if (step.dy < 0) harness_.Hold(PadUp);
      if (step.dy > 0) harness_.Hold(PadDown);
      if (fire) harness_.Hold(PadButton1);
      harness_.RunFrames(1);
      highest_ = std::min(highest_, PlayerActor->Y);
    }
  }

  // A column of shots flying left at x, one every 12 pixels, leaving out [gapFrom, gapTo].
  static void ShotWall(int32_t x, int32_t gapFrom, int32_t gapTo) {
    for (int32_t y = 4; y < 320; y += 12)
      if (y < gapFrom || y > gapTo) NewPolarShot(kBulletImage, x, y, kLeft, 8);
  }

  PlayHarness harness_;
  PilotBrain brain_;
  int32_t highest_ = 320;  // the least Y the player reached
};

TEST_F(PilotBrainTest, AShotHeadOnIsAvoidedThatWouldOtherwiseHit) {
  for (bool steer : {false, true}) {
    SCOPED_TRACE(steer ? "steered" : "left alone");
    harness_.BuildPlayScene(1, 1);
    harness_.PlacePlayer(100, 160);
    NewPolarShot(kBulletImage, 330, 160, kLeft, 10);
    Run(40, steer);
    EXPECT_EQ(Tails, steer ? 3 : 2);
  }
}

TEST_F(PilotBrainTest, AWallOfShotsIsPassedThroughItsGap) {
  for (bool steer : {false, true}) {
    SCOPED_TRACE(steer ? "steered" : "left alone");
    harness_.BuildPlayScene(1, 1);
    harness_.PlacePlayer(100, 160);
    ShotWall(400, 50, 110);
    Run(60, steer);
    EXPECT_EQ(Tails, steer ? 3 : 2);
  }
  EXPECT_LE(highest_, 110) << "it went through the gap above";
}

TEST_F(PilotBrainTest, AnItemAheadIsFetched) {
  TActor& dropper = NewActor(LayerBack);
  dropper.X = 300;
  dropper.Y = 60;
  SpawnItem(dropper, kWeaponItemImage, 1);
  dropper.Active = 0;
  Run(60, true);
  EXPECT_EQ(WeaponLevel(*PlayerActor, 0), 2);
}

TEST_F(PilotBrainTest, AnEnemyIsLinedUpWithAndShotDown) {
  TActor& enemy = NewActor(LayerBack);
  SetImage(enemy, pic::kSwooper);
  enemy.Kind = KindEnemy;
  enemy.X = 400;
  enemy.Y = 270;
  SetEnemyWords(enemy, 0, 100, 40);
  Run(10, true, true);
  EXPECT_EQ(brain_.Target(), SlotOf(enemy));
  Run(80, true, true);
  EXPECT_EQ(Score, 100) << "the kill scored";
  EXPECT_EQ(Tails, 3);
}

TEST_F(PilotBrainTest, NothingIsSteeredWhileThePlayerIsNotInControl) {
  PlayerActor->Move = PlayerEnter;
  NewPolarShot(kBulletImage, 200, 160, kLeft, 10);
  const PilotStep step = brain_.Decide();
  EXPECT_EQ(step.dx, 0);
  EXPECT_EQ(step.dy, 0);
  EXPECT_EQ(brain_.Target(), -1);
}

}  // namespace
}  // namespace tolvane::headless
