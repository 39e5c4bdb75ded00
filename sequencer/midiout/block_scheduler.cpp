#include "sequencer/midiout/block_scheduler.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace vondra {

BlockScheduler::BlockScheduler(int sampleRate, double latencyMs)
    : sampleRate_(sampleRate), latencyMs_(latencyMs) {}

void BlockScheduler::SetLatency(double ms) {
  std::lock_guard lock(mutex_);
  latencyMs_ = ms;
}

double BlockScheduler::LatencyMs() const {
  std::lock_guard lock(mutex_);
  return latencyMs_;
}

void BlockScheduler::BeginSong(int64_t now) {
  std::lock_guard lock(mutex_);
  origin_ = now;
}

int64_t BlockScheduler::FrameLocked(double ideal) const {
  return origin_ + std::llround((ideal + latencyMs_) * sampleRate_ / 1000.0);
}

int64_t BlockScheduler::FrameOf(double ideal) const {
  std::lock_guard lock(mutex_);
  return FrameLocked(ideal);
}

void BlockScheduler::Insert(ScheduledMessage message) {
  std::lock_guard lock(mutex_);
  message.frame = FrameLocked(message.ideal);
  // Nearly always the latest: searched from the back.
  auto after = std::find_if(waiting_.rbegin(), waiting_.rend(), [&](const ScheduledMessage& m) {
                 return m.frame <= message.frame;
               }).base();
  waiting_.insert(after, std::move(message));
}

void BlockScheduler::Add(uint32_t packed, double ideal) {
  Insert({0, ideal, ScheduledMessage::Kind::kShort, packed, {}});
}

void BlockScheduler::AddLong(std::span<const uint8_t> message, double ideal) {
  Insert({0, ideal, ScheduledMessage::Kind::kLong, 0, {message.begin(), message.end()}});
}

void BlockScheduler::Silence(double ideal, bool atOnce, int64_t now) {
  std::lock_guard lock(mutex_);
  ScheduledMessage release{0, ideal, ScheduledMessage::Kind::kRelease, 0, {}};
  if (atOnce) {
    waiting_.clear();
    release.frame = now;
  } else {
    release.frame = FrameLocked(ideal);
    std::erase_if(waiting_, [&](const ScheduledMessage& m) { return m.frame > release.frame; });
  }
  waiting_.push_back(std::move(release));
}

int64_t BlockScheduler::NextBlock(const std::function<void(const ScheduledMessage&)>& apply) {
  const int64_t start = rendered_.load(std::memory_order_acquire);
  // Due here: every message whose frame is nearer this block's first frame than the next's.
  const int64_t limit = start + kBlockFrames / 2;
  std::vector<ScheduledMessage> due;
  {
    std::lock_guard lock(mutex_);
    while (!waiting_.empty() && waiting_.front().frame < limit) {
      if (waiting_.front().frame < start - kBlockFrames / 2) ++late_;
      due.push_back(std::move(waiting_.front()));
      waiting_.pop_front();
    }
    rendered_.store(start + kBlockFrames, std::memory_order_release);
  }
  for (const ScheduledMessage& message : due) apply(message);
  return start;
}

size_t BlockScheduler::Waiting() const {
  std::lock_guard lock(mutex_);
  return waiting_.size();
}

uint64_t BlockScheduler::LateCount() const {
  std::lock_guard lock(mutex_);
  return late_;
}

}  // namespace vondra
