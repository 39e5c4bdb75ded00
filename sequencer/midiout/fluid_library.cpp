#include "sequencer/midiout/fluid_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <optional>

namespace vondra {
namespace {

template <typename Call>
bool Find(void* library, const char* symbol, Call& call, std::string& missing) {
  call = reinterpret_cast<Call>(dlsym(library, symbol));
  if (call == nullptr) missing = symbol;
  return call != nullptr;
}

}  // namespace

bool OpenFluidCalls(const char* name, FluidCalls& calls, std::string& error) {
  void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    error = reason ? reason : name;
    return false;
  }
  std::string missing;
  if (Find(library, "new_fluid_settings", calls.newSettings, missing) &&
      Find(library, "delete_fluid_settings", calls.deleteSettings, missing) &&
      Find(library, "fluid_settings_setnum", calls.settingsSetNum, missing) &&
      Find(library, "new_fluid_synth", calls.newSynth, missing) &&
      Find(library, "delete_fluid_synth", calls.deleteSynth, missing) &&
      Find(library, "fluid_synth_sfload", calls.soundFontLoad, missing) &&
      Find(library, "new_fluid_audio_driver2", calls.newAudioDriver, missing) &&
      Find(library, "delete_fluid_audio_driver", calls.deleteAudioDriver, missing) &&
      Find(library, "fluid_set_log_function", calls.setLogFunction, missing) &&
      Find(library, "fluid_synth_write_float", calls.writeFloat, missing) &&
      Find(library, "fluid_synth_write_s16", calls.writeS16, missing) &&
      Find(library, "fluid_synth_noteon", calls.noteOn, missing) &&
      Find(library, "fluid_synth_noteoff", calls.noteOff, missing) &&
      Find(library, "fluid_synth_key_pressure", calls.keyPressure, missing) &&
      Find(library, "fluid_synth_cc", calls.controlChange, missing) &&
      Find(library, "fluid_synth_program_change", calls.programChange, missing) &&
      Find(library, "fluid_synth_channel_pressure", calls.channelPressure, missing) &&
      Find(library, "fluid_synth_pitch_bend", calls.pitchBend, missing) &&
      Find(library, "fluid_synth_sysex", calls.sysEx, missing) &&
      Find(library, "fluid_synth_all_notes_off", calls.allNotesOff, missing)) {
    return true;
  }
  error = std::string(name) + " has no " + missing;
  dlclose(library);
  return false;
}

const FluidCalls* FluidLibrary() {
  static const std::optional<FluidCalls> loaded = []() -> std::optional<FluidCalls> {
    FluidCalls calls;
    std::string error;
    if (!OpenFluidCalls(kFluidLibraryName, calls, error)) {
      std::fprintf(stderr, "vondra: music is off: %s\n", error.c_str());
      return std::nullopt;
    }
    return calls;
  }();
  return loaded ? &*loaded : nullptr;
}

}  // namespace vondra
