// Renders a file offline through the built-in synthesizer into a WAV file.
#include <cstdio>
#include <vector>

#include "commands.h"
#include "vondra.h"
#include "vondra_render.h"
#include "wav_writer.h"

namespace vondra::play {
namespace {

inline constexpr uint32_t kStep = 10;  // ms of virtual time between checks

}  // namespace

int RenderCommand(const Options& options) {
  SongHandle song = mmsCreateHandle(options.file.c_str());
  if (!song) {
    std::fprintf(stderr, "vondra-play: cannot read %s\n", options.file.c_str());
    return 1;
  }
  // As when playing: inverted play turns each channel about its own analysed centre.
  if (options.invert) {
    mmsSMFAnalysisInit();
    mmsSMFAnalysis(song);
  }
  VondraRenderer* renderer = vondraRenderOpen(options.soundFont.c_str());
  if (renderer == nullptr) {
    std::fprintf(stderr, "vondra-play: the synthesizer has no SoundFont to play with\n");
    mmsDestroyHandle(song);
    return 1;
  }
  const int32_t started =
      vondraRenderPlay(renderer, song, options.loop ? 1 : 0, options.invert ? 1 : 0);
  mmsDestroyHandle(song);
  if (started != 0) {
    std::fprintf(stderr, "vondra-play: %s is not a playable Standard MIDI File\n",
                 options.file.c_str());
    vondraRenderClose(renderer);
    return 1;
  }
  const auto fadeAt = static_cast<int64_t>(options.fadeAfterSeconds * 1000);
  const auto limit = static_cast<uint64_t>(options.maxSeconds * 1000);
  bool fading = false;
  while (vondraRenderPlaying(renderer) != 0 && vondraRenderTime(renderer) < limit) {
    if (!fading && fadeAt >= 0 && vondraRenderTime(renderer) >= fadeAt) {
      vondraRenderFadeout(renderer, options.fadeTime);
      fading = true;
    }
    vondraRenderAdvance(renderer, kStep);
  }
  const bool cut = vondraRenderPlaying(renderer) != 0;
  vondraRenderStop(renderer);  // the stop's pauses are rendered: the song's release is heard out
  size_t frames = 0;
  const int16_t* samples = vondraRenderSamples(renderer, &frames);
  const std::vector<int16_t> audio(samples, samples + frames * VONDRA_RENDER_CHANNELS);
  const double seconds = vondraRenderTime(renderer) / 1000.0;
  vondraRenderClose(renderer);
  if (!WriteWav(options.renderPath, audio, VONDRA_RENDER_CHANNELS, VONDRA_RENDER_SAMPLE_RATE)) {
    std::fprintf(stderr, "vondra-play: cannot write %s\n", options.renderPath.c_str());
    return 1;
  }
  std::fprintf(stderr, "vondra-play: %s: %.2f s%s\n", options.renderPath.c_str(), seconds,
               cut ? " (cut at --max-seconds)" : "");
  return 0;
}

}  // namespace vondra::play
