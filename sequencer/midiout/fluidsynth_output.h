#pragma once
// The built-in synthesizer: FluidSynth with a General MIDI SoundFont. Live, it plays through
// FluidSynth's own audio driver (silently when there is no audio device); offline, the caller
// pulls the audio with Render().
#include <cstdint>
#include <memory>
#include <string>

#include "sequencer/midiout/midi_output.h"

namespace vondra {

inline constexpr int kSynthSampleRate = 44100;
inline constexpr const char* kSoundFontCandidates[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

class FluidSynthOutput final : public MidiOutput {
 public:
  enum class Mode { kLive, kOffline };

  // Null when no SoundFont can be loaded. `soundFont` empty: VONDRA_SOUNDFONT, then the host's
  // default (SetDefaultSoundFont), then the candidates above.
  static std::unique_ptr<FluidSynthOutput> Open(Mode mode, const std::string& soundFont = {});
  ~FluidSynthOutput() override;

  void ShortMessage(uint32_t packed) override;
  LongResult LongMessage(std::span<const uint8_t> message) override;
  bool Close() override;

  // Offline: the next `frames` stereo frames, interleaved 16-bit.
  void Render(int16_t* interleaved, int frames);
  bool HasAudioDriver() const;
  // The file the SoundFont was loaded from.
  const std::string& SoundFontPath() const;

  struct Parts;

 private:
  explicit FluidSynthOutput(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
};

// The SoundFont a host's music was made for, tried before the system's candidates when
// VONDRA_SOUNDFONT names none; empty: the candidates alone. Any thread; later opens use it.
void SetDefaultSoundFont(std::string path);

}  // namespace vondra
