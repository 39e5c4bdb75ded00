#pragma once
// The real millisecond clock, but every sleep is shortened (tenfold unless told otherwise) and
// the clock jumps ahead by what was cut: a real player thread runs against it, and the stop's
// 480 ms of pauses take 48 ms.
#include <atomic>
#include <chrono>
#include <thread>

#include "sequencer/src/clock.h"

namespace vondra::testing {

class FastClock final : public Clock {
 public:
  explicit FastClock(uint32_t microsecondsPerMs = 100) : scale_(microsecondsPerMs) {}
  uint32_t Now() override { return system_.Now() + skipped_.load(); }
  void Sleep(uint32_t ms) override {
    std::this_thread::sleep_for(std::chrono::microseconds(ms * scale_));
    skipped_.fetch_add(ms - ms * scale_ / 1000);
  }
  uint32_t MinimumPeriod() override { return 1; }

 private:
  SystemClock system_;
  uint32_t scale_;
  std::atomic<uint32_t> skipped_{0};
};

}  // namespace vondra::testing
