#include "tests/sequencer/support/scheduled_recorder.h"

#include <chrono>

namespace vondra::testing {

ScheduledRecorder::ScheduledRecorder(std::shared_ptr<RecordingOutput> target, Clock& clock)
    : target_(std::move(target)), clock_(clock), start_(clock.Now()) {
  puller_ = std::thread([this] {
    while (!quit_.load()) {
      if (schedule_.Rendered() + BlockScheduler::kBlockFrames > NowFrame()) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
        continue;
      }
      schedule_.NextBlock([this](const ScheduledMessage& message) {
        switch (message.kind) {
          case ScheduledMessage::Kind::kShort:
            target_->ShortMessage(message.packed, message.ideal);
            break;
          case ScheduledMessage::Kind::kLong:
            target_->LongMessage(message.bytes, message.ideal);
            break;
          case ScheduledMessage::Kind::kRelease:
            target_->Silence(message.ideal, true);
            break;
        }
      });
    }
  });
}

int64_t ScheduledRecorder::NowFrame() const {
  return int64_t{clock_.Now() - start_} * 44100 / 1000;
}

ScheduledRecorder::~ScheduledRecorder() {
  quit_.store(true);
  puller_.join();
}

void ScheduledRecorder::ShortMessage(uint32_t packed, double ideal) {
  schedule_.Add(packed, ideal);
}

LongResult ScheduledRecorder::LongMessage(std::span<const uint8_t> message, double ideal) {
  schedule_.AddLong(message, ideal);
  return LongResult::kDone;
}

void ScheduledRecorder::SetPeriod(uint32_t period) {
  schedule_.SetLatency(2.0 * period);
}

void ScheduledRecorder::BeginSong() {
  schedule_.BeginSong(NowFrame());
}

void ScheduledRecorder::Silence(double ideal, bool atOnce) {
  schedule_.Silence(ideal, atOnce, schedule_.Rendered());
}

bool ScheduledRecorder::Close() {
  return target_->Close();
}

void ScheduledRecorder::WaitForBlocks(int blocks) const {
  const int64_t until = NowFrame() + int64_t{blocks} * BlockScheduler::kBlockFrames;
  while (schedule_.Rendered() < until) std::this_thread::sleep_for(std::chrono::microseconds(200));
}

}  // namespace vondra::testing
