#pragma once
// Plays a song through the built-in synthesizer as fast as the machine allows: a virtual clock
// drives the engine exactly as the player thread would, and the audio is rendered a little
// behind it (also during the stop's pauses), each message on the frame of its ideal time.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sequencer/midiout/fluidsynth_output.h"
#include "sequencer/src/player.h"

namespace vondra {

class OfflineRenderer {
 public:
  // Null when the synthesizer or its SoundFont cannot be loaded. `analysis` supplies the
  // averages inverted play mirrors about.
  static std::unique_ptr<OfflineRenderer> Create(const AnalysisEntries& analysis,
                                                 MessageSink& messages,
                                                 const std::string& soundFont = {},
                                                 uint32_t period = 10);
  ~OfflineRenderer();

  int32_t Play(const std::vector<uint8_t>& image, int32_t repeat, int32_t invert);
  // Moves virtual time on by `ms`, waking the player every half period.
  void Advance(uint32_t ms);
  // Stops and renders on until the stop's messages are out.
  void Stop();
  void Fadeout(int32_t fadeTime);
  // True until playback has stopped and the stop's messages are out.
  bool Playing() const;
  uint32_t NowMs() const;
  const Player& player() const { return *player_; }

  // Interleaved stereo 16-bit samples at kSynthSampleRate, from the start up to the virtual
  // clock (rendered now if still behind it).
  const std::vector<int16_t>& Samples();

 private:
  class RenderClock;
  OfflineRenderer() = default;
  void RenderUntil(uint64_t ms);

  std::unique_ptr<RenderClock> clock_;
  FluidSynthOutput* synth_ = nullptr;  // owned by the player
  std::unique_ptr<Player> player_;
  std::vector<uint8_t> image_;
  std::vector<int16_t> samples_;
  uint64_t renderedFrames_ = 0;
};

}  // namespace vondra
