#pragma once
// What each MIDI message does to the FluidSynth synthesizer: the calls that play a channel
// message, a System Exclusive message or a release of every note.
#include <fluidsynth.h>

#include <cstdint>
#include <span>

#include "sequencer/midiout/midi_output.h"

namespace vondra {

void PlayShortMessage(fluid_synth_t* synth, uint32_t packed);
LongResult PlaySysEx(fluid_synth_t* synth, std::span<const uint8_t> message);
// Note-off for every note on every channel.
void ReleaseAllNotes(fluid_synth_t* synth);

}  // namespace vondra
