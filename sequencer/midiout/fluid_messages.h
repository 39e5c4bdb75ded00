#pragma once
// What each MIDI message does to the FluidSynth synthesizer: the calls that play a channel
// message, a System Exclusive message or a release of every note.
#include <cstdint>
#include <span>

#include "sequencer/midiout/fluid_library.h"
#include "sequencer/midiout/midi_output.h"

namespace vondra {

void PlayShortMessage(const FluidCalls& fluid, fluid_synth_t* synth, uint32_t packed);
LongResult PlaySysEx(const FluidCalls& fluid, fluid_synth_t* synth,
                     std::span<const uint8_t> message);
// Note-off for every note on every channel.
void ReleaseAllNotes(const FluidCalls& fluid, fluid_synth_t* synth);

}  // namespace vondra
