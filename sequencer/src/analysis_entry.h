#pragma once
// What the analysis keeps per channel entry. Fixed by the analysis interface: the two names,
// then the sums that become averages, then the count of note-ons.
#include <array>
#include <cstdint>

#include "sequencer/src/song_state.h"

namespace vondra {

struct AnalysisEntry {
  char* trackName = nullptr;
  char* instrumentName = nullptr;
  int32_t averageNote = 0;      // a sum of note numbers while the analysis runs
  int32_t averageVelocity = 0;  // a sum of velocities while the analysis runs
  int32_t totalNotes = 0;
};

using AnalysisEntries = std::array<AnalysisEntry, kChannelCount>;

}  // namespace vondra
