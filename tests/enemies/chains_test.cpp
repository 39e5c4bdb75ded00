// The serpent's growth and the chains of segments that follow a head.
#include "game/play/enemies/chains.h"

#include <vector>

#include "game/play/enemy_behaviours.h"
#include "tests/enemies/enemy_fixture.h"

namespace tolvane {
namespace {

TActor& NewSerpent(int32_t x, int32_t y) {
  TActor& s = NewActor(LayerFront);
  SetImage(s, pic::kSerpent);
  s.X = x;
  s.Y = y;
  s.Kind = KindEnemy;
  SetEnemyWords(s, 0, 5000, 300);
  s.Work[kSerpentLast] = SlotOf(s);
  s.Work[kSerpentThreshold] = 250;
  s.Move = Serpent;
  return s;
}

TEST_F(EnemyTest, ASerpentGrowsOneSegmentPerFrameForEachTwoPointsBelow250) {
  TActor& s = NewSerpent(300, 100);
  s.Work[kHitPoints] = 270;
  Step(s);  // SerpentTable: 260 to go is within 300: 2; 60 down: 1
  EXPECT_EQ(s.X, 298);
  EXPECT_EQ(s.Y, 101);
  EXPECT_EQ(Count(SerpentSegment), 0);
  s.Work[kHitPoints] = 249;
  Step(s);
  EXPECT_EQ(s.Work[kSerpentThreshold], 248);
  EXPECT_EQ(Count(SerpentSegment), 1);
  Step(s);
  EXPECT_EQ(Count(SerpentSegment), 1);

  TActor& t = NewSerpent(300, 100);
  t.Work[kHitPoints] = 240;
  std::vector<int32_t> thresholds;
  for (int frame = 0; frame < 6; ++frame) {
    Step(t);
    thresholds.push_back(t.Work[kSerpentThreshold]);
  }
  EXPECT_EQ(thresholds, (std::vector<int32_t>{248, 246, 244, 242, 240, 240}));
  int32_t leader = SlotOf(t);
  for (int i = 0; i < 5; ++i) {
    // Each segment grew behind the one grown before it.
    TActor* next = nullptr;
    for (TActor& a : ActorPool) {
      if (a.Active != 0 && a.Move == &SerpentSegment && a.Work[kSerpentSegmentLeader] == leader &&
          a.Work[kSerpentSegmentHead] == SlotOf(t))
        next = &a;
    }
    ASSERT_NE(next, nullptr) << i;
    EXPECT_EQ(next->Kind, KindEnemyShot);
    // 3 behind the leader as it stood then: the serpent at 298, 101 after its first step.
    EXPECT_EQ(next->X, 301 + 3 * i);
    const int32_t leaderY = i == 0 ? 101 : ActorAt(leader).Y;
    EXPECT_GE(next->Y, leaderY - 40);
    EXPECT_LT(next->Y, leaderY + 40);
    leader = SlotOf(*next);
  }
  EXPECT_EQ(t.Work[kSerpentLast], leader);

  s.Active = 0;
  t.Move = nullptr;  // a head that no longer runs its behaviour ends its chain too
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == &SerpentSegment) Step(a);
  }
  EXPECT_EQ(Count(SerpentSegment), 0);
}

// y -= sin(w) x 3 with w = 20, 40, 60, 80 256ths: 1.41, 2.49, 2.99, 2.77.
TEST_F(EnemyTest, ASnakeWavesLeftAndItsBodyFollowsUntilItIsGone) {
  TActor& head = Enemy(Snake, 300, 160, 100);
  head.Work[kSnakeAngle] = 0;
  head.Work[kSnakeHitPoints] = 100;
  TActor& body = Enemy(SnakeSegment, 300, 160, 10, KindEnemyShot);
  body.Work[kSegmentLeader] = SlotOf(head);
  body.Work[kSegmentHead] = SlotOf(head);
  const int32_t ys[] = {159, 157, 154, 151};
  for (int32_t frame = 0; frame < 4; ++frame) {
    Step(head);
    EXPECT_EQ(head.X, 295 - 5 * frame);
    EXPECT_EQ(head.Y, ys[frame]);
  }
  Step(body);  // SoftGlideTable: 20 to go is within 43: 6; 9 up: 4
  EXPECT_EQ(body.X, 294);
  EXPECT_EQ(body.Y, 156);
  head.X = -349;
  Step(head);
  EXPECT_EQ(head.Active, 0);
  Step(body);
  EXPECT_EQ(body.Active, 0);
}

}  // namespace
}  // namespace tolvane
