#include "game/engine/motion.h"

#include "game/engine/actor_pool.h"
#include "tests/engine/engine_fixture.h"

namespace tolvane {
namespace {

using MotionTest = testing::EngineTest;

TEST(SpeedStepTest, PicksTheFirstRowWhoseDistanceReachesTheTarget) {
  EXPECT_EQ(SpeedStep(0, 1, GlideTable, 6), 1);
  EXPECT_EQ(SpeedStep(0, 5, GlideTable, 6), 3) << "1 < 5 <= 1 + 2*3";
  EXPECT_EQ(SpeedStep(0, 7, GlideTable, 6), 3) << "cumulative 7 reached exactly";
  EXPECT_EQ(SpeedStep(0, 8, GlideTable, 6), 5);
  EXPECT_EQ(SpeedStep(100, 0, GlideTable, 6), -15) << "54 < 100 <= 144";
  EXPECT_EQ(SpeedStep(0, 384, GlideTable, 6), 30) << "last finite row: 144 + 240";
  EXPECT_EQ(SpeedStep(0, 385, GlideTable, 6), 48) << "past every row: the end row's speed";
  EXPECT_EQ(SpeedStep(0, 1000, GlideTable, 6), 48);
  EXPECT_EQ(SpeedStep(7, 7, GlideTable, 6), 0);
  EXPECT_EQ(SpeedStep(7, 7, LaunchTable, 6), 0);
  EXPECT_EQ(SpeedStep(0, -300, LaunchTable, 6), -48) << "1 < 300 <= 385";
}

TEST(SpeedStepTest, OvershootComesBackNextFrame) {
  int32_t pos = 0;
  pos += SpeedStep(pos, 2, GlideTable, 6);
  EXPECT_EQ(pos, 3);
  pos += SpeedStep(pos, 2, GlideTable, 6);
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(SpeedStep(pos, 2, GlideTable, 6), 0);
}

TEST(SpeedStepTest, TheWalkEndsAtTheEndRowWhateverHighSays) {
  EXPECT_EQ(SpeedStep(0, 1000, GlideTable, 3), 48);
  EXPECT_EQ(SpeedStep(0, 100, GlideTable, 0), 15);
  // A table without its end row: its last row is treated as the end row instead of
  // walking off the table.
  static constexpr SpeedRow kShort[] = {{1, 1}, {2, 3}};
  EXPECT_EQ(SpeedStep(0, 500, kShort, 1), 3);
  EXPECT_EQ(SpeedStep(0, 500, kShort, 40), 3);
  EXPECT_EQ(SpeedStep(0, 500, SpeedTable{}, 6), 0);
  // Distances beyond 32 bits of difference do not overflow.
  EXPECT_EQ(SpeedStep(INT32_MIN, INT32_MAX, GlideTable, 6), 48);
}

TEST_F(MotionTest, MoveBySpeedTableMovesEachAxisOnItsOwn) {
  TActor& a = NewActor(LayerBack);
  a.X = 0;
  a.Y = 100;
  MoveBySpeedTable(a, 1, 0, 6, GlideTable);
  EXPECT_EQ(a.X, 1);
  EXPECT_EQ(a.Y, 85);
  MoveBySpeedTable(a, 1, 0, 6, GlideTable);
  EXPECT_EQ(a.X, 1) << "X arrived first and stays";
  EXPECT_EQ(a.Y, 70);
}

TEST_F(MotionTest, HitTestTouchingCountsAndScalesAreIgnored) {
  TActor& a = NewActor(LayerBack);
  TActor& b = NewActor(LayerBack);
  for (TActor* t : {&a, &b}) {
    t->CenterX = 10;
    t->CenterY = 10;
  }
  b.X = 16;  // reach 8 + 8
  EXPECT_EQ(HitTest(a, b), 1);
  b.X = 17;
  EXPECT_EQ(HitTest(a, b), 0);
  b.X = -16;
  b.Y = 16;
  EXPECT_EQ(HitTest(a, b), 1) << "distance is absolute on both axes";
  b.Y = -17;
  EXPECT_EQ(HitTest(a, b), 0);
  b.Y = 0;
  a.ScaleX = a.ScaleY = 500;
  b.X = 17;
  EXPECT_EQ(HitTest(a, b), 0) << "drawing scale does not grow the hit box";
  // Each product is truncated on its own: 15*50/100 = 7 twice, not 15.
  a.CenterX = b.CenterX = 15;
  a.HitScale = b.HitScale = 50;
  b.X = 14;
  EXPECT_EQ(HitTest(a, b), 1);
  b.X = 15;
  EXPECT_EQ(HitTest(a, b), 0);
}

TEST_F(MotionTest, OffScreenUsesTheUnscaledBoxAndTheChosenSides) {
  TActor& a = NewActor(LayerBack);
  a.Width = 32;
  a.CenterX = 16;
  a.Height = 20;
  a.CenterY = 10;
  a.Y = 100;
  const int32_t sides = osLeft + osRight;
  a.X = -16;
  EXPECT_EQ(IsOffScreen(a, sides), 0) << "right edge exactly at 0";
  a.X = -17;
  EXPECT_EQ(IsOffScreen(a, sides), 1);
  EXPECT_EQ(IsOffScreen(a, osRight + osTop + osBottom), 0) << "left side not asked";
  a.ScaleX = 10;
  EXPECT_EQ(IsOffScreen(a, sides), 1) << "scale ignored";
  a.X = 480 + 16;
  EXPECT_EQ(IsOffScreen(a, sides), 0) << "left edge exactly at 480";
  a.X = 481 + 16;
  EXPECT_EQ(IsOffScreen(a, sides), 1);
  EXPECT_EQ(IsOffScreen(a, osLeft), 0);
  a.X = 100;
  a.Y = -11;
  EXPECT_EQ(IsOffScreen(a, osTop), 1);
  a.Y = -10;
  EXPECT_EQ(IsOffScreen(a, osTop), 0);
  a.Y = 331;
  EXPECT_EQ(IsOffScreen(a, osBottom), 1);
  a.Y = 330;
  EXPECT_EQ(IsOffScreen(a, osBottom), 0);
}

}  // namespace
}  // namespace tolvane
