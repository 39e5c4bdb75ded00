#pragma once
// The FluidSynth calls the built-in synthesizer uses, taken from the shared library when the
// first synthesizer is opened (on the thread that opens the output) rather than when the
// library is loaded: FluidSynth brings some sixty libraries with it (audio servers, GLib, sound
// file formats), which a program that shows a window first need not wait for.
#include <fluidsynth.h>

#include <string>

namespace vondra {

struct FluidCalls {
  decltype(&new_fluid_settings) newSettings = nullptr;
  decltype(&delete_fluid_settings) deleteSettings = nullptr;
  decltype(&fluid_settings_setnum) settingsSetNum = nullptr;
  decltype(&new_fluid_synth) newSynth = nullptr;
  decltype(&delete_fluid_synth) deleteSynth = nullptr;
  decltype(&fluid_synth_sfload) soundFontLoad = nullptr;
  decltype(&new_fluid_audio_driver2) newAudioDriver = nullptr;
  decltype(&delete_fluid_audio_driver) deleteAudioDriver = nullptr;
  decltype(&fluid_set_log_function) setLogFunction = nullptr;
  decltype(&fluid_synth_write_float) writeFloat = nullptr;
  decltype(&fluid_synth_write_s16) writeS16 = nullptr;
  decltype(&fluid_synth_noteon) noteOn = nullptr;
  decltype(&fluid_synth_noteoff) noteOff = nullptr;
  decltype(&fluid_synth_key_pressure) keyPressure = nullptr;
  decltype(&fluid_synth_cc) controlChange = nullptr;
  decltype(&fluid_synth_program_change) programChange = nullptr;
  decltype(&fluid_synth_channel_pressure) channelPressure = nullptr;
  decltype(&fluid_synth_pitch_bend) pitchBend = nullptr;
  decltype(&fluid_synth_sysex) sysEx = nullptr;
  decltype(&fluid_synth_all_notes_off) allNotesOff = nullptr;
};

inline constexpr const char* kFluidLibraryName = "libfluidsynth.so.3";

// Takes the calls from the shared library `name`; false, with the reason in `error`, when it
// cannot be loaded or lacks one of them.
bool OpenFluidCalls(const char* name, FluidCalls& calls, std::string& error);

// FluidSynth's calls, loaded on the first use (any thread) and kept while the process runs;
// null, after one line on standard error, when they cannot be had.
const FluidCalls* FluidLibrary();

}  // namespace vondra
