// What each spawn code puts on the field: look, enemy words, start values, behaviour.
#include <gtest/gtest.h>

#include <climits>
#include <string_view>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/play/backdrop.h"
#include "game/play/boss_behaviours.h"
#include "game/play/enemy_behaviours.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/escorts.h"
#include "game/play/game_state.h"
#include "game/play/stage_codes.h"
#include "game/play/stage_script.h"
#include "tests/support/play_harness.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

class StageSpawnsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.UsePlaySizes();
    harness_.BuildPlayScene(3);
    PlayerActor->X = 77;
    PlayerActor->Y = 88;
  }
  // Fires one record at clock 0 and returns the actor it made (the highest new slot of
  // its layer: the last one taken).
  static TActor& Spawn(int32_t code, int32_t x = 300, int32_t y = 100, int32_t extra = 3) {
    std::vector<uint8_t> before(kPoolSize);
    for (int32_t s = 0; s < kPoolSize; ++s) before[static_cast<size_t>(s)] = ActorAt(s).Active;
    PlayHarness::LoadScript({{0, code, x, y, extra}});
    RunStageScript(*StageActor);
    TActor* made = nullptr;
    for (int32_t s = 0; s < kPoolSize; ++s) {
      if (before[static_cast<size_t>(s)] == 0 && ActorAt(s).Active != 0) {
        // Back-layer actors fill upward, front-layer ones downward: the spawn is the last taken.
        if (made == nullptr || (s < 300) == (SlotOf(*made) < 300)) made = &ActorAt(s);
      }
    }
    EXPECT_NE(made, nullptr) << code;
    return made != nullptr ? *made : ScratchActor;
  }

  PlayHarness harness_;
};

TEST_F(StageSpawnsTest, EveryEnemyCodeTakesTheLookAndWordsOfItsRow) {
  for (const StageCode& code : kStageCodes) {
    if (code.action != CodeAction::Spawn || code.kind == KindNeutral) continue;
    for (TActor& a : ActorPool) {
      if (a.Kind == KindEnemy || a.Kind == KindEnemyShot) a.Active = 0;
    }
    TActor& a = Spawn(code.code, 300, 100, 3);
    SCOPED_TRACE(code.name);
    const bool front = code.layer == Layer::Front;
    if (std::string_view(code.name) != "Snake") {  // the body takes the layer's first slots
      EXPECT_EQ(SlotOf(a) >= 200, front);
    }
    if (code.image == kSpawnAnimated) {
      EXPECT_EQ(a.Image, kAnimatedImage);
      ASSERT_NE(a.AnimTable, nullptr);
      EXPECT_EQ(a.AnimTable[0].image, pic::kSplitterA);
      EXPECT_EQ(a.AnimTable[1].image, pic::kSplitterB);
      EXPECT_EQ(a.AnimTable[1].frames, 5);
    } else {
      EXPECT_EQ(a.Image, code.image);
      EXPECT_EQ(a.Width, 32) << "the picture's geometry is taken";
    }
    EXPECT_EQ(a.FlashImage, code.flashImage);
    EXPECT_EQ(a.Kind, code.kind);
    EXPECT_EQ(a.HitScale, code.hitScale + code.hitScalePerStage * 3);
    EXPECT_EQ(a.PatternPeriod, code.patternPeriod);
    EXPECT_EQ(a.Work[kDropCode], 3);
    EXPECT_EQ(a.Work[kScoreValue], code.scoreValue);
    EXPECT_EQ(a.Work[kHitPoints], code.hitPoints + code.hitPointsPerStage * 3);
    EXPECT_EQ(a.Work[kPendingDamage], 0);
    EXPECT_EQ(a.Work[kLockCount], 0);
    EXPECT_NE(a.Move, nullptr);
  }
}

// The set-up of every spawn code written out independently of the code table, so a slip
// in the table shows here (the test above only compares the actor with its own row).
// Stage 3; flash -1 = the picture's own flash; Work words from 0 as far as given.
struct ExpectedSpawn {
  int32_t code;
  bool front;
  int32_t image;  // kAnimatedImage for the splitter
  int32_t flash;
  int32_t kind;
  int32_t hitScale;
  int32_t patternPeriod;
  int32_t scoreValue;
  int32_t hitPoints;
  MoveProc move;
  std::vector<int32_t> work;
};

TEST_F(StageSpawnsTest, EachCodeMatchesItsWrittenOutSetUp) {
  const int32_t self = -1;        // stands for the actor's own slot
  const int32_t any = INT32_MIN;  // a word the code leaves alone
  const ExpectedSpawn expected[] = {
      {1, false, pic::kSwooper, -1, 3, 60, 3, 100, 10, Swooper, {}},
      {3, false, kAnimatedImage, -1, 3, 80, 0, 200, 10, Splitter, {}},
      {4, false, pic::kCharger, -1, 3, 80, 0, 100, 10, Charger, {}},
      {5, true, pic::kDart, -1, 3, 30, 0, 50, 7, DartMove, {}},
      {6, true, pic::kLoopFlier, -1, 3, 80, 3, 50, 15, LoopFlier, {90, 60}},
      {7, true, pic::kArcFlier, -1, 3, 80, 3, 400, 40, ArcFlier, {0, 0}},
      {8, true, pic::kSerpent, -1, 3, 80, 0, 5000, 300, Serpent, {self, 250}},
      {9, true, pic::kPopper, -1, 3, 80, 0, 100, 2000, Popper, {}},
      {10, false, pic::kDrifter, -1, 3, 60, 5, 400, 20, Drifter, {0, -16, 80, 8}},
      {11, false, pic::kTwinSplitter, -1, 3, 80, 5, 500, 40, TwinSplitter, {}},
      {12, false, pic::kLunger, -1, 3, 80, 5, 100, 30, Lunger, {}},
      {13, false, pic::kWaver, pic::kWaverFlash, 3, 80, 5, 100, 300, Waver, {0, 300}},
      {14, false, pic::kHopper, -1, 3, 60, 5, 100, 3000, Hopper, {3000, 0}},
      {15,
       false,
       pic::kCircler,
       pic::kCirclerFlash,
       3,
       50,
       5,
       18000,
       6000,
       CirclerBoss,
       {100, 550, 100, 0, 0, 0, 6000, 200}},
      {16, false, pic::kFrog, -1, 3, 50, 0, 100, 50, Frog, {12, -5, 0, 50}},
      {17, false, pic::kGunner, -1, 3, 60, 3, 2000, 250, Gunner, {250, 0, 0}},
      {18, false, pic::kZigzag, pic::kZigzagFlash, 3, 80, 0, 1100, 70, Zigzag, {-10, 18, 70}},
      {19, false, pic::kSinker, -1, 3, 80, 0, 300, 70, SinkerDown, {20}},
      {20, false, pic::kSinker, -1, 3, 80, 0, 300, 70, SinkerUp, {20}},
      {21, false, pic::kCeilingCrawler, -1, 3, 80, 0, 300, 70, CeilingCrawler, {20}},
      {22, false, pic::kFloorCrawler, -1, 3, 80, 0, 300, 70, FloorCrawler, {20}},
      {23, false, pic::kFanGunnerLow, -1, 1, 80, 0, 300, 70000, FanGunnerLow, {0}},
      {24, false, pic::kFanGunnerHigh, -1, 1, 80, 0, 300, 70000, FanGunnerHigh, {0}},
      {25, false, pic::kDiverDown, -1, 3, 80, 0, 300, 30, DiverDown, {}},
      {26, false, pic::kZigzag, pic::kZigzagFlash, 3, 80, 0, 1100, 200, Zigzag, {-10, 30, 200}},
      {27, false, pic::kDiverUp, -1, 3, 80, 0, 300, 30, DiverUp, {}},
      {28, false, pic::kDragonHead, pic::kDragonHeadFlash, 3, 80, 0, 1500, 100, Snake, {0, 100}},
      {29, true, pic::kArcFlier, -1, 3, 80, 3, 400, 40, ArcFlierMirrored, {0, 0}},
      {100, false, pic::kWanderer, pic::kWandererFlash, 3, 80, 5, 35000, 7000, WandererBoss, {}},
      {102,
       false,
       pic::kCircler,
       pic::kCirclerFlash,
       3,
       50,
       5,
       20000,
       3000,
       CirclerBoss,
       {100, 550, 100, 0, 0, 0, 3000, 200}},
      {104,
       false,
       pic::kLancer,
       pic::kLancerFlash,
       3,
       60,
       5,
       31000,
       9000,
       LancerBoss,
       {270, 350, -100, 0, 0, 0, 9000, 0, 5000, 0, 5000}},
      {105,
       false,
       pic::kGunship,
       pic::kGunshipFlash,
       3,
       70,
       5,
       11000,
       20000,
       GunshipEnemy,
       {20000, 0, 90}},
      {107,
       false,
       pic::kBeamBoss,
       pic::kBeamBossFlash,
       3,
       40,
       5,
       40000,
       13000,
       BeamBoss,
       {270, 550, 220, 0, 0, 0, 13000, 0, 6000, 0, 64, 0}},
      {108,
       false,
       pic::kSpiralBoss,
       pic::kSpiralBossFlash,
       3,
       50,
       5,
       50000,
       15000,
       SpiralBoss,
       {any, 550, 160, 0, 0, 0, 15000, 0, 6000, 0, 6000, 0}},
      {109,
       false,
       pic::kFortress,
       -1,
       3,
       50,
       0,
       57300,
       15000,
       FortressBoss,
       {15000, 6000, 0, 0, 0, 0, 15000, 6000}},
      {110,
       false,
       pic::kFinalBoss,
       pic::kFinalBossFlash,
       3,
       40,
       5,
       100000,
       60000,
       FinalBoss,
       {60000, 40000, 0, 0, 0, 0, 0}},
      {113,
       false,
       pic::kDrifterBoss,
       pic::kDrifterBossFlash,
       3,
       50,
       0,
       20000,
       800,
       DrifterBoss,
       {200, 550, 100, 0, 0, 0, 800}},
  };
  for (const ExpectedSpawn& e : expected) {
    for (TActor& a : ActorPool) {
      if (a.Kind == KindEnemy || a.Kind == KindEnemyShot) a.Active = 0;
    }
    TActor& a = Spawn(e.code, 300, 100, 4);
    SCOPED_TRACE(e.code);
    if (e.code != 28) {
      EXPECT_EQ(SlotOf(a) >= 200, e.front);
    }
    EXPECT_EQ(a.Image, e.image);
    EXPECT_EQ(a.FlashImage, e.flash);
    EXPECT_EQ(a.Kind, e.kind);
    EXPECT_EQ(a.HitScale, e.hitScale);
    EXPECT_EQ(a.PatternPeriod, e.patternPeriod);
    EXPECT_EQ(a.Work[kDropCode], 4);
    EXPECT_EQ(a.Work[kScoreValue], e.scoreValue);
    EXPECT_EQ(a.Work[kHitPoints], e.hitPoints);
    EXPECT_EQ(a.Move, e.move);
    for (size_t i = 0; i < e.work.size(); ++i) {
      if (e.work[i] == any) continue;
      EXPECT_EQ(a.Work[i], e.work[i] == self ? SlotOf(a) : e.work[i]) << "Work[" << i << "]";
    }
  }
  // The glider's target height is drawn from 0-359.
  TActor& glider = Spawn(2);
  EXPECT_EQ(glider.Image, pic::kGlider);
  EXPECT_EQ(glider.PatternPeriod, 5);
  EXPECT_EQ(glider.Move, &Glider);
  EXPECT_GE(glider.Work[0], 0);
  EXPECT_LT(glider.Work[0], 360);
}

TEST_F(StageSpawnsTest, StageDependentValuesAndLineMotion) {
  TActor& dart = Spawn(5, 400, 150);
  EXPECT_EQ(dart.HitScale, 30);
  EXPECT_EQ(dart.Move, &DartMove);
  EXPECT_EQ(dart.Work[kOriginX], 400);
  EXPECT_EQ(dart.Work[kOriginY], 150);
  EXPECT_EQ(dart.Work[kTargetX], 77);
  EXPECT_EQ(dart.Work[kTargetY], 88);
  EXPECT_EQ(dart.Work[kShotSpeed], 20);
  EXPECT_EQ(dart.Work[kShotFrames], 0);
  TActor& drifter = Spawn(10);
  EXPECT_EQ(drifter.Work[2], 80) << "fire chance 20 x stage + 20";
  EXPECT_EQ(drifter.Work[1], -16);
  EXPECT_EQ(Spawn(12).Work[kHitPoints], 30);
  TActor& serpent = Spawn(8);
  EXPECT_EQ(serpent.Work[0], SlotOf(serpent)) << "its own last segment";
  EXPECT_EQ(serpent.Work[1], 250);
  EXPECT_EQ(Spawn(26).Work[1], 30);
  EXPECT_EQ(Spawn(18).Work[1], 18);
}

TEST_F(StageSpawnsTest, TheSnakesBodyLiesUnderItsHeadSegmentByLeader) {
  TActor& head = Spawn(28, 400, 120, 2);
  EXPECT_EQ(head.Move, &Snake);
  std::vector<TActor*> body;
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == &SnakeSegment) body.push_back(&a);
  }
  ASSERT_EQ(body.size(), 20u);
  int32_t leader = SlotOf(head);
  for (TActor* segment : body) {
    EXPECT_LT(SlotOf(*segment), SlotOf(head));
    EXPECT_EQ(segment->Image, pic::kDragonBody);
    EXPECT_EQ(segment->Kind, KindEnemyShot);
    EXPECT_EQ(segment->X, 400);
    EXPECT_EQ(segment->Y, 120);
    EXPECT_EQ(segment->Work[kDropCode], 0);
    EXPECT_EQ(segment->Work[kScoreValue], 50);
    EXPECT_EQ(segment->Work[kHitPoints], 10);
    EXPECT_EQ(segment->Work[kSegmentHead], SlotOf(head));
  }
  // Segment 1 follows the head and each later one the segment before it; taken in that
  // order, they lie in rising slots.
  for (TActor* segment : body) {
    EXPECT_EQ(segment->Work[kSegmentLeader], leader);
    leader = SlotOf(*segment);
  }
}

TEST_F(StageSpawnsTest, BossesTakeTheirStartValuesAndSomeStopTheScroll) {
  TActor& circler = Spawn(102, 500, 140);
  EXPECT_EQ(circler.CenterX, 16 + 20);
  EXPECT_EQ(circler.CenterY, 16 + 10);
  EXPECT_EQ(circler.Work[2], 140);
  EXPECT_EQ(circler.Work[6], 3000);
  EXPECT_EQ(circler.Work[7], 200);
  EXPECT_EQ(BackSpeed(), 8) << "the circler leaves the scroll alone";
  EXPECT_EQ(Spawn(15).Work[6], 6000);

  TActor& beam = Spawn(107);
  EXPECT_EQ(beam.CenterX, 116);
  EXPECT_EQ(beam.CenterY, 36);
  EXPECT_EQ(beam.Work[10], 64);
  EXPECT_EQ(BackSpeed(), 0);
  EXPECT_EQ(BackdropActor->Work[kFrontSpeed], 0);
  SetScrollSpeeds(8, 12);

  TActor& fortress = Spawn(109, 300, 150);
  EXPECT_EQ(fortress.X, 650);
  EXPECT_EQ(fortress.Y, 150);
  EXPECT_EQ(BackSpeed(), 0);
  SetScrollSpeeds(8, 12);
  TActor& last = Spawn(110, 300, 150);
  EXPECT_EQ(last.X, 650);
  EXPECT_EQ(last.Y, 190);
  EXPECT_EQ(last.Work[1], 40000);
  EXPECT_EQ(BackSpeed(), 8);

  TActor& spiral = Spawn(108);
  EXPECT_EQ(spiral.Work[1], 550);
  EXPECT_EQ(spiral.Work[6], 15000);
  EXPECT_EQ(spiral.Work[kOriginX], 550);
  EXPECT_EQ(spiral.Work[kOriginY], 160);
  EXPECT_GE(spiral.Work[kTargetX], 170);
  EXPECT_LT(spiral.Work[kTargetX], 410);
  EXPECT_GE(spiral.Work[kTargetY], 100);
  EXPECT_LT(spiral.Work[kTargetY], 220);
  EXPECT_EQ(spiral.Work[kShotSpeed], 2);

  TActor& wanderer = Spawn(100);
  EXPECT_GE(wanderer.Work[0], 200);
  EXPECT_LT(wanderer.Work[0], 480);
  EXPECT_EQ(wanderer.Work[2], 5500);
  TActor& drifter = Spawn(113, 500, 77);
  EXPECT_EQ(drifter.Work[2], 77);
  EXPECT_EQ(drifter.Work[6], 800);
}

TEST_F(StageSpawnsTest, EscortsComeNearThePlayerThenLeaveToTheRight) {
  PlayerActor->X = 100;
  PlayerActor->Y = 200;
  PlayerActor->Move = nullptr;
  TActor& level = Spawn(152);
  TActor& above = Spawn(153);
  TActor& below = Spawn(154);
  EXPECT_EQ(level.X, 80);
  EXPECT_EQ(level.Y, -50);
  EXPECT_EQ(above.X, -50);
  EXPECT_EQ(above.Y, 80);
  EXPECT_EQ(below.Y, 240);
  EXPECT_EQ(level.Kind, KindNeutral);
  StageActor->Move = nullptr;
  harness_.RunFrames(50);
  EXPECT_EQ(level.X, 70);
  EXPECT_EQ(level.Y, 200);
  EXPECT_EQ(above.X, 150);
  EXPECT_EQ(above.Y, 36);
  EXPECT_EQ(below.Y, 284);
  harness_.RunFrames(1);
  EXPECT_GT(level.X, 70) << "from the 51st frame on it leaves";
  harness_.RunFrames(40);
  EXPECT_EQ(level.Active, 0);
  EXPECT_EQ(above.Active, 0);
  EXPECT_EQ(below.Active, 0);
}

}  // namespace
}  // namespace tolvane
