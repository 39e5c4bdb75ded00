#pragma once
// A clock the test moves: sleeping advances it at once, so the stop's pauses cost no time.
#include <atomic>
#include <cstdint>

#include "sequencer/src/clock.h"

namespace vondra::testing {

class FakeClock final : public Clock {
 public:
  explicit FakeClock(uint32_t start = 0) : now_(start) {}
  uint32_t Now() override { return now_.load(); }
  void Sleep(uint32_t ms) override {
    now_.fetch_add(ms);
    slept_.fetch_add(ms);
  }
  uint32_t MinimumPeriod() override { return minimum_; }

  void Set(uint32_t ms) { now_.store(ms); }
  void Advance(uint32_t ms) { now_.fetch_add(ms); }
  void SetMinimumPeriod(uint32_t ms) { minimum_ = ms; }
  uint64_t Slept() const { return slept_.load(); }

 private:
  std::atomic<uint32_t> now_;
  std::atomic<uint64_t> slept_{0};
  uint32_t minimum_ = 1;
};

}  // namespace vondra::testing
