// Plays a file on the configured output, showing the position until it ends or Ctrl-C.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "commands.h"
#include "vondra.h"
#include "vondra_render.h"

namespace vondra::play {
namespace {

inline constexpr uint32_t kPeriod = 10;
inline constexpr auto kPoll = std::chrono::milliseconds(50);

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
  interrupted = true;
}

void SetEnvironment(const Options& options) {
  if (!options.output.empty()) setenv("VONDRA_OUTPUT", options.output.c_str(), 1);
  if (!options.port.empty()) setenv("VONDRA_MIDI_PORT", options.port.c_str(), 1);
  if (!options.soundFont.empty()) setenv("VONDRA_SOUNDFONT", options.soundFont.c_str(), 1);
}

// After the end, with the stop's messages all sent: what reached the recording output, and
// whether any note was left sounding or came after a stop. False when one was.
bool ReportRecording() {
  VondraRecordCounts counts{};
  if (vondraRecordCounts(&counts) == 0) return true;
  std::printf("recorded: %llu messages, %llu note-ons, %llu note-offs, %llu silences\n",
              static_cast<unsigned long long>(counts.messages),
              static_cast<unsigned long long>(counts.noteOns),
              static_cast<unsigned long long>(counts.noteOffs),
              static_cast<unsigned long long>(counts.silences));
  std::printf("notes sounding at the end: %d; note-ons after a stop: %d\n", counts.sounding,
              counts.notesAfterStop);
  return counts.sounding == 0 && counts.notesAfterStop == 0;
}

}  // namespace

int PlayCommand(const Options& options) {
  SetEnvironment(options);
  mmsInit(kPeriod);
  if (vondraOutputReady() == 0) {
    const char* chosen = std::getenv("VONDRA_OUTPUT");
    const bool alsa = chosen && std::string_view(chosen) == "alsa";
    std::fprintf(stderr, "vondra-play: %s\n",
                 alsa && vondraListPorts(nullptr, nullptr) < 0 ? "no ALSA sequencer on this machine"
                                                               : "no MIDI output could be opened");
    return 1;
  }
  SongHandle song = mmsCreateHandle(options.file.c_str());
  if (!song) {
    std::fprintf(stderr, "vondra-play: cannot read %s\n", options.file.c_str());
    mmsEnd();
    return 1;
  }
  // Inverted play mirrors each channel about the C nearest its average note, which only an
  // analysis of the file provides; without one every channel would turn about middle C.
  if (options.invert) {
    mmsSMFAnalysisInit();
    mmsSMFAnalysis(song);
  }
  const int32_t repeat = options.loop ? 1 : 0;
  if ((options.invert ? mmsInvertPlay(song, repeat) : mmsPlay(song, repeat)) != 0) {
    std::fprintf(stderr, "vondra-play: %s is not a playable Standard MIDI File\n",
                 options.file.c_str());
    mmsDestroyHandle(song);
    mmsEnd();
    return 1;
  }

  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  const bool showPosition = isatty(STDOUT_FILENO);
  const auto start = std::chrono::steady_clock::now();
  bool fading = false;
  while (mmsGetStatus() != 0 && !interrupted) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!fading && options.fadeAfterSeconds >= 0 && seconds >= options.fadeAfterSeconds) {
      mmsFadeout(options.fadeTime);
      fading = true;
    }
    if (showPosition) {
      std::printf("\r%4d:%d  %7.2f bpm%s", mmsGetMeasure(), mmsGetBeat(), mmsGetTempo(),
                  mmsGetStatus() == 3 ? "  fading" : "        ");
      std::fflush(stdout);
    }
    std::this_thread::sleep_for(kPoll);
  }
  if (showPosition) std::printf("\n");
  mmsStop();
  mmsDestroyHandle(song);
  mmsEnd();
  if (options.output == "record" && !ReportRecording()) return 1;
  return interrupted ? 130 : 0;
}

}  // namespace vondra::play
