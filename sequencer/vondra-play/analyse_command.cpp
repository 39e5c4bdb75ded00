// Prints the file analysis.
#include <cstdio>

#include "sequencer/vondra-play/commands.h"

namespace vondra::play {

int AnalyseCommand(const Options&) {
  std::fprintf(stderr, "vondra-play: analysis is not available yet\n");
  return 1;
}

}  // namespace vondra::play
