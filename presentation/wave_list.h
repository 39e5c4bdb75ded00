#pragma once
// In-memory sound effects; each may sound any number of times at once.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace pres {

class WaveList {
 public:
  virtual ~WaveList() = default;
  // Adds a sound given as a complete WAV file image; returns its index.
  virtual int Add(std::span<const uint8_t> wavFile) = 0;
  // Starts the sound from its beginning and returns at once; nothing when sound is unavailable.
  virtual void Play(int index) = 0;
  // Copies sounding now (all sounds), for tests.
  virtual int SoundingCount() const = 0;
  virtual bool Available() const = 0;
};

// Over SDL2_mixer; silent (but harmless) when no audio device opens.
std::unique_ptr<WaveList> CreateMixerWaveList();
// Never sounds; counts plays (headless game and tests).
std::unique_ptr<WaveList> CreateSilentWaveList();

}  // namespace pres
