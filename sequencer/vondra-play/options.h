#pragma once
// The command line of vondra-play.
#include <cstdint>
#include <optional>
#include <string>

namespace vondra::play {

enum class Command { kPlay, kRender, kAnalyse, kPorts, kHelp };

struct Options {
  Command command = Command::kPlay;
  std::string file;
  bool loop = false;
  bool invert = false;
  double fadeAfterSeconds = -1.0;  // negative: no fade
  int32_t fadeTime = 5000;
  std::string output;     // VONDRA_OUTPUT for this run
  std::string port;       // VONDRA_MIDI_PORT for this run
  std::string soundFont;  // VONDRA_SOUNDFONT for this run
  std::string renderPath;
  double maxSeconds = 600.0;
  bool json = false;
};

// Parses argv; on a mistake returns nothing and fills `error`.
std::optional<Options> ParseOptions(int argc, char** argv, std::string& error);

extern const char* const kUsage;

}  // namespace vondra::play
