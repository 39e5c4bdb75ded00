#pragma once
// What the analysis keeps per channel entry, in the order of the analysis interface: the two
// names, the two averages, the count of note-ons.
#include <array>
#include <cstdint>

#include "sequencer/src/song_state.h"

namespace vondra {

struct AnalysisEntry {
  char* trackName = nullptr;
  char* instrumentName = nullptr;
  int32_t averageNote = 0;
  int32_t averageVelocity = 0;
  int32_t totalNotes = 0;  // note-ons with a velocity above 0
};

using AnalysisEntries = std::array<AnalysisEntry, kChannelCount>;

}  // namespace vondra
