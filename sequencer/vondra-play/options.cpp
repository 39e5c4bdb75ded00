#include "options.h"

#include <cstdlib>
#include <string_view>

namespace vondra::play {

const char* const kUsage =
    "usage: vondra-play [options] FILE.mid\n"
    "       vondra-play --render OUT.wav [options] FILE.mid\n"
    "       vondra-play --analyse [--json] FILE.mid\n"
    "       vondra-play --ports\n"
    "\n"
    "Plays a Standard MIDI File, showing measure:beat and tempo; Ctrl-C stops it.\n"
    "\n"
    "  --loop              loop every track (a \"repeat\" cue point sets where)\n"
    "  --invert            mirror the notes about each channel's centre\n"
    "  --fade SECONDS      start a fade-out after SECONDS\n"
    "  --fade-time MS      length of the fade-out (default 5000)\n"
    "  --output NAME       fluidsynth (default), alsa, none, or record (sends nothing and\n"
    "                      counts; at the end says which notes were left sounding)\n"
    "  --port CLIENT:PORT  ALSA sequencer port to play to (output alsa unless told)\n"
    "  --ports             list the ALSA sequencer ports that can be played to\n"
    "  --soundfont FILE    SoundFont for the built-in synthesizer\n"
    "  --render OUT.wav    render offline to a 16-bit stereo 44100 Hz WAV file\n"
    "  --max-seconds N     longest render (default 600; a looped song needs --fade)\n"
    "  --analyse           print the file's length, texts and per-channel notes\n"
    "  --json              print the analysis as JSON\n"
    "  -h, --help          this text\n";

namespace {

// The largest number an option takes: a fade time in ms must fit 32 bits, and seconds beyond it
// (68 years) would overflow the millisecond counts they become.
inline constexpr double kLargestNumber = 2147483647.0;

bool ParseNumber(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && value >= 0 && value <= kLargestNumber;
}

}  // namespace

std::optional<Options> ParseOptions(int argc, char** argv, std::string& error) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&](const char*& out) {
      if (i + 1 >= argc) {
        error = std::string(arg) + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    const char* text = nullptr;
    double number = 0;
    if (arg == "-h" || arg == "--help") {
      options.command = Command::kHelp;
      return options;
    } else if (arg == "--loop") {
      options.loop = true;
    } else if (arg == "--invert") {
      options.invert = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--ports") {
      options.command = Command::kPorts;
      return options;
    } else if (arg == "--analyse" || arg == "--analyze") {
      options.command = Command::kAnalyse;
    } else if (arg == "--fade" || arg == "--fade-time" || arg == "--max-seconds") {
      if (!value(text)) return std::nullopt;
      if (!ParseNumber(text, number)) {
        error = std::string(arg) + " needs a number from 0 to 2147483647, not " + text;
        return std::nullopt;
      }
      if (arg == "--fade") options.fadeAfterSeconds = number;
      if (arg == "--fade-time") options.fadeTime = static_cast<int32_t>(number);
      if (arg == "--max-seconds") options.maxSeconds = number;
    } else if (arg == "--output" || arg == "--port" || arg == "--soundfont" || arg == "--render") {
      if (!value(text)) return std::nullopt;
      if (arg == "--output") options.output = text;
      if (arg == "--port") options.port = text;
      if (arg == "--soundfont") options.soundFont = text;
      if (arg == "--render") {
        options.renderPath = text;
        options.command = Command::kRender;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      error = "unknown option " + std::string(arg);
      return std::nullopt;
    } else if (options.file.empty()) {
      options.file = arg;
    } else {
      error = "only one file at a time";
      return std::nullopt;
    }
  }
  if (options.file.empty()) {
    error = "no file given";
    return std::nullopt;
  }
  if (!options.port.empty() && options.output.empty()) options.output = "alsa";
  if (options.output.size() && options.output != "fluidsynth" && options.output != "alsa" &&
      options.output != "none" && options.output != "record") {
    error = "--output takes fluidsynth, alsa, none or record";
    return std::nullopt;
  }
  return options;
}

}  // namespace vondra::play
