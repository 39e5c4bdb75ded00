// The stage script: when records fire, halts, the end of a stage, defaults, the HUD.
#include "game/play/stage_script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/random_streams.h"
#include "game/engine/text_slots.h"
#include "game/play/backdrop.h"
#include "game/play/damage.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "tests/support/play_harness.h"
#include "tests/support/scratch_folder.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

constexpr int32_t kSwooper = 1;
constexpr int32_t kCeilingCrawler = 21;
constexpr int32_t kFloorCrawler = 22;
constexpr int32_t kDiverDown = 25;
constexpr int32_t kDiverUp = 27;
constexpr int32_t kWanderer = 100;
constexpr int32_t kEscortLevel = 152;

// A tail-less procedure to hand the stage actor at code 999.
void MarkStageClear(TActor& actor) {
  actor.Work[0] = 999;
}

class StageScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.BuildPlayScene(1);
    StageClearHook = MarkStageClear;
  }
  // One pass of the script, as the move pass makes it.
  static void Step(int frames = 1) {
    for (int i = 0; i < frames; ++i) RunStageScript(*StageActor);
  }
  // Enemies of the given worth on the field, in slot order.
  static std::vector<TActor*> EnemiesWorth(int32_t score) {
    std::vector<TActor*> found;
    for (TActor& a : ActorPool) {
      if (a.Active != 0 && a.Kind == KindEnemy && a.Work[kScoreValue] == score) found.push_back(&a);
    }
    return found;
  }
  static void KillBoss(TActor& boss) {
    boss.X = 300;
    boss.Work[kPendingDamage] = boss.Work[kHitPoints];
    ApplyDamage(boss, 0);
  }

  PlayHarness harness_;
};

TEST_F(StageScriptTest, RecordsFireWhenTheClockReachesTheirTimeAllOfOneTimeInFileOrder) {
  PlayHarness::LoadScript(
      {{2, kSwooper, 500, 10, 0}, {2, kSwooper, 500, 20, 0}, {4, kSwooper, 500, 30, 0}});
  Step(2);
  EXPECT_EQ(ScriptClock, 2);
  EXPECT_TRUE(EnemiesWorth(100).empty());
  Step();  // clock 2: both records of time 2, the first spawned first
  auto swoopers = EnemiesWorth(100);
  ASSERT_EQ(swoopers.size(), 2u);
  EXPECT_EQ(swoopers[0]->Y, 10);
  EXPECT_EQ(swoopers[1]->Y, 20);
  EXPECT_EQ(ScriptPos, 2);
  EXPECT_EQ(ScriptClock, 3) << "the clock still advances in a frame that fired records";
  Step(2);
  EXPECT_EQ(EnemiesWorth(100).size(), 3u);
  // Idle on the terminator: the clock counts on and nothing more fires.
  Step(10);
  EXPECT_EQ(ScriptPos, 3);
  EXPECT_EQ(ScriptClock, 15);
  EXPECT_EQ(EnemiesWorth(100).size(), 3u);
}

TEST_F(StageScriptTest, HaltWaitsForABossKillAndTheClockResumesFromTheHalt) {
  PlayHarness::LoadScript(
      {{1, kWanderer, 300, 100, 0}, {1, kCodeHalt, 0, 0, 0}, {3, kSwooper, 500, 50, 0}});
  Step(2);
  ASSERT_EQ(EnemiesWorth(35000).size(), 1u);
  EXPECT_EQ(ScriptPos, 1);
  Step(50);
  EXPECT_EQ(ScriptPos, 1) << "halted";
  EXPECT_EQ(ScriptClock, 1) << "the clock stands while halted";
  KillBoss(*EnemiesWorth(35000)[0]);
  EXPECT_EQ(ScriptPos, 2);
  EXPECT_EQ(StageActor->Move, &RunStageScript);
  Step(2);
  EXPECT_TRUE(EnemiesWorth(100).empty());
  Step();
  EXPECT_EQ(EnemiesWorth(100).size(), 1u) << "time 3 fires on the third frame after the kill";
}

TEST_F(StageScriptTest, ABossKilledWhileTheScriptRunsSkipsTheNextRecord) {
  PlayHarness::LoadScript(
      {{0, kWanderer, 300, 100, 0}, {5, kSwooper, 500, 50, 0}, {6, kSwooper, 500, 60, 0}});
  Step();
  KillBoss(*EnemiesWorth(35000)[0]);
  Step(10);
  auto swoopers = EnemiesWorth(100);
  ASSERT_EQ(swoopers.size(), 1u);
  EXPECT_EQ(swoopers[0]->Y, 60);
}

TEST_F(StageScriptTest, StageClearHandsTheStageActorOnAndKeepsItsPosition) {
  PlayHarness::LoadScript(
      {{0, kSwooper, 500, 50, 0}, {3, kCodeStageClear, 0, 0, 0}, {3, kSwooper, 500, 60, 0}});
  Step(4);
  EXPECT_EQ(StageActor->Move, &MarkStageClear);
  EXPECT_EQ(ScriptClock, 0);
  EXPECT_EQ(ScriptPos, 1) << "left on the 999 record";
  EXPECT_EQ(EnemiesWorth(100).size(), 1u) << "records after it never fire";
}

TEST_F(StageScriptTest, AnEmptyScriptHaltsForGoodAndABackwardTimeBlocksTheRest) {
  PlayHarness::LoadScript({});
  Step(5);
  EXPECT_EQ(ScriptPos, 0);
  EXPECT_EQ(ScriptClock, 0) << "the terminator fires at clock 0 as a halt";

  PlayHarness::LoadScript(
      {{5, kSwooper, 500, 50, 0}, {3, kSwooper, 500, 60, 0}, {9, kSwooper, 500, 70, 0}});
  Step(40);
  EXPECT_EQ(EnemiesWorth(100).size(), 1u);
  EXPECT_EQ(ScriptPos, 1) << "stuck on the record whose time went backwards";
}

TEST_F(StageScriptTest, DefaultPositionsAreWrittenBackIntoTheRecord) {
  PlayHarness::LoadScript({{0, kSwooper, 0, 0, 0}, {0, kSwooper, 123, 45, 0}});
  RandomReset();
  const auto expectedY = static_cast<int32_t>(RandomNext(1, 320));
  RandomReset();
  Step();
  EXPECT_EQ(StageScript[0].ArgX, 550);
  EXPECT_EQ(StageScript[0].ArgY, expectedY);
  EXPECT_EQ(StageScript[1].ArgX, 123);
  EXPECT_EQ(StageScript[1].ArgY, 45);
  const auto swoopers = EnemiesWorth(100);
  EXPECT_EQ(swoopers[0]->X, 550);
  EXPECT_EQ(swoopers[0]->Y, expectedY);
}

TEST_F(StageScriptTest, CrawlersAndDiversWithADefaultXGetARandomOne) {
  // ArgY is given, so stream 1 serves only the X draws, in record order.
  PlayHarness::LoadScript({{0, kCeilingCrawler, 0, 50, 0},
                           {0, kFloorCrawler, 550, 50, 0},
                           {0, kDiverDown, 0, 50, 0},
                           {0, kDiverUp, 0, 50, 0},
                           {0, kCeilingCrawler, 200, 50, 0},
                           {0, kDiverDown, 333, 50, 0}});
  RandomReset();
  const int32_t x1 = 100 + static_cast<int32_t>(RandomNext(1, 380));
  const int32_t x2 = 100 + static_cast<int32_t>(RandomNext(1, 380));
  const int32_t x3 = 100 + static_cast<int32_t>(RandomNext(1, 480));
  const int32_t x4 = 100 + static_cast<int32_t>(RandomNext(1, 480));
  RandomReset();
  Step();
  auto placed = EnemiesWorth(300);
  ASSERT_EQ(placed.size(), 6u);
  EXPECT_EQ(placed[0]->X, x1);
  EXPECT_EQ(placed[1]->X, x2) << "an explicit 550 counts as the default";
  EXPECT_EQ(placed[2]->X, x3);
  EXPECT_EQ(placed[2]->Y, -30);
  EXPECT_EQ(placed[3]->X, x4);
  EXPECT_EQ(placed[3]->Y, 350);
  EXPECT_EQ(placed[4]->X, 200);
  EXPECT_EQ(placed[5]->X, 333);
  for (TActor* a : placed) EXPECT_GE(a->X, 100);
}

TEST_F(StageScriptTest, PicturesAndCaptionsNeedATailButTheCaptionCodeStillSlowsTheScroll) {
  PlayHarness::LoadScript(
      {{0, kCodePicture, 1, 50, 0}, {0, kCodeBossCaption, 1, 0, 0}, {0, 157, 0, 0, 0}});
  Tails = 0;
  const int before = PlayHarness::ActiveCount();
  Step();
  EXPECT_EQ(PlayHarness::ActiveCount(), before);
  EXPECT_EQ(BackSpeed(), 1);
  EXPECT_EQ(BackdropActor->Work[kFrontSpeed], 3);

  PlayHarness::LoadScript(
      {{0, kCodePicture, 1, 50, 0}, {0, kCodeBossCaption, 2, 0, 0}, {0, 157, 0, 0, 0}});
  Tails = 1;
  Step();
  EXPECT_EQ(PlayHarness::ActiveCount(), before + 4) << "a picture, a caption, two final lines";
  const std::string caption = TextSlotText(2);  // slots 0 and 1 are the HUD lines
  EXPECT_EQ(caption, "Stage 2 Boss : Yuki");
  EXPECT_EQ(std::string(TextSlotText(3)), "Tolvane Echo Lass Boss");
  EXPECT_EQ(std::string(TextSlotText(4)), "Princess Aya XI");
}

TEST_F(StageScriptTest, APictureNumberOutsideTheListShowsNothing) {
  // ArgX 0 becomes 550 before the code acts; 92 and -3 lie outside 1-91 as well.
  PlayHarness::LoadScript({{0, kCodePicture, 0, 50, 0},
                           {0, kCodePicture, 92, 50, 0},
                           {0, kCodePicture, -3, 50, 0},
                           {0, kCodeBossCaption, 6, 0, 0}});
  const int before = PlayHarness::ActiveCount();
  Step();
  EXPECT_EQ(PlayHarness::ActiveCount(), before);
  EXPECT_EQ(ScriptPos, 4);
}

TEST_F(StageScriptTest, TheHudChangesEveryFrameAlsoWhileHalted) {
  PlayHarness::LoadScript({{0, kCodeHalt, 0, 0, 0}});
  FrameRate = 31;
  Step();
  EXPECT_STREQ(HudLine1, "STAGE 1    SCORE         0   FPS  31");
  EXPECT_STREQ(HudLine2, "TAIL  3    MAX COMBO     0");
  Score = 123456;
  Tails = 2;
  MaxCombo = 7;
  Step();
  EXPECT_STREQ(HudLine1, "STAGE 1    SCORE    123456   FPS  31");
  EXPECT_STREQ(HudLine2, "TAIL  2    MAX COMBO     7");
}

TEST_F(StageScriptTest, UnknownCodesAreSkippedAndScrollCodesSetBothSpeeds) {
  PlayHarness::LoadScript({{0, 42, 0, 0, 0}, {0, 156, 0, 0, 0}, {1, 155, 0, 0, 0}});
  Step();
  EXPECT_EQ(ScriptPos, 2);
  EXPECT_EQ(BackSpeed(), 10);
  EXPECT_EQ(BackdropActor->Work[kFrontSpeed], 14);
  Step();
  EXPECT_EQ(BackSpeed(), 1);
  EXPECT_EQ(BackdropActor->Work[kFrontSpeed], 3);
}

TEST_F(StageScriptTest, NoiseOverlayOffFreesOnlyTheOverlay) {
  PlayHarness::LoadScript(
      {{0, 111, 0, 0, 0}, {1, 112, 0, 0, 0}, {2, 112, 0, 0, 0}, {3, kSwooper, 500, 5, 0}});
  Step();
  TActor& noise = ActorAt(StageActor->Work[kNoiseOverlay]);
  EXPECT_EQ(noise.X, 370);
  EXPECT_EQ(noise.Y, 170);
  EXPECT_NE(noise.Draw, nullptr);
  Step();
  EXPECT_EQ(noise.Active, 0);
  // The overlay's slot is taken by something else; a second "off" leaves it alone.
  TActor& other = NewActor(LayerBack);
  ASSERT_EQ(&other, &noise);
  Step();
  EXPECT_EQ(other.Active, 1);
}

TEST_F(StageScriptTest, ABossKilledAfterTheLastRecordReadsNothingPastTheTerminator) {
  // A longer stage left records behind the terminator of the shorter one loaded after it.
  PlayHarness::LoadScript(
      {{0, kSwooper, 500, 1, 0}, {0, kSwooper, 500, 2, 0}, {8, kSwooper, 500, 3, 0}});
  PlayHarness::LoadScript({{0, kWanderer, 300, 100, 0}});
  Step();
  TActor& boss = *EnemiesWorth(35000)[0];
  Step(3);
  KillBoss(boss);  // ScriptPos 2: past the terminator
  Step(20);
  EXPECT_TRUE(EnemiesWorth(100).empty());
}

TEST_F(StageScriptTest, FilesAreReadInWholeRecordsAndAtMost5000OfThem) {
  const ScratchFolder dir;
  auto write = [&](const std::string& name, int records, int extraBytes) {
    std::vector<uint8_t> bytes(
        static_cast<size_t>(records) * kStageRecordSize + static_cast<size_t>(extraBytes), 0);
    for (int i = 0; i < records; ++i) {
      EncodeStageRecord({i, kSwooper, 500, 10, 7},
                        bytes.data() + static_cast<size_t>(i) * kStageRecordSize);
    }
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return (dir / name).string();
  };
  ASSERT_TRUE(LoadStageFile(write("long.bin", 5003, 0)));
  EXPECT_EQ(ScriptLength, 5000);
  EXPECT_EQ(StageScript[4999].Time, 4999);
  EXPECT_EQ(StageScript[5000].Time, 0) << "the terminator closes the first 5000";

  ASSERT_TRUE(LoadStageFile(write("short.bin", 3, 13)));
  EXPECT_EQ(ScriptLength, 3) << "a trailing partial record is ignored";
  EXPECT_EQ(StageScript[3].Code, 0);
  EXPECT_EQ(StageScript[3].Time, 0);
  EXPECT_EQ(StageScript[3].ArgX, 0);
  EXPECT_EQ(StageScript[3].Extra, 7) << "the terminator leaves Extra as it was";

  EXPECT_FALSE(LoadStageFile((dir / "missing.bin").string()));
  EXPECT_FALSE(LoadStageFile(dir.path().string())) << "a folder is not a stage file";
  EXPECT_EQ(ScriptLength, 3) << "a failed read changes nothing";
}

}  // namespace
}  // namespace tolvane
