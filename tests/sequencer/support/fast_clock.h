#pragma once
// The real millisecond clock with sleeps shortened (tenfold unless told otherwise): a real
// player thread runs against it, and the stop's 480 ms of pauses take 48 ms.
#include <chrono>
#include <thread>

#include "sequencer/src/clock.h"

namespace vondra::testing {

class FastClock final : public Clock {
 public:
  explicit FastClock(uint32_t microsecondsPerMs = 100) : scale_(microsecondsPerMs) {}
  uint32_t Now() override { return system_.Now(); }
  void Sleep(uint32_t ms) override {
    std::this_thread::sleep_for(std::chrono::microseconds(ms * scale_));
  }
  uint32_t MinimumPeriod() override { return 1; }

 private:
  SystemClock system_;
  uint32_t scale_;
};

}  // namespace vondra::testing
