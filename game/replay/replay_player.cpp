#include "game/replay/replay_player.h"

#include <utility>

namespace tolvane {

ReplayPlayer::ReplayPlayer(Replay replay) : replay_(std::move(replay)) {
  rate_ = replay_.start.frameRate;
}

void ReplayPlayer::BeginFrame() {
  while (nextRate_ < replay_.rates.size() && replay_.rates[nextRate_].frame <= frame_) {
    rate_ = replay_.rates[nextRate_].rate;
    ++nextRate_;
  }
}

bool ReplayPlayer::EndFrame(uint64_t digest) {
  if (Finished()) return true;
  frame_ += 1;
  if (++runFrame_ >= replay_.runs[run_].frames && run_ + 1 < replay_.runs.size()) {
    ++run_;
    runFrame_ = 0;
  }
  if (frame_ == replay_.frames) return digest == replay_.finalDigest;
  if (frame_ % kDigestEvery != 0) return true;
  return digest == replay_.digests[frame_ / kDigestEvery - 1];
}

}  // namespace tolvane
