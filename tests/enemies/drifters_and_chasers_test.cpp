// Swooper and Drifter; the speed-table chasers: Glider, Charger, Lunger, Popper.
#include <cstdlib>

#include "game/play/damage.h"
#include "game/play/enemies/chasers.h"
#include "game/play/enemies/drifters.h"
#include "game/play/enemy_shots.h"
#include "game/play/items.h"
#include "tests/enemies/enemy_fixture.h"

namespace tolvane {
namespace {

TEST_F(EnemyTest, ASwooperFliesLeftAtSixThenDriftsBackAwayFromTheMiddle) {
  TActor& s = Enemy(Swooper, 200, 100);
  Step(s, 8);
  EXPECT_EQ(s.X, 152);
  EXPECT_EQ(s.Move, &Swooper);
  Step(s);  // 146 < 150: turns, upward in the upper half
  EXPECT_EQ(s.Move, &Drifter);
  EXPECT_EQ(s.Work[kDrifterDY], -3);
  EXPECT_EQ(s.Work[kDrifterDX], 2);
  EXPECT_EQ(s.Work[kDrifterChance], -1);
  Step(s, 2);
  EXPECT_EQ(s.X, 150);
  EXPECT_EQ(s.Y, 94);
  TActor& low = Enemy(Swooper, 150, 160);
  Step(low);
  EXPECT_EQ(low.Work[kDrifterDY], 3) << "y 160 counts as the lower half";
  Step(s, 40);
  EXPECT_EQ(s.Active, 0) << "a drifter leaves by the top edge";
}

TEST_F(EnemyTest, ADrifterIsFreedOffAnyEdgeSoItMustStartWithinReach) {
  TActor& far = Enemy(nullptr, 550, 100, 20);
  BecomeDrifter(far, 0, -16, -1, 8);
  Step(far);
  EXPECT_EQ(far.Active, 0) << "at 534 its left edge (518) is past 480: gone at once";

  TActor& in = Enemy(nullptr, 512, 100, 20);
  BecomeDrifter(in, 0, -16, -1, 8);
  Step(in);
  EXPECT_EQ(in.X, 496);
  EXPECT_EQ(in.Active, 1) << "its left edge exactly at 480 is still on the field";
  Step(in, 32);
  EXPECT_EQ(in.X, -16);
  EXPECT_EQ(in.Active, 1);
  Step(in);
  EXPECT_EQ(in.Active, 0) << "its right edge left of 0";

  TActor& above = Enemy(nullptr, 300, -17, 20);
  BecomeDrifter(above, 0, -16, -1, 8);
  Step(above);
  EXPECT_EQ(above.Active, 0) << "off the top edge, though heading left";
}

// RetreatTable reaches 140, 220, 460, 620, 640, 670 pixels; SoftGlideTable 1, 7, 19, 43,
// 97, 177.
TEST_F(EnemyTest, ChasersStepByTheirSpeedTables) {
  TActor& glider = Enemy(Glider, 600, 100);
  glider.Work[kGliderTargetY] = 200;
  Step(glider);  // 700 to go: beyond every row, 25; 100 down: 1
  EXPECT_EQ(glider.X, 575);
  EXPECT_EQ(glider.Y, 101);
  Step(glider);  // 675 > 670: 25
  EXPECT_EQ(glider.X, 550);
  Step(glider);  // 650 <= 670: 15
  EXPECT_EQ(glider.X, 535);

  TActor& charger = Enemy(Charger, 150, 200);
  Step(charger);  // 110 left: 10; 40 up: 6
  EXPECT_EQ(charger.X, 140);
  EXPECT_EQ(charger.Y, 194);
  EXPECT_EQ(charger.Move, &Charger) << "exactly 100 from the player is not yet near";
  Step(charger);
  EXPECT_EQ(charger.X, 130);
  EXPECT_EQ(charger.Move, &Drifter);
  EXPECT_EQ(charger.Work[kDrifterDY], 3);
  EXPECT_EQ(charger.Work[kDrifterDX], 16);
}

TEST_F(EnemyTest, ALungerFliesOnAtThePlayerStillAnEnemyWorthItsScore) {
  TActor& lunger = Enemy(Lunger, 150, 200, 30);
  Step(lunger, 2);
  ASSERT_EQ(lunger.Move, &AimedShotMove);
  EXPECT_EQ(lunger.Kind, KindEnemy);
  EXPECT_EQ(lunger.Work[kScoreValue], 100);
  Step(lunger);  // from (130, 188), 8 along (-90, -28) to the player: cos -0.9549, sin -0.2971
  EXPECT_EQ(lunger.X, 122);
  EXPECT_EQ(lunger.Y, 186);
  lunger.Work[kPendingDamage] = 30;
  ApplyDamage(lunger, 0);
  EXPECT_EQ(Score, 100);
}

TEST_F(EnemyTest, APopperTouchedUnderProtectionBurstsWithoutScore) {
  harness_.PlacePlayer(100, 160);
  harness_.FillOrbs(1);
  TActor& popper = NewActor(LayerFront);
  SetImage(popper, pic::kPopper);
  popper.X = 100;
  popper.Y = 160;
  popper.Kind = KindEnemy;
  SetEnemyWords(popper, 4, 100, 2000);
  popper.Move = Popper;
  harness_.RunFrames(1);  // the player's contact deals 100; the popper, moved later, bursts
  EXPECT_EQ(popper.Active, 0);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(Count(ItemMove), 0) << "freed without dying, it drops nothing";
  harness_.RunFrames(1);
  int shots = 0;
  for (const TActor& a : ActorPool) {
    if (a.Active == 0 || a.Move != &AimedShotMove || a.Image != kBulletImage) continue;
    ++shots;
    // 10 along (-2, -1) or (-2, 1): cos -0.894, sin -/+0.447
    EXPECT_EQ(a.X, 91);
    EXPECT_EQ(std::abs(a.Y - 160), 4);
    EXPECT_EQ(a.Kind, KindEnemyShot);
  }
  EXPECT_EQ(shots, 2);
}

}  // namespace
}  // namespace tolvane
