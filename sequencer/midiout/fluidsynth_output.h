#pragma once
// The built-in synthesizer: FluidSynth with a General MIDI SoundFont. Messages are placed on the
// audio stream by their ideal time (plus a latency when live) and reach the synthesizer just
// before the block that holds their frame is rendered. Live, FluidSynth's own audio driver pulls
// the audio (with no audio device, messages play at once to nobody); pulled, the owner pulls it
// from a real-time thread of its own (a capture sink); offline, the owner renders it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "sequencer/midiout/block_scheduler.h"
#include "sequencer/midiout/midi_output.h"

namespace vondra {

inline constexpr int kSynthSampleRate = 44100;
inline constexpr const char* kSoundFontCandidates[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};
// Live, a message sounds this many periods after its ideal time: the engine reads it up to a
// period late, and the rest covers the player thread's wake-up.
inline constexpr double kLiveLatencyPeriods = 2.0;

// The SoundFont Open() tries first when given none: VONDRA_SOUNDFONT if set, else the host's
// default or else the first candidate, whichever can be read first; empty when there is none.
std::string ChooseSoundFont();

class FluidSynthOutput final : public MidiOutput {
 public:
  enum class Mode { kLive, kPulled, kOffline };

  // Null when no SoundFont can be loaded. `soundFont` empty: VONDRA_SOUNDFONT, then the host's
  // default (SetDefaultSoundFont), then the candidates above.
  static std::unique_ptr<FluidSynthOutput> Open(Mode mode, const std::string& soundFont = {});
  ~FluidSynthOutput() override;

  void ShortMessage(uint32_t packed, double ideal) override;
  LongResult LongMessage(std::span<const uint8_t> message, double ideal) override;
  void SetPeriod(uint32_t period) override;
  void BeginSong() override;
  void Silence(double ideal, bool atOnce) override;
  bool Close() override;

  // Offline: where "now" is on the audio stream, in frames (by default the frames rendered).
  void SetFrameClock(std::function<int64_t()> now);
  // The next `frames` stereo frames: interleaved 16-bit (offline), or two float channels
  // (pulled; also what the live audio driver calls).
  void Render(int16_t* interleaved, int frames);
  void Pull(float* left, float* right, int frames);
  bool HasAudioDriver() const;
  const BlockScheduler& Schedule() const;
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
