// Standard MIDI File reading under libFuzzer: each input goes through the analysis and through
// playback with the fake clock and the recording output.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/sequencer/support/song_exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> image(data, data + size);
  const auto outcome = vondra::testing::ExerciseImage(image, static_cast<uint32_t>(size), 1000);
  if (outcome.notesLeftAfterStop) std::abort();
  if (outcome.analysisResult != 0 && outcome.analysisResult != 2) std::abort();
  return 0;
}
