// The ending: its placement, the tune that plays whatever the music option, the timeline's
// charges, balance and verdict, and the closing pictures ending at the title.
#include "game/flow/ending.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/flow/flow_state.h"
#include "game/flow/game_progress.h"
#include "game/flow/high_scores.h"
#include "game/flow/name_entry.h"
#include "game/flow/title_screen.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "tests/flow/flow_fixture.h"

namespace tolvane::testing {
namespace {

class EndingTest : public FlowTest {
 protected:
  void StartEnding() {
    NewActor(LayerBack).Move = EndingStart;
    RunFrames(1);
  }
  // Runs the timeline's step of frame t on a bare actor.
  static void RunTimelineFrame(int32_t t) {
    TActor& timeline = NewActor(LayerBack);
    timeline.Work[kTimelineFrame] = t;
    EndingTimeline(timeline);
    timeline.Active = 0;
  }
  // Left edges, left to right, of the active actors showing an image.
  static std::vector<int32_t> LeftEdges(int32_t image) {
    std::vector<int32_t> edges;
    for (const TActor& a : ActorPool) {
      if (a.Active != 0 && a.Image == image) edges.push_back(a.X - a.CenterX);
    }
    std::sort(edges.begin(), edges.end());
    return edges;
  }
};

TEST(Verdict, ThresholdsSitAtFiftyThousandEitherWay) {
  EXPECT_EQ(VerdictImage(50000), 287);
  EXPECT_EQ(VerdictImage(49999), 288);
  EXPECT_EQ(VerdictImage(0), 288);
  EXPECT_EQ(VerdictImage(-50000), 288);
  EXPECT_EQ(VerdictImage(-50001), 289);
}

TEST_F(EndingTest, TheBalanceIsBudgetLessBothChargesAndANegativeOneShowsItsSizeWithTheOtherUnit) {
  ShotCharge = 100000;
  LossCharge = 51234;
  EXPECT_EQ(EndingBalance(), -1234);
  RunTimelineFrame(1259);
  EXPECT_EQ(CountImage(pic::kSum284), 1);
  EXPECT_EQ(CountImage(pic::kSum304), 1);
  EXPECT_EQ(CountImage(pic::kSum285), 0);
  std::vector<int32_t> digits;
  for (const TActor& a : ActorPool) {
    if (a.Active != 0 && a.Image == pic::kDigits) digits.push_back(a.Pattern);
  }
  EXPECT_EQ(digits, (std::vector<int32_t>{1, 2, 3, 4}));
  // Label, digits and unit side by side from x 10, centred on y 266, for 145 frames.
  const int32_t w = FindImage(284)->Width;
  EXPECT_EQ(LeftEdges(284), std::vector<int32_t>{10});
  EXPECT_EQ(LeftEdges(290), (std::vector<int32_t>{10 + w, 10 + 2 * w, 10 + 3 * w, 10 + 4 * w}));
  EXPECT_EQ(LeftEdges(304), std::vector<int32_t>{10 + 5 * w});
  EXPECT_EQ(FindImage(304)->Y, 266);
  EXPECT_EQ(FindImage(304)->Work[kPictureLife], 145);

  ClearAllActors();
  ShotCharge = 100000;
  LossCharge = 0;
  RunTimelineFrame(1259);
  EXPECT_EQ(CountImage(pic::kSum285), 1);
  EXPECT_EQ(CountImage(pic::kDigits), 5);  // 50000
  RunTimelineFrame(1509);
  EXPECT_EQ(CountImage(pic::kCaption287), 1);  // exactly 50000: the best verdict
}

TEST_F(EndingTest, TimedPicturesLiveTheirLifePlusOneFrame) {
  RunTimelineFrame(9);  // caption 274 for 150 - 5 frames
  TActor* caption = FindImage(274);
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->X - caption->CenterX, 10);
  EXPECT_EQ(caption->Y, 266);
  RunFrames(145);
  EXPECT_EQ(caption->Active, 1);
  RunFrames(1);
  EXPECT_EQ(caption->Active, 0);
}

TEST_F(EndingTest, TheEndingPlaysItsTuneOnceWithMusicOffAndButtonOneWorksOnlyAtTheLastPicture) {
  MusicEnabled = false;
  Score = 0;  // equal to every default entry: not placed
  StartEnding();
  RunFrames(2);  // placement, then the tune
  ASSERT_FALSE(MusicLog().empty());
  EXPECT_EQ(MusicLog().back().what, "play");
  EXPECT_EQ(MusicLog().back().tune, 6);
  EXPECT_EQ(MusicLog().back().value, 0);  // once
  for (const MusicCall& call : MusicLog()) EXPECT_NE(call.what, "stop");

  RunFrames(1000);
  Press(PadButton1);  // too early: nothing
  EXPECT_EQ(FindImage(182), nullptr);

  TActor* last = nullptr;
  for (int frame = 0; frame < 1500 && last == nullptr; ++frame) {
    RunFrames(1);
    TActor* picture = FindImage(303);
    if (picture != nullptr && picture->Move == ClosingWaitMove) last = picture;
  }
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Y, 100);
  EXPECT_EQ(last->Alpha, 255);
  EXPECT_EQ(last->ScaleX, 70);
  EXPECT_EQ(CountImage(pic::kSceneTogether), 1);  // the final scene and caption stay
  EXPECT_EQ(CountImage(pic::kThankYou), 1);
  EXPECT_EQ(CountImage(pic::kCredit291), 0);  // the first closing picture has scrolled away
  RunFrames(50);
  EXPECT_EQ(last->Y, 100);  // it waits
  Press(PadButton1);
  EXPECT_NE(FindImage(182), nullptr);  // the title
}

TEST_F(EndingTest, APlacedFinalScoreGoesThroughTheNameEntryFirst) {
  MusicEnabled = true;
  Score = 777;
  StartEnding();
  RunFrames(2);
  TActor* entry = nullptr;
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move == NameEntryMove) entry = &a;
  }
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(MusicLog().back().what, "stop");  // the stage tune ends with the ending's start
  PickLetter(*entry, 12, 4);
  EXPECT_EQ(entry->Move, EndingWait);
  EXPECT_EQ(RankScore[0], 777);
  EXPECT_EQ(MusicLog().back().what, "play");
  EXPECT_EQ(MusicLog().back().tune, 6);
}

}  // namespace
}  // namespace tolvane::testing
