// Sound effects over SDL2_mixer. Without an audio device every call is harmless silence.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include "presentation/wave_list.h"

namespace pres {
namespace {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkSize = 1024;
constexpr int kInitialMixChannels = 16;

class MixerWaveList final : public WaveList {
 public:
  MixerWaveList() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    subsystem_ = true;
    if (Mix_OpenAudio(kOutputRate, AUDIO_S16SYS, kOutputChannels, kChunkSize) != 0) return;
    open_ = true;
    channels_ = Mix_AllocateChannels(kInitialMixChannels);
  }

  ~MixerWaveList() override {
    if (open_) {
      Mix_HaltChannel(-1);
      for (Mix_Chunk* c : chunks_) {
        if (c) Mix_FreeChunk(c);
      }
      Mix_CloseAudio();
    }
    if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  // The WAV is converted to the device's format here; a file that does not load stays silent.
  int Add(std::span<const uint8_t> wavFile) override {
    Mix_Chunk* chunk = nullptr;
    if (open_ && !wavFile.empty()) {
      chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wavFile.data(), int(wavFile.size())), 1);
    }
    chunks_.push_back(chunk);
    return int(chunks_.size()) - 1;
  }

  // Every copy gets a channel of its own; when all are busy there are twice as many.
  void Play(int index) override {
    if (!open_ || index < 0 || index >= int(chunks_.size()) || !chunks_[size_t(index)]) return;
    if (Mix_PlayChannel(-1, chunks_[size_t(index)], 0) >= 0) return;
    channels_ = Mix_AllocateChannels(channels_ * 2);
    Mix_PlayChannel(-1, chunks_[size_t(index)], 0);
  }

  int SoundingCount() const override { return open_ ? Mix_Playing(-1) : 0; }
  bool Available() const override { return open_; }

 private:
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
