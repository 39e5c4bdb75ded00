#pragma once
// Nine independent pseudo-random streams with fixed seeds. RandomReset at every stage
// start makes each stage play from the same sequence; the gameplay uses streams 0..3.
#include <array>
#include <cstdint>

namespace tolvane {

inline constexpr int32_t kRandomStreams = 9;

// A number from 0 to range - 1 from the stream. A stream outside 0..8 or a range of 0
// gives 0 and changes nothing.
uint32_t RandomNext(int32_t stream, uint32_t range);
// Every stream back to its fixed seed, counters zeroed.
void RandomReset();
// The streams as they stand, and putting them back (a replay starts a game from them).
struct RandomState {
  std::array<uint32_t, kRandomStreams> seed;
  std::array<uint32_t, kRandomStreams> counter;
};
RandomState CurrentRandomState();
void RestoreRandomState(const RandomState& state);

// Seeds and counters zeroed, as at program start before the first RandomReset (tests).
void ResetRandomState();

}  // namespace tolvane
