#pragma once
// Runs one file image through everything that reads it, for the robustness test and the fuzz
// target: the analysis, and playback with the fake clock and the recording output.
#include <cstdint>
#include <string>
#include <vector>

namespace vondra::testing {

struct ExerciseOutcome {
  int32_t analysisResult = 0;
  int32_t playResult = 0;
  bool notesLeftAfterStop = false;
};

// `variant` chooses repeat and inverted play; playback runs for at most `capMs` of fake time.
ExerciseOutcome ExerciseImage(const std::vector<uint8_t>& image, uint32_t variant,
                              uint32_t capMs = 2000);

// Hand-built songs that between them use every kind of event the library reads.
std::vector<std::vector<uint8_t>> SeedSongs();

}  // namespace vondra::testing
