#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sequencer/midiout/alsa_output.h"
#include "sequencer/midiout/background_output.h"
#include "sequencer/midiout/counting_output.h"
#include "sequencer/midiout/fluidsynth_output.h"
#include "sequencer/midiout/midi_output.h"

namespace vondra {

std::unique_ptr<MidiOutput> OpenConfiguredOutput() {
  const char* chosen = std::getenv("VONDRA_OUTPUT");
  const std::string_view name = chosen ? chosen : "";
  if (name == "none") return nullptr;
  if (name == "alsa") return AlsaOutput::Open();
  if (name == "record") return std::make_unique<CountingOutput>();
  // The SoundFont loads in the background; without one that can be read there is no output,
  // and the host's user is told why the music is silent.
  const std::string soundFont = ChooseSoundFont();
  if (soundFont.empty()) {
    std::fprintf(stderr,
                 "vondra: music is off: no SoundFont found (name one in VONDRA_SOUNDFONT)\n");
    return nullptr;
  }
  if (access(soundFont.c_str(), R_OK) != 0) {
    std::fprintf(stderr, "vondra: music is off: cannot read the SoundFont %s\n", soundFont.c_str());
    return nullptr;
  }
  return std::make_unique<BackgroundOutput>([]() -> std::unique_ptr<MidiOutput> {
    return FluidSynthOutput::Open(FluidSynthOutput::Mode::kLive);
  });
}

}  // namespace vondra
