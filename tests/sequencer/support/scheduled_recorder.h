#pragma once
// A scheduling output for tests: messages wait in a BlockScheduler, as in the built-in
// synthesizer, and a thread of its own takes them block by block as the clock moves on and
// hands them to a recorder, which then knows what sounds.
#include <atomic>
#include <memory>
#include <thread>

#include "sequencer/midiout/block_scheduler.h"
#include "sequencer/midiout/recording_output.h"
#include "sequencer/src/clock.h"

namespace vondra::testing {

class ScheduledRecorder final : public MidiOutput {
 public:
  ScheduledRecorder(std::shared_ptr<RecordingOutput> target, Clock& clock);
  ~ScheduledRecorder() override;

  void ShortMessage(uint32_t packed, double ideal) override;
  LongResult LongMessage(std::span<const uint8_t> message, double ideal) override;
  void SetPeriod(uint32_t period) override;
  void BeginSong() override;
  void Silence(double ideal, bool atOnce) override;
  bool Close() override;

  // Returns once the blocks now waiting to be rendered have been.
  void WaitForBlocks(int blocks) const;

 private:
  int64_t NowFrame() const;

  std::shared_ptr<RecordingOutput> target_;
  Clock& clock_;
  const uint32_t start_;  // the stream's first frame is now, not the clock's zero
  BlockScheduler schedule_{44100, 0};
  std::atomic<bool> quit_{false};
  std::thread puller_;
};

}  // namespace vondra::testing
