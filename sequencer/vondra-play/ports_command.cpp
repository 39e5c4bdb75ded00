// Lists the ALSA sequencer ports a song can be played to.
#include <cstdio>

#include "sequencer/midiout/alsa_link.h"
#include "sequencer/vondra-play/commands.h"

namespace vondra::play {

int PortsCommand() {
  const auto ports = ListWritablePorts();
  if (!ports) {
    std::fprintf(stderr, "vondra-play: no ALSA sequencer on this machine\n");
    return 1;
  }
  if (ports->empty()) std::fprintf(stderr, "vondra-play: no port to play to\n");
  for (const auto& port : *ports) std::printf("%s\n", port.c_str());
  return 0;
}

}  // namespace vondra::play
