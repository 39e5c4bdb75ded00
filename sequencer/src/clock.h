#pragma once
// The time seam: a 32-bit millisecond clock that wraps, a sleep, and the timer's finest period.
// The player thread and the stop's pauses go through it, so tests can drive the engine with a
// clock of their own and no real waiting.
#include <cstdint>

namespace vondra {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Now() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  // The shortest period the timer can keep, in ms.
  virtual uint32_t MinimumPeriod() = 0;
};

// The system's monotonic clock.
class SystemClock final : public Clock {
 public:
  uint32_t Now() override;
  void Sleep(uint32_t ms) override;
  uint32_t MinimumPeriod() override;
};

// True when `time` has been reached at `now`; differences are taken modulo 2^32, so the clock's
// wrap-around every 49.7 days does not stall playback.
inline bool Reached(uint32_t now, uint32_t time) {
  return static_cast<int32_t>(now - time) >= 0;
}

}  // namespace vondra
