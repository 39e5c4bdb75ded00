#include <cstdlib>
#include <string_view>

#include "sequencer/midiout/alsa_output.h"
#include "sequencer/midiout/fluidsynth_output.h"
#include "sequencer/midiout/midi_output.h"

namespace vondra {

std::unique_ptr<MidiOutput> OpenConfiguredOutput() {
  const char* chosen = std::getenv("VONDRA_OUTPUT");
  const std::string_view name = chosen ? chosen : "";
  if (name == "none") return nullptr;
  if (name == "alsa") return AlsaOutput::Open();
  return FluidSynthOutput::Open(FluidSynthOutput::Mode::kLive);
}

}  // namespace vondra
