// Sound effects over SDL2_mixer. Without an audio device, or without the library, every call is
// harmless silence.
#include <SDL2/SDL.h>

#include "presentation/mixer_library.h"
#include "presentation/wave_list.h"

namespace pres {
namespace {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkSize = 1024;
constexpr int kInitialMixChannels = 16;

class MixerWaveList final : public WaveList {
 public:
  MixerWaveList() : mix_(MixerLibrary()) {
    if (mix_ == nullptr || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    subsystem_ = true;
    if (mix_->openAudio(kOutputRate, AUDIO_S16SYS, kOutputChannels, kChunkSize) != 0) return;
    open_ = true;
    channels_ = mix_->allocateChannels(kInitialMixChannels);
  }

  ~MixerWaveList() override {
    if (open_) {
      mix_->haltChannel(-1);
      for (Mix_Chunk* c : chunks_) {
        if (c) mix_->freeChunk(c);
      }
      mix_->closeAudio();
    }
    if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  // The WAV is converted to the device's format here; a file that does not load stays silent.
  int Add(std::span<const uint8_t> wavFile) override {
    Mix_Chunk* chunk = nullptr;
    if (open_ && !wavFile.empty()) {
      chunk = mix_->loadWav(SDL_RWFromConstMem(wavFile.data(), int(wavFile.size())), 1);
    }
    chunks_.push_back(chunk);
    return int(chunks_.size()) - 1;
  }

  // Every copy gets a channel of its own; when all are busy there are twice as many.
  void Play(int index) override {
    if (!open_ || index < 0 || index >= int(chunks_.size()) || !chunks_[size_t(index)]) return;
    if (PlayOnce(chunks_[size_t(index)]) >= 0) return;
    channels_ = mix_->allocateChannels(channels_ * 2);
    PlayOnce(chunks_[size_t(index)]);
  }

  int SoundingCount() const override { return open_ ? mix_->playing(-1) : 0; }
  bool Available() const override { return open_; }

 private:
  // On the first free channel, once, for as long as the sound lasts.
  int PlayOnce(Mix_Chunk* chunk) { return mix_->playChannelTimed(-1, chunk, 0, -1); }

  const MixerCalls* mix_;
  bool subsystem_ = false;
  bool open_ = false;
  int channels_ = 0;
  std::vector<Mix_Chunk*> chunks_;
};

}  // namespace

std::unique_ptr<WaveList> CreateMixerWaveList() {
  return std::make_unique<MixerWaveList>();
}

}  // namespace pres
