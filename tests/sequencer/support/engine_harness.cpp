#include "tests/sequencer/support/engine_harness.h"

namespace vondra::testing {

void RecordingSink::Deliver(const Message& message) {
  std::lock_guard lock(mutex_);
  messages_.push_back(message);
}

std::vector<Message> RecordingSink::Messages() const {
  std::lock_guard lock(mutex_);
  return messages_;
}

EngineHarness::EngineHarness(uint32_t period, uint32_t timerMinimum)
    : player(Platform{&clock, nullptr, false}, sink, analysis) {
  clock.SetMinimumPeriod(timerMinimum);
  player.SetPlatform(Platform{&clock,
                              [this]() -> std::unique_ptr<MidiOutput> {
                                auto output = std::make_unique<RecordingOutput>([this] {
                                  return std::pair<uint32_t, int64_t>(
                                      clock.Now(), player.engine().TickCountNow());
                                });
                                output_ = output.get();
                                return output;
                              },
                              false});
  player.Init(period);
}

int32_t EngineHarness::Play(const std::vector<uint8_t>& image, int32_t repeat, int32_t invert) {
  images_.push_back(std::make_unique<std::vector<uint8_t>>(image));
  const auto* kept = images_.back().get();
  return player.Play(kept, kept, repeat, invert);
}

void EngineHarness::Run(uint32_t ms) {
  const uint32_t end = clock.Now() + ms;
  while (static_cast<int32_t>(end - clock.Now()) > 0) {
    clock.Advance(kHalfPeriod);
    player.Step(clock.Now());
  }
}

bool EngineHarness::RunUntilStopped(uint32_t capMs) {
  const uint32_t end = clock.Now() + capMs;
  while (player.engine().IsPlaying() || player.engine().StopPending()) {
    if (static_cast<int32_t>(end - clock.Now()) <= 0) return false;
    clock.Advance(kHalfPeriod);
    player.Step(clock.Now());
  }
  return true;
}

std::vector<RecordedMessage> EngineHarness::SentBeforeStop() const {
  std::vector<RecordedMessage> sent = Sent();
  // The stop begins with all notes off on channel 0 followed by all sound off on channel 0.
  for (size_t i = 0; i + 1 < sent.size(); ++i) {
    if (sent[i].bytes == std::vector<uint8_t>{0xB0, 123, 0} &&
        sent[i + 1].bytes == std::vector<uint8_t>{0xB0, 120, 0}) {
      sent.resize(i);
      break;
    }
  }
  return sent;
}

std::vector<std::vector<uint8_t>> BytesOf(const std::vector<RecordedMessage>& messages) {
  std::vector<std::vector<uint8_t>> out;
  for (const auto& message : messages) out.push_back(message.bytes);
  return out;
}

bool IsControl(const RecordedMessage& message, int controller) {
  return message.IsShort() && (message.Status() & 0xF0) == 0xB0 && message.bytes[1] == controller;
}

}  // namespace vondra::testing
