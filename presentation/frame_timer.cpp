#include "presentation/frame_timer.h"

namespace pres {
namespace {

constexpr uint32_t kRatePeriodMs = 1000;

}  // namespace

void FrameTimer::SetEnabled(bool enabled) {
  if (enabled && !enabled_) Restart();
  enabled_ = enabled;
}

void FrameTimer::SetActive(bool active) {
  if (active && !active_) Restart();
  active_ = active;
}

// Counting starts afresh: the next tick is due one interval from now.
void FrameTimer::Restart() {
  lastTick_ = clock_.Now();
  rateStart_ = lastTick_;
  rateTicks_ = 0;
}

bool FrameTimer::Idle() {
  if (!enabled_ || !active_) return false;
  uint32_t now = clock_.Now();
  if (now - lastTick_ < interval_) return false;  // modulo 2^32: wrap-around is harmless
  lastTick_ = now;
  ++rateTicks_;
  uint32_t elapsed = now - rateStart_;
  if (elapsed >= kRatePeriodMs) {
    rate_ = int32_t((int64_t{rateTicks_} * 1000 + elapsed / 2) / elapsed);
    rateTicks_ = 0;
    rateStart_ = now;
  }
  if (handler_) handler_();
  return true;
}

uint32_t FrameTimer::MillisecondsUntilDue() const {
  if (!enabled_ || !active_) return kNeverDue;
  uint32_t elapsed = clock_.Now() - lastTick_;
  return elapsed >= interval_ ? 0 : interval_ - elapsed;
}

}  // namespace pres
