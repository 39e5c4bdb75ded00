// The frame timer driven by a clock the test advances.
#include "presentation/frame_timer.h"

#include <gtest/gtest.h>

namespace pres {
namespace {

class FrameTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    timer_.SetHandler([this] { ++ticks_; });
    timer_.SetInterval(32);
    timer_.SetEnabled(true);
  }
  // Idle moments every `step` ms up to `until`; returns ticks delivered.
  int RunUntil(uint32_t until, uint32_t step) {
    int before = ticks_;
    while (clock_.Now() < until) {
      clock_.Advance(step);
      timer_.Idle();
    }
    return ticks_ - before;
  }

  ManualClock clock_{0};
  FrameTimer timer_{clock_};
  int ticks_ = 0;
};

TEST_F(FrameTimerTest, TicksWhenAnIntervalHasPassedSinceTheLastTickBegan) {
  EXPECT_FALSE(timer_.Idle());  // counting starts when enabled
  clock_.Set(31);
  EXPECT_FALSE(timer_.Idle());
  EXPECT_EQ(timer_.MillisecondsUntilDue(), 1u);
  clock_.Set(32);
  EXPECT_EQ(timer_.MillisecondsUntilDue(), 0u);
  EXPECT_TRUE(timer_.Idle());
  EXPECT_EQ(ticks_, 1);
  clock_.Set(50);  // a late idle moment: the next is due 32 after this tick began
  EXPECT_FALSE(timer_.Idle());
  EXPECT_EQ(timer_.MillisecondsUntilDue(), 14u);
  clock_.Set(70);
  EXPECT_TRUE(timer_.Idle());
  EXPECT_EQ(timer_.MillisecondsUntilDue(), 32u);
}

TEST_F(FrameTimerTest, IntervalZeroTicksAtEveryIdleMomentAndTheHandlerMaySetIt) {
  timer_.SetHandler([this] {
    ++ticks_;
    timer_.SetInterval(0);  // as a frame that falls behind does
  });
  clock_.Set(32);
  EXPECT_TRUE(timer_.Idle());
  EXPECT_EQ(timer_.MillisecondsUntilDue(), 0u);
  EXPECT_TRUE(timer_.Idle());
  EXPECT_TRUE(timer_.Idle());
  EXPECT_EQ(ticks_, 3);
}

TEST_F(FrameTimerTest, RateIsTicksPerSecondMeasuredOverAtLeastOneSecond) {
  RunUntil(992, 1);
  EXPECT_EQ(timer_.Rate(), 0);  // not a second yet
  RunUntil(1024, 1);
  EXPECT_EQ(timer_.Rate(), 31);  // 32 ticks in 1024 ms
  timer_.SetInterval(0);
  RunUntil(3024, 10);
  EXPECT_EQ(timer_.Rate(), 100);
  timer_.SetInterval(16);
  RunUntil(5000, 16);
  EXPECT_EQ(timer_.Rate(), 63);  // 63 ticks in 1008 ms = 62.5: rounded
}

TEST_F(FrameTimerTest, NoTicksWhileInactiveOrDisabled) {
  timer_.SetActive(false);
  EXPECT_EQ(RunUntil(1000, 1), 0);
  EXPECT_EQ(timer_.MillisecondsUntilDue(), FrameTimer::kNeverDue);
  clock_.Set(5000);
  timer_.SetActive(true);  // counting from the moment of activation
  EXPECT_FALSE(timer_.Idle());
  EXPECT_EQ(RunUntil(5031, 1), 0);
  EXPECT_EQ(RunUntil(5032, 1), 1);
  timer_.SetEnabled(false);
  EXPECT_EQ(RunUntil(6000, 1), 0);
  EXPECT_EQ(timer_.MillisecondsUntilDue(), FrameTimer::kNeverDue);
}

TEST_F(FrameTimerTest, ClockWrapAroundIsHarmless) {
  clock_.Set(0xFFFFFFF0u);
  timer_.SetEnabled(false);
  timer_.SetEnabled(true);
  clock_.Set(0x0000000Fu);
  EXPECT_FALSE(timer_.Idle());
  clock_.Set(0x00000010u);
  EXPECT_TRUE(timer_.Idle());
}

}  // namespace
}  // namespace pres
