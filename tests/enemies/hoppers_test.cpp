// Hopper and Frog: walking, hopping, resting, and what a hit does in each state.
#include "game/play/enemies/hoppers.h"

#include "game/play/enemy_behaviours.h"
#include "game/play/enemy_shots.h"
#include "tests/enemies/enemy_fixture.h"

namespace tolvane {
namespace {

TEST_F(EnemyTest, AHitWhileWalkingStartsA35FrameJumpAndHitsInTheAirStartNone) {
  TActor& h = Enemy(Hopper, 400, 200, 3000);
  h.Work[kHopperHitPoints] = 3000;
  Step(h);
  EXPECT_EQ(h.X, 397);
  h.Work[kHitPoints] = 2990;
  Step(h);
  ASSERT_EQ(h.Move, &HopperJump);
  EXPECT_EQ(h.Image, pic::kHopperRise);
  EXPECT_EQ(h.Work[kHopperRise], -20);
  Step(h, 20);  // rises 20 + 19 + ... + 1; the last rising frame turns the look
  EXPECT_EQ(h.Y, 200 - 210);
  EXPECT_EQ(h.Image, pic::kHopperFall);
  h.Work[kHitPoints] = 2980;
  Step(h, 14);  // falls 0 + 1 + ... + 13
  EXPECT_EQ(h.Move, &HopperJump);
  Step(h);  // 14 more, and lands
  EXPECT_EQ(h.Y, 200 - 105);
  EXPECT_EQ(h.X, 394 - 3 * 35);
  EXPECT_EQ(h.Move, &Hopper);
  EXPECT_EQ(h.Image, pic::kHopper);
  EXPECT_EQ(h.PatternPeriod, 5);
  Step(h);
  EXPECT_EQ(h.Move, &Hopper) << "the hit in the air is forgotten on landing";
}

// A hop: 12, 11, ... 3 left and 5, 4, ... up then down to 4; then 5 frames of rest.
TEST_F(EnemyTest, AFrogHopsAndRestsAndAHitWhileRestingTurnsItIntoADartOnItsNextHop) {
  TActor& f = Enemy(Frog, 400, 200, 50);
  f.Work[kFrogDX] = 12;
  f.Work[kFrogDY] = -5;
  f.Work[kFrogRest] = 0;
  f.Work[kFrogHitPoints] = 50;
  Step(f, 3);
  EXPECT_EQ(f.X, 367);
  EXPECT_EQ(f.Y, 188);
  Step(f, 7);
  EXPECT_EQ(f.X, 325);
  EXPECT_EQ(f.Y, 195);
  ASSERT_EQ(f.Move, &FrogRest);
  EXPECT_EQ(f.Pattern, 1);
  Step(f, 2);
  f.Work[kHitPoints] = 40;
  Step(f, 3);
  EXPECT_EQ(f.Move, &Frog) << "resting ends after 5 frames; the hit shows only on a hop";
  EXPECT_EQ(f.X, 325);
  Step(f);
  EXPECT_EQ(f.X, 313);
  EXPECT_EQ(f.Y, 190);
  ASSERT_EQ(f.Move, &DartMove);
  EXPECT_EQ(f.Image, pic::kFrogLeap);
  EXPECT_EQ(f.HitScale, 50);
  EXPECT_EQ(f.Work[kOriginX], 313);
  EXPECT_EQ(f.Work[kOriginY], 190);
  EXPECT_EQ(f.Work[kTargetX], 40);
  EXPECT_EQ(f.Work[kTargetY], 160);
  EXPECT_EQ(f.Work[kShotSpeed], 30);
}

}  // namespace
}  // namespace tolvane
