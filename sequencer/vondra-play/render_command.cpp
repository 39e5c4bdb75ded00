// Renders a file offline through the built-in synthesizer into a WAV file.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "sequencer/render/offline_renderer.h"
#include "sequencer/render/wav_writer.h"
#include "sequencer/src/library.h"
#include "sequencer/vondra-play/commands.h"

namespace vondra::play {
namespace {

inline constexpr uint32_t kStep = 10;  // ms of virtual time between checks

}  // namespace

int RenderCommand(const Options& options) {
  std::ifstream in(options.file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "vondra-play: cannot read %s\n", options.file.c_str());
    return 1;
  }
  const std::vector<uint8_t> image{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  auto& library = TheLibrary();
  // As when playing: inverted play turns each channel about its own analysed centre.
  if (options.invert) {
    library.analysis.Init();
    library.analysis.Run(&image, library.messages);
  }
  auto renderer =
      OfflineRenderer::Create(library.analysisEntries, library.messages, options.soundFont);
  if (!renderer) {
    std::fprintf(stderr, "vondra-play: the synthesizer has no SoundFont to play with\n");
    return 1;
  }
  if (renderer->Play(image, options.loop ? 1 : 0, options.invert ? 1 : 0) != 0) {
    std::fprintf(stderr, "vondra-play: %s is not a playable Standard MIDI File\n",
                 options.file.c_str());
    return 1;
  }
  const auto fadeAt = static_cast<int64_t>(options.fadeAfterSeconds * 1000);
  const auto limit = static_cast<uint64_t>(options.maxSeconds * 1000);
  bool fading = false;
  while (renderer->Playing() && renderer->NowMs() < limit) {
    if (!fading && fadeAt >= 0 && renderer->NowMs() >= fadeAt) {
      renderer->Fadeout(options.fadeTime);
      fading = true;
    }
    renderer->Advance(kStep);
  }
  const bool cut = renderer->Playing();
  renderer->Stop();  // the stop's pauses are rendered: the song's release is heard out
  if (!WriteWav(options.renderPath, renderer->Samples(), 2, kSynthSampleRate)) {
    std::fprintf(stderr, "vondra-play: cannot write %s\n", options.renderPath.c_str());
    return 1;
  }
  std::fprintf(stderr, "vondra-play: %s: %.2f s%s\n", options.renderPath.c_str(),
               renderer->NowMs() / 1000.0, cut ? " (cut at --max-seconds)" : "");
  return 0;
}

}  // namespace vondra::play
