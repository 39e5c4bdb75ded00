#pragma once
// Writes a compiled song as a format 1 Standard MIDI File.
#include <cstdint>
#include <vector>

#include "tools/mmlc/song.h"

namespace mmlc {

// Events of each track are sorted by tick and EventOrder (stable within both), every track
// ends with End of Track at song.endTick. Running status is used only between channel
// messages, because a reader may carry a meta or System Exclusive status forward.
std::vector<uint8_t> WriteSmf(const Song& song);

// A MIDI variable-length quantity.
void AppendVarLen(std::vector<uint8_t>& out, uint32_t value);

}  // namespace mmlc
