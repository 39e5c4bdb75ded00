#pragma once
// Plays one recorded game back, frame by frame: the recorded input and frame rate before each
// frame, the recorded drawing decision, and after each frame the state digest checked
// against the stored one. The first mismatch stops it.
#include <cstdint>

#include "game/replay/replay_record.h"

namespace tolvane {

class ReplayPlayer {
 public:
  explicit ReplayPlayer(Replay replay);

  const Replay& Record() const { return replay_; }
  // The frame about to run (0 = the game's first).
  uint32_t Frame() const { return frame_; }
  bool Finished() const { return frame_ >= replay_.frames; }
  // Its input, and the frame rate it showed.
  FrameSample Sample() const { return replay_.runs[run_].sample; }
  int32_t Rate() const { return rate_; }
  // Before the frame: the frame rate as it stood when it ran.
  void BeginFrame();
  // After the frame, with the state digest: false when it differs from the one recorded there.
  bool EndFrame(uint64_t digest);

 private:
  Replay replay_;
  uint32_t frame_ = 0;
  size_t run_ = 0;
  uint32_t runFrame_ = 0;  // frames of the current run already played
  size_t nextRate_ = 0;
  int32_t rate_ = 0;
};

}  // namespace tolvane
