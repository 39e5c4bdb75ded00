// The C interface of the offline renderer and the output query (vondra_render.h).
#include <string>

#include "sequencer/include/vondra_render.h"
#include "sequencer/render/offline_renderer.h"
#include "sequencer/src/library.h"

static_assert(VONDRA_RENDER_SAMPLE_RATE == vondra::kSynthSampleRate);

struct VondraRenderer {
  std::unique_ptr<vondra::OfflineRenderer> renderer;
};

extern "C" {

int32_t vondraOutputReady(void) {
  return vondra::TheLibrary().player.Ready() ? 1 : 0;
}

VondraRenderer* vondraRenderOpen(const char* soundFont) {
  auto& library = vondra::TheLibrary();
  auto renderer = vondra::OfflineRenderer::Create(library.analysisEntries, library.messages,
                                                  soundFont != nullptr ? soundFont : "");
  if (!renderer) return nullptr;
  return new VondraRenderer{std::move(renderer)};
}

void vondraRenderClose(VondraRenderer* renderer) {
  delete renderer;
}

int32_t vondraRenderPlay(VondraRenderer* renderer, SongHandle handle, int32_t repeat,
                         int32_t invert) {
  const std::vector<uint8_t>* image = vondra::TheLibrary().handles.Find(handle);
  if (renderer == nullptr || image == nullptr) return 1;
  return renderer->renderer->Play(*image, repeat, invert);
}

void vondraRenderAdvance(VondraRenderer* renderer, uint32_t ms) {
  if (renderer != nullptr) renderer->renderer->Advance(ms);
}

void vondraRenderFadeout(VondraRenderer* renderer, int32_t fadeTime) {
  if (renderer != nullptr) renderer->renderer->Fadeout(fadeTime);
}

void vondraRenderStop(VondraRenderer* renderer) {
  if (renderer != nullptr) renderer->renderer->Stop();
}

int32_t vondraRenderPlaying(const VondraRenderer* renderer) {
  return renderer != nullptr && renderer->renderer->Playing() ? 1 : 0;
}

uint32_t vondraRenderTime(const VondraRenderer* renderer) {
  return renderer != nullptr ? renderer->renderer->NowMs() : 0;
}

const int16_t* vondraRenderSamples(const VondraRenderer* renderer, size_t* frames) {
  if (renderer == nullptr) {
    if (frames != nullptr) *frames = 0;
    return nullptr;
  }
  const std::vector<int16_t>& samples = renderer->renderer->Samples();
  if (frames != nullptr) *frames = samples.size() / VONDRA_RENDER_CHANNELS;
  return samples.data();
}

}  // extern "C"
