// Splitters and their halves; darts.
#include "game/play/enemies/darts.h"
#include "game/play/enemies/splitters.h"
#include "game/play/enemy_behaviours.h"
#include "game/play/enemy_shots.h"
#include "tests/enemies/enemy_fixture.h"

namespace tolvane {
namespace {

TActor* OtherScatterer(const TActor& self) {
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == &Scatterer && &a != &self) return &a;
  }
  return nullptr;
}

// SoftGlideTable toward x 240 from 550: 20 a frame down to 410, 10 down to 330, 9 down
// to 276, 6 down to 258, then 4: 254, 250, 246 < 250 on the 27th frame.
TEST_F(EnemyTest, ASplitterSplitsOnItsFirstFrameLeftOf250IntoTwoHalvesOfTen) {
  TActor& s = Enemy(Splitter, 550, 100);
  Step(s, 7);
  EXPECT_EQ(s.X, 410);
  Step(s, 8);
  EXPECT_EQ(s.X, 330);
  s.Work[kHitPoints] = 3;
  Step(s, 11);
  EXPECT_EQ(s.X, 250);
  EXPECT_EQ(s.Move, &Splitter);
  Step(s);
  EXPECT_EQ(s.X, 246);
  ASSERT_EQ(s.Move, &Scatterer);
  EXPECT_EQ(s.Work[kHitPoints], 10);
  TActor* twin = OtherScatterer(s);
  ASSERT_NE(twin, nullptr);
  EXPECT_EQ(twin->X, 246);
  EXPECT_EQ(twin->Y, 100);
  EXPECT_EQ(twin->Kind, KindEnemy);
  EXPECT_EQ(twin->Image, kAnimatedImage);
  EXPECT_EQ(twin->AnimTable, kSplitterAnim);
  EXPECT_EQ(twin->Work[kHitPoints], 10);
  EXPECT_EQ(twin->Work[kScoreValue], 200);
  EXPECT_EQ(twin->Work[kDropCode], 0);
  Step(s);
  Step(*twin);
  EXPECT_EQ(s.X, 241);
  EXPECT_EQ(s.Y, 94);
  EXPECT_EQ(twin->Y, 106);
  Step(s, 20);
  EXPECT_EQ(s.Active, 0) << "the upper half leaves by the top";
}

// GlideTable from 550: 30 down to 370, 15 down to 280, 8 down to 256, then 5: 251, 246.
TEST_F(EnemyTest, ATwinSplitterGlidesFasterAndItsTwinTakesItsPicture) {
  TActor& s = Enemy(TwinSplitter, 550, 200, 40);
  s.Work[kHitPoints] = 37;
  Step(s, 16);
  EXPECT_EQ(s.X, 251);
  EXPECT_EQ(s.Move, &TwinSplitter);
  Step(s);
  ASSERT_EQ(s.Move, &Scatterer);
  EXPECT_EQ(s.Work[kHitPoints], 10);
  TActor* twin = OtherScatterer(s);
  ASSERT_NE(twin, nullptr);
  EXPECT_EQ(twin->Image, pic::kTwinSplitter);
  EXPECT_EQ(twin->PatternPeriod, 5);
  EXPECT_EQ(twin->Work[kHitPoints], 10);
}

// From (400, 100) toward (100, 200) at 20: A = atan(100 / 300), cos 0.9487, sin 0.3162.
TEST_F(EnemyTest, ADartFliesItsLineAndLeavesOnTheSideItHeadsFor) {
  TActor& d = Enemy(nullptr, 400, 100);
  AimDart(d, 100, 200, 20);
  Step(d);
  EXPECT_EQ(d.X, 381);
  EXPECT_EQ(d.Y, 106);
  Step(d, 2);
  EXPECT_EQ(d.X, 343);
  EXPECT_EQ(d.Y, 119);
  EXPECT_EQ(d.Work[kShotFrames], 3);

  TActor& straightDown = Enemy(nullptr, 200, 100);
  AimDart(straightDown, 200, 300, 20);
  Step(straightDown);
  EXPECT_EQ(straightDown.X, 220) << "no horizontal offset: right along its row";
  EXPECT_EQ(straightDown.Y, 100);

  TActor& fromRight = Enemy(nullptr, 550, 160);
  AimDart(fromRight, 40, 160, 20);
  Step(fromRight);
  EXPECT_EQ(fromRight.X, 530);
  EXPECT_EQ(fromRight.Active, 1) << "launched beyond the right edge, heading left";

  TActor& goingRight = Enemy(nullptr, 460, 100);
  AimDart(goingRight, 470, 100, 20);
  Step(goingRight);
  EXPECT_EQ(goingRight.Active, 1);
  Step(goingRight);  // left edge 484 > 480
  EXPECT_EQ(goingRight.Active, 0) << "a dart heading right is freed past the right edge";
}

}  // namespace
}  // namespace tolvane
