#pragma once
// The frame timer: ticks from the main loop's idle moments, at most one per Interval ms.
#include <cstdint>
#include <functional>

#include "presentation/clock.h"

namespace pres {

class FrameTimer {
 public:
  // MillisecondsUntilDue while the timer is disabled or the program inactive.
  static constexpr uint32_t kNeverDue = UINT32_MAX;

  explicit FrameTimer(const Clock& clock) : clock_(clock) {}

  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void SetInterval(uint32_t ms) { interval_ = ms; }
  uint32_t Interval() const { return interval_; }
  // Ticks only while the program is the active application; activation restarts counting.
  void SetActive(bool active);
  bool Active() const { return active_; }

  // One idle moment: begins a tick (and calls the handler) when it is due. True if it ticked.
  bool Idle();
  // Milliseconds until the next tick is due (0 = now), for the main loop's wait;
  // kNeverDue when no tick can come until the timer is enabled or the program activated.
  uint32_t MillisecondsUntilDue() const;
  // Measured ticks per second: recomputed at the first tick at least 1000 ms after the
  // last computation, as ticks counted * 1000 / elapsed ms, rounded.
  int32_t Rate() const { return rate_; }

 private:
  void Restart();

  const Clock& clock_;
  std::function<void()> handler_;
  bool enabled_ = false;
  bool active_ = true;
  uint32_t interval_ = 1000;
  uint32_t lastTick_ = 0;
  uint32_t rateStart_ = 0;
  int32_t rateTicks_ = 0;
  int32_t rate_ = 0;
};

}  // namespace pres
