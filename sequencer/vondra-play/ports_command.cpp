// Lists the ALSA sequencer ports a song can be played to.
#include <cstdio>

#include "commands.h"
#include "vondra_render.h"

namespace vondra::play {
namespace {

void PrintLine(const char* line, void*) {
  std::printf("%s\n", line);
}

}  // namespace

int PortsCommand() {
  const int32_t count = vondraListPorts(PrintLine, nullptr);
  if (count < 0) {
    std::fprintf(stderr, "vondra-play: no ALSA sequencer on this machine\n");
    return 1;
  }
  if (count == 0) std::fprintf(stderr, "vondra-play: no port to play to\n");
  return 0;
}

}  // namespace vondra::play
