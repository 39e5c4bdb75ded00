#pragma once
// A click track for timing tests and benchmarks: a short claves note on every 16th, through a
// bar of 4/4 and a bar of 3/4 at 150 a minute, two bars at 120 and two at 180, the six bars
// repeated; reverb and chorus off so each click stands alone in the audio.
#include <cstdint>
#include <vector>

namespace vondra::testing {

inline constexpr int kClickDivision = 480;
inline constexpr int kClickChannel = 9;
inline constexpr int kClickNote = 75;

std::vector<uint8_t> ClickTrack(int repeats);
// Ideal times, in ms from the start, of every click, worked out from the tempo map above.
std::vector<double> ClickTimes(int repeats);

}  // namespace vondra::testing
