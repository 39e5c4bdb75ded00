// Path fliers (degrees), wavers (256ths, hit flash), and the zigzag's slowing.
#include <algorithm>

#include "game/play/enemies/path_fliers.h"
#include "game/play/enemies/wavers.h"
#include "tests/enemies/enemy_fixture.h"

namespace tolvane {
namespace {

// x = sin(a) x 290 + 270, y = cos(b) x 160 + 160 from a = 90, b = 60, 3 a frame:
// (93, 63): 289.6, 72.6; (96, 66): 288.4, 65.1; (450, 420): 290, 80.
TEST_F(EnemyTest, ALoopFlierFliesItsLoopAndEndsPast450Degrees) {
  TActor& f = Enemy(LoopFlier, 0, 0);
  f.Work[kPathAngleX] = 90;
  f.Work[kPathAngleY] = 60;
  Step(f);
  EXPECT_EQ(f.X, 560);
  EXPECT_EQ(f.Y, 233);
  Step(f);
  EXPECT_EQ(f.X, 558);
  EXPECT_EQ(f.Y, 225);
  Step(f, 118);
  EXPECT_EQ(f.Active, 1);
  EXPECT_EQ(f.X, 560);
  EXPECT_EQ(f.Y, 240);
  Step(f);
  EXPECT_EQ(f.Active, 0);
}

// x = sin(a) x 160 - 30, y = cos(a) x 160 + 160 (mirrored: 320 - y), a += 5:
// 5: 14.0, 159.4; 10: 27.8, 157.6; 90: 160, 0; 180: 0, -160.
TEST_F(EnemyTest, ArcFliersSweepAHalfCircleFromTheLowerOrUpperLeft) {
  TActor& arc = Enemy(ArcFlier, 0, 0);
  TActor& mirrored = Enemy(ArcFlierMirrored, 0, 0);
  arc.Work[kPathAngleX] = arc.Work[kPathAngleY] = 0;
  mirrored.Work[kPathAngleX] = mirrored.Work[kPathAngleY] = 0;
  const int32_t expected[][4] = {
      {1, -16, 319, 1}, {2, -2, 318, 2}, {18, 130, 160, 160}, {36, -30, 0, 320}};
  int frame = 0;
  for (const auto& e : expected) {
    Step(arc, e[0] - frame);
    Step(mirrored, e[0] - frame);
    frame = e[0];
    EXPECT_EQ(arc.X, e[1]) << frame;
    EXPECT_EQ(arc.Y, e[2]) << frame;
    EXPECT_EQ(mirrored.X, e[1]) << frame;
    EXPECT_EQ(mirrored.Y, e[3]) << frame;
  }
  Step(arc);
  Step(mirrored);
  EXPECT_EQ(arc.Active, 0);
  EXPECT_EQ(mirrored.Active, 0);
}

// y += sin(w) x 3 with w = 0, 3, 6, ... 256ths: 0, 0.22, 0.44, 0.66, 0.87, 1.08.
TEST_F(EnemyTest, AWaverWavesLeftAndFlashesOnTheFrameAfterAHit) {
  TActor& w = Enemy(Waver, 300, 100, 300);
  w.Work[kWaverAngle] = 0;
  w.Work[kWaverHitPoints] = 300;
  Step(w, 3);
  EXPECT_EQ(w.Y, 100);
  Step(w, 3);
  EXPECT_EQ(w.X, 282);
  EXPECT_EQ(w.Y, 103);
  EXPECT_EQ(w.Flash, 0);
  w.Work[kHitPoints] = 290;
  Step(w);
  EXPECT_EQ(w.Flash, 1);
  Step(w);
  EXPECT_EQ(w.Flash, 0);
}

TEST_F(EnemyTest, ZigzagsSlowFrom18Or30To3) {
  for (int32_t start : {18, 30}) {
    TActor& z = Enemy(Zigzag, 1000, 100, 70);
    z.Work[kZigzagDY] = -10;
    z.Work[kZigzagDX] = start;
    z.Work[kZigzagHitPoints] = 70;
    int32_t dy = -10;
    int32_t y = 100;
    for (int32_t frame = 0; frame < start + 5; ++frame) {
      const int32_t x = z.X;
      Step(z);
      EXPECT_EQ(x - z.X, std::max(start - frame, 3)) << start << " frame " << frame;
      y += dy;
      dy = dy == 9 ? -10 : dy + 1;
      EXPECT_EQ(z.Y, y);
    }
    z.Active = 0;
  }
}

}  // namespace
}  // namespace tolvane
