#include "game/shell/frame_driver.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/engine_reset.h"
#include "game/engine/frame_state.h"
#include "game/host/host_services.h"
#include "presentation/services.h"
#include "tests/support/recording_display.h"

namespace tolvane {
namespace {

class FrameDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    ResetFrameDriver();
    pres::Services() = pres::ServiceSet{};
    pres::Services().clock = &clock_;
    pres::Services().timer = &timer_;
    pres::Services().display = &display_;
  }
  void TearDown() override {
    pres::Services() = pres::ServiceSet{};
    ResetHost();
    ResetFrameDriver();
    ResetEngineState();
  }

  // One tick with the clock at `at`; true when the frame was drawn (cleared and shown).
  bool TickAt(uint32_t at) {
    clock_.Set(at);
    const int flips = display_.flips;
    DXTimerTimer();
    const bool drawn = display_.flips == flips + 1;
    EXPECT_EQ(display_.fills, display_.flips);
    if (FrameBusy == 0) {
      EXPECT_EQ(drawn, SkippedFrames == 0) << "the driver's count agrees with what was shown";
    }
    return drawn;
  }

  pres::ManualClock clock_;
  pres::FrameTimer timer_{clock_};
  testing::RecordingDisplay display_;
};

TEST_F(FrameDriverTest, WithMaxSkipZeroEveryTickDrawsFromNow) {
  timer_.SetInterval(1000);
  EXPECT_TRUE(TickAt(5000));
  EXPECT_EQ(NextFrameTime, 5032u);
  EXPECT_EQ(timer_.Interval(), 32u);
  EXPECT_EQ(FrameCount, 1);
  EXPECT_TRUE(TickAt(5032 + 150)) << "150 ms late, MaxSkip 0: drawn anyway";
  EXPECT_EQ(NextFrameTime, 5214u);
}

TEST_F(FrameDriverTest, LatenessDecidesDrawSkipOrRestart) {
  MaxSkip = 3;
  TickAt(1000);  // NextFrameTime 1032
  EXPECT_TRUE(TickAt(1000 + 32 + 20)) << "20 ms late: drawn";
  EXPECT_EQ(NextFrameTime, 1064u) << "schedule kept, not restarted from now";
  EXPECT_TRUE(TickAt(1050)) << "early (negative lateness): drawn";
  EXPECT_EQ(NextFrameTime, 1096u);

  EXPECT_FALSE(TickAt(1096 + 50)) << "50 ms late: skipped";
  EXPECT_EQ(NextFrameTime, 1128u) << "32..96 ms late advances by 32 only";
  EXPECT_EQ(timer_.Interval(), 0u) << "next tick as soon as idle";
  EXPECT_EQ(SkippedFrames, 1);

  EXPECT_FALSE(TickAt(1128 + 96));
  EXPECT_EQ(NextFrameTime, 1160u) << "96 ms is still within the schedule";

  EXPECT_FALSE(TickAt(1160 + 150)) << "150 ms late: skipped";
  EXPECT_EQ(NextFrameTime, 1310u) << "more than 96 ms late: restarted from its clock reading";
  EXPECT_EQ(SkippedFrames, 3);

  EXPECT_TRUE(TickAt(1310 + 500)) << "the 4th undrawn frame is drawn whatever its lateness";
  EXPECT_EQ(NextFrameTime, 1842u) << "after MaxSkip, scheduled from now";
  EXPECT_EQ(timer_.Interval(), 32u);
}

TEST_F(FrameDriverTest, MaxSkipBoundsConsecutiveUndrawnFrames) {
  for (int32_t maxSkip : {0, 3}) {
    ResetFrameDriver();
    MaxSkip = maxSkip;
    std::vector<bool> drawn;
    uint32_t now = 0;
    for (int i = 0; i < 12; ++i) {
      now += 150;  // every tick far behind
      drawn.push_back(TickAt(now));
    }
    int run = 0;
    int longest = 0;
    for (bool d : drawn) {
      run = d ? 0 : run + 1;
      longest = std::max(longest, run);
    }
    EXPECT_EQ(longest, maxSkip) << "MaxSkip " << maxSkip;
    if (maxSkip == 3) {
      EXPECT_EQ(drawn, (std::vector<bool>{true, false, false, false, true, false, false, false,
                                          true, false, false, false}));
    }
  }
  EXPECT_EQ(FrameCount, 24) << "game logic runs on every tick, drawn or not";
}

TEST_F(FrameDriverTest, ClockWrapAroundIsHarmless) {
  MaxSkip = 3;
  TickAt(0xFFFFFFF0u);  // NextFrameTime wraps to 0x10
  EXPECT_EQ(NextFrameTime, 0x10u);
  EXPECT_TRUE(TickAt(0x10 + 20)) << "20 ms late across the wrap";
  EXPECT_EQ(NextFrameTime, 0x30u);
  ResetFrameDriver();
  TickAt(0xFFFFFFA0u);  // due at 0xFFFFFFC0
  EXPECT_FALSE(TickAt(0xFFFFFFC0u + 50)) << "50 ms late across the wrap: skipped";
  EXPECT_EQ(NextFrameTime, 0xFFFFFFE0u);
  EXPECT_TRUE(TickAt(0xFFFFFFD0u)) << "before its time (negative lateness): drawn";
  EXPECT_EQ(NextFrameTime, 0x00000000u) << "wraps to 0 and then counts as unscheduled";
}

int32_t gFrameSeenByScene = -1;
int32_t gMovedAfterScene = 0;
void RecordScene() {
  gFrameSeenByScene = FrameCount;
}
void RecordMove(TActor&) {
  gMovedAfterScene = (gFrameSeenByScene == FrameCount) ? 1 : 0;
}
struct CountingWindow : MainWindowServices {
  int closes = 0;
  void CloseMainWindow() override { ++closes; }
  void ShowMessage(std::string_view) override {}
};

TEST_F(FrameDriverTest, TickRunsSceneThenMovePassAfterCountingTheFrame) {
  SceneProc = RecordScene;
  NewActor(LayerBack).Move = RecordMove;
  TickAt(100);
  EXPECT_EQ(gFrameSeenByScene, 1);
  EXPECT_EQ(gMovedAfterScene, 1);
  EXPECT_EQ(FrameBusy, 0);
}

// The HUD's FPS: every tick copies the timer's measured rate.
TEST_F(FrameDriverTest, EveryTickCopiesTheTimersMeasuredRate) {
  timer_.SetHandler(DXTimerTimer);
  timer_.SetInterval(32);
  timer_.SetEnabled(true);
  uint32_t now = 0;
  for (int i = 0; i < 40; ++i) {
    clock_.Set(now += 32);
    timer_.Idle();
    EXPECT_EQ(FrameRate, timer_.Rate()) << "tick " << i;
  }
  EXPECT_EQ(FrameRate, 31) << "32 ticks in 1024 ms";
}

TEST_F(FrameDriverTest, BusyTickRunsNothingButStillHonoursQuit) {
  CountingWindow window;
  Host().window = &window;
  SceneProc = RecordScene;
  gFrameSeenByScene = -1;
  FrameBusy = 1;
  timer_.SetInterval(32);
  EXPECT_FALSE(TickAt(100));
  EXPECT_EQ(FrameCount, 0);
  EXPECT_EQ(gFrameSeenByScene, -1);
  EXPECT_EQ(timer_.Interval(), 0u);
  EXPECT_EQ(NextFrameTime, 0u);
  EXPECT_EQ(window.closes, 0);
  QuitRequested = 1;
  TickAt(200);
  EXPECT_EQ(window.closes, 1);
  EXPECT_EQ(FrameBusy, 1) << "the modal question's flag is left alone";
}

}  // namespace
}  // namespace tolvane
