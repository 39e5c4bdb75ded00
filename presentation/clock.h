#pragma once
// The millisecond clock. Differences are taken modulo 2^32, so wrap-around is harmless.
#include <cstdint>

namespace pres {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Now() const = 0;
};

// The system's millisecond clock.
class SystemClock final : public Clock {
 public:
  uint32_t Now() const override;
};

// A clock the caller sets and advances (tests and the headless game).
class ManualClock final : public Clock {
 public:
  explicit ManualClock(uint32_t start = 0) : now_(start) {}
  uint32_t Now() const override { return now_; }
  void Set(uint32_t ms) { now_ = ms; }
  void Advance(uint32_t ms) { now_ += ms; }

 private:
  uint32_t now_;
};

}  // namespace pres
