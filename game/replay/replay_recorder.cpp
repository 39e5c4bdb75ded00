#include "game/replay/replay_recorder.h"

#include <algorithm>
#include <utility>

#include "game/replay/replay_file.h"

namespace tolvane {

void ReplayRecorder::Sample(FrameSample sample, int32_t frameRate) {
  sample_ = sample;
  if (recording_ && frameRate != rate_) replay_.rates.push_back({replay_.frames, frameRate});
  rate_ = frameRate;
}

void ReplayRecorder::Begin(const StartState& start, uint64_t dataDigest) {
  replay_ = Replay{};
  replay_.dataDigest = dataDigest;
  replay_.start = start;
  replay_.stageReached = start.startStage;
  rate_ = start.frameRate;
  recording_ = true;
}

void ReplayRecorder::FrameDone(bool drawn, uint64_t digest, int32_t stage) {
  if (!recording_ || replay_.frames >= kMostReplayFrames) return;
  const FrameSample sample = sample_ | (drawn ? 0 : kSkippedFrame);
  if (!replay_.runs.empty() && replay_.runs.back().sample == sample) {
    replay_.runs.back().frames += 1;
  } else {
    replay_.runs.push_back({sample, 1});
  }
  replay_.frames += 1;
  if (replay_.frames % kDigestEvery == 0) replay_.digests.push_back(digest);
  lastDigest_ = digest;
  replay_.stageReached = std::clamp(std::max(replay_.stageReached, stage), 1, kEndingReached);
}

std::optional<Replay> ReplayRecorder::Finish(const ReplayDate& date, int32_t finalScore) {
  const bool any = recording_ && replay_.frames > 0;
  recording_ = false;
  if (!any) return std::nullopt;
  replay_.date = date;
  replay_.finalScore = finalScore;
  replay_.finalDigest = lastDigest_;
  return std::move(replay_);
}

}  // namespace tolvane
