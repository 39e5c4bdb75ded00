#include "sequencer/midiout/alsa_quiet.h"

#include <alsa/asoundlib.h>

namespace vondra {
namespace {

void DropAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void SilenceAlsaLibErrors() {
  snd_lib_error_set_handler(DropAlsaError);
}

}  // namespace vondra
