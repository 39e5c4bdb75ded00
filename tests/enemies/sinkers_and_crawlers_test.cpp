// Sinkers, divers and crawlers.
#include "game/play/enemies/crawlers.h"
#include "game/play/enemies/drifters.h"
#include "game/play/enemies/sinkers.h"
#include "tests/enemies/enemy_fixture.h"

namespace tolvane {
namespace {

TEST_F(EnemyTest, SinkersCurveAndDiversFlyStraightDiagonals) {
  TActor& down = Enemy(SinkerDown, 400, 100, 70);
  TActor& up = Enemy(SinkerUp, 400, 250, 70);
  down.Work[kSinkerCurve] = up.Work[kSinkerCurve] = 20;
  const int32_t drops[] = {20, 39, 57};  // 20, 20 + 19, 20 + 19 + 18
  for (int32_t frame = 0; frame < 3; ++frame) {
    Step(down);
    Step(up);
    EXPECT_EQ(down.X, 386 - 14 * frame);
    EXPECT_EQ(down.Y, 100 + drops[frame]);
    EXPECT_EQ(up.Y, 250 - drops[frame]);
  }
  Step(up, 2);  // 17 and 16 more: 90 up in all; the top edge is far
  EXPECT_EQ(up.Y, 160);
  down.Y = 320;
  Step(down);  // 17 more: its top at 321 is past the bottom edge
  EXPECT_EQ(down.Active, 0);

  TActor& diver = Enemy(DiverDown, 300, -30, 30);
  TActor& climber = Enemy(DiverUp, 300, 350, 30);
  Step(diver, 2);
  Step(climber, 2);
  EXPECT_EQ(diver.X, 274);
  EXPECT_EQ(diver.Y, -4);
  EXPECT_EQ(climber.Y, 324);
  EXPECT_EQ(diver.Active + climber.Active, 2) << "they come in past the edges they never test";
}

// Ceiling: y = 100 + 20k - k(k - 1) after k frames: 28 after 24, 0 after 25 (landed).
// Floor: y = 200 - 20k + k(k - 1): 300 after 25, 330 after 26 (landed).
TEST_F(EnemyTest, CrawlersAreThrownOffTheirSurfaceAndLandOnItToCrawlAndFire) {
  TActor& ceiling = Enemy(CeilingCrawler, 300, 100, 70);
  TActor& floor = Enemy(FloorCrawler, 300, 200, 70);
  ceiling.Work[kCrawlerThrow] = floor.Work[kCrawlerThrow] = 20;
  Step(ceiling, 2);
  EXPECT_EQ(ceiling.Y, 138);
  Step(ceiling, 22);
  EXPECT_EQ(ceiling.Y, 28);
  EXPECT_EQ(ceiling.Move, &CeilingCrawler);
  Step(ceiling);
  EXPECT_EQ(ceiling.Y, 12);
  EXPECT_EQ(ceiling.X, 225);
  EXPECT_EQ(ceiling.HitScale, 40);
  EXPECT_EQ(ceiling.Pattern, 1);
  ASSERT_EQ(ceiling.Move, &Drifter);
  EXPECT_EQ(ceiling.Work[kDrifterDY], 0);
  EXPECT_EQ(ceiling.Work[kDrifterDX], -3);
  EXPECT_EQ(ceiling.Work[kDrifterChance], 50);
  Step(ceiling);
  EXPECT_EQ(ceiling.X, 222);
  EXPECT_EQ(ceiling.Y, 12);

  Step(floor, 25);
  EXPECT_EQ(floor.Y, 300);
  Step(floor);
  EXPECT_EQ(floor.Y, 308);
  EXPECT_EQ(floor.X, 222);
  EXPECT_EQ(floor.Move, &Drifter);
}

}  // namespace
}  // namespace tolvane
