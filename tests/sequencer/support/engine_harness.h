#pragma once
// A player with a fake clock, the recording output and a message recorder, driven step by step
// from the test: no thread, no sleeps.
#include <memory>
#include <mutex>
#include <vector>

#include "sequencer/midiout/recording_output.h"
#include "sequencer/src/player.h"
#include "tests/sequencer/support/fake_clock.h"

namespace vondra::testing {

class RecordingSink final : public MessageSink {
 public:
  void Deliver(const Message& message) override;
  std::vector<Message> Messages() const;

 private:
  mutable std::mutex mutex_;
  std::vector<Message> messages_;
};

// How often the player thread wakes for the game's 10 ms period.
inline constexpr uint32_t kHalfPeriod = 5;

class EngineHarness {
 public:
  explicit EngineHarness(uint32_t period = 10, uint32_t timerMinimum = 1);

  // Plays an image (kept alive by the harness); returns the play call's result.
  int32_t Play(const std::vector<uint8_t>& image, int32_t repeat = 0, int32_t invert = 0);
  // Wakes the player every kHalfPeriod ms of fake time, for `ms` ms.
  void Run(uint32_t ms);
  // Runs until playback has stopped and the stop's messages are out, or `capMs` ms have
  // passed; true when it stopped.
  bool RunUntilStopped(uint32_t capMs);

  // Everything sent; and the channel messages only, without the stop's controller resets.
  std::vector<RecordedMessage> Sent() const { return output_->Messages(); }
  std::vector<RecordedMessage> SentBeforeStop() const;

  FakeClock clock;
  RecordingSink sink;
  AnalysisEntries analysis{};
  Player player;
  RecordingOutput& output() { return *output_; }
  const Engine& engine() const { return player.engine(); }

 private:
  RecordingOutput* output_ = nullptr;
  std::vector<std::unique_ptr<std::vector<uint8_t>>> images_;
};

// An output that passes everything on to a recorder the test keeps, so the recorder can be
// examined after the library has closed and freed its output.
class ForwardingOutput final : public MidiOutput {
 public:
  explicit ForwardingOutput(std::shared_ptr<RecordingOutput> target) : target_(std::move(target)) {}
  void ShortMessage(uint32_t packed, double ideal) override {
    target_->ShortMessage(packed, ideal);
  }
  LongResult LongMessage(std::span<const uint8_t> message, double ideal) override {
    return target_->LongMessage(message, ideal);
  }
  void SetPeriod(uint32_t period) override { target_->SetPeriod(period); }
  void BeginSong() override { target_->BeginSong(); }
  void Silence(double ideal, bool atOnce) override { target_->Silence(ideal, atOnce); }
  bool Close() override { return target_->Close(); }

 private:
  std::shared_ptr<RecordingOutput> target_;
};

// The bytes of each message, in order.
std::vector<std::vector<uint8_t>> BytesOf(const std::vector<RecordedMessage>& messages);

// True when `message` is a controller message with this controller.
bool IsControl(const RecordedMessage& message, int controller);

}  // namespace vondra::testing
