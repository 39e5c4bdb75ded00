// vondra-play: plays, renders or analyses a Standard MIDI File with the vondra library.
#include <cstdio>
#include <string>

#include "commands.h"
#include "options.h"

int main(int argc, char** argv) {
  using namespace vondra::play;
  std::string error;
  const auto options = ParseOptions(argc, argv, error);
  if (!options) {
    std::fprintf(stderr, "vondra-play: %s\n\n%s", error.c_str(), kUsage);
    return 2;
  }
  switch (options->command) {
    case Command::kHelp:
      std::fputs(kUsage, stdout);
      return 0;
    case Command::kPlay:
      return PlayCommand(*options);
    case Command::kRender:
      return RenderCommand(*options);
    case Command::kAnalyse:
      return AnalyseCommand(*options);
    case Command::kPorts:
      return PortsCommand();
  }
  return 2;
}
