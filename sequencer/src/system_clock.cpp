#include <chrono>
#include <ctime>
#include <thread>

#include "sequencer/src/clock.h"

namespace vondra {

uint32_t SystemClock::Now() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void SystemClock::Sleep(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint32_t SystemClock::MinimumPeriod() {
  timespec resolution{};
  if (clock_getres(CLOCK_MONOTONIC, &resolution) != 0) return 1;
  const int64_t ms = (resolution.tv_sec * 1000000000LL + resolution.tv_nsec + 999999) / 1000000;
  return ms < 1 ? 1 : static_cast<uint32_t>(ms);
}

}  // namespace vondra
