#pragma once
// Records one game at a time: the input of every frame from the frame in which NewGame runs
// to the frame in which the game ends, the frame rate whenever it changes, and a state
// digest every kDigestEvery frames.
#include <cstdint>
#include <optional>

#include "game/replay/replay_record.h"

namespace tolvane {

class ReplayRecorder {
 public:
  // At the start of every frame: what the frame is given. Kept for a game that begins
  // within the frame.
  void Sample(FrameSample sample, int32_t frameRate);
  // NewGame is about to run: the game begins with the frame in progress.
  void Begin(const StartState& start, uint64_t dataDigest);
  bool Recording() const { return recording_; }
  // At the end of every frame, with the state digest after it.
  void FrameDone(bool drawn, uint64_t digest, int32_t stage);
  // The game ended after the last finished frame: the record, or nothing when no frame of
  // it was finished.
  std::optional<Replay> Finish(const ReplayDate& date, int32_t finalScore);

 private:
  bool recording_ = false;
  FrameSample sample_ = 0;
  int32_t rate_ = 0;
  uint64_t lastDigest_ = 0;
  Replay replay_;
};

}  // namespace tolvane
