#pragma once
// Opens an output on a thread of its own and stands in for it meanwhile: loading the
// synthesizer's SoundFont takes from a tenth of a second to a second, which mmsInit does not
// wait for. Until the output is open the engine holds a song back (Ready() is false); messages
// that come meanwhile (a stop's, while nothing can sound yet) are dropped. An output that cannot
// be opened leaves a stand-in that plays to nobody.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "sequencer/midiout/midi_output.h"

namespace vondra {

class BackgroundOutput final : public MidiOutput {
 public:
  explicit BackgroundOutput(std::function<std::unique_ptr<MidiOutput>()> open);
  ~BackgroundOutput() override;

  bool Ready() const override { return ready_.load(std::memory_order_acquire); }
  void ShortMessage(uint32_t packed, double ideal) override;
  LongResult LongMessage(std::span<const uint8_t> message, double ideal) override;
  void SetPeriod(uint32_t period) override;
  void BeginSong() override;
  void Silence(double ideal, bool atOnce) override;
  // Waits for the opening to finish, then closes the output.
  bool Close() override;

  // True once open and the output could be opened.
  bool Opened() const;

 private:
  MidiOutput* Target() const { return Ready() ? output_.get() : nullptr; }

  std::unique_ptr<MidiOutput> output_;  // written by the opening thread before ready_
  std::atomic<uint32_t> period_{0};
  std::atomic<bool> ready_{false};
  std::thread opener_;
};

}  // namespace vondra
