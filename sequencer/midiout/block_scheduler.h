#pragma once
// Places timed messages on the frames of an audio stream that is rendered block by block: each
// message is due at the frame of its ideal time plus a constant latency, and is handed over just
// before the block that holds that frame is rendered. The player thread adds messages; the
// thread that renders (an audio driver's, a capture sink's, the offline renderer's) takes them.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

namespace vondra {

struct ScheduledMessage {
  enum class Kind { kShort, kLong, kRelease };
  int64_t frame = 0;  // where it takes effect
  double ideal = 0;   // ms of song time, as the engine gave it
  Kind kind = Kind::kShort;
  uint32_t packed = 0;
  std::vector<uint8_t> bytes;  // System Exclusive, F0 first
};

class BlockScheduler {
 public:
  // The synthesizer renders in blocks of this many frames and starts what it is told only at a
  // block's first frame; a message is handed over before the block whose first frame is nearest.
  static constexpr int kBlockFrames = 64;

  BlockScheduler(int sampleRate, double latencyMs);

  void SetLatency(double ms);
  double LatencyMs() const;
  // A song begins: its ideal time 0 is `now` (a frame of the stream), heard `latency` later.
  void BeginSong(int64_t now);
  void Add(uint32_t packed, double ideal);
  void AddLong(std::span<const uint8_t> message, double ideal);
  // Playback ended at `ideal`. At once: everything still waiting is dropped and the notes are
  // released at `now`, the next block rendered. Otherwise (the song's own end) only what comes
  // after `ideal` is dropped, and the release takes its place at `ideal`.
  void Silence(double ideal, bool atOnce, int64_t now);

  // Hands the messages due in the next block to `apply`, in order, and moves on one block;
  // returns the block's first frame.
  int64_t NextBlock(const std::function<void(const ScheduledMessage&)>& apply);
  // First frame of the next block to be rendered.
  int64_t Rendered() const { return rendered_.load(std::memory_order_acquire); }
  // The frame ideal time `ideal` of the current song takes effect at.
  int64_t FrameOf(double ideal) const;
  size_t Waiting() const;
  // Messages that came after their block had been rendered (they go with the next one).
  uint64_t LateCount() const;

 private:
  int64_t FrameLocked(double ideal) const;
  void Insert(ScheduledMessage message);

  const int sampleRate_;
  mutable std::mutex mutex_;
  std::deque<ScheduledMessage> waiting_;  // in frame order, equal frames in arrival order
  double latencyMs_;
  int64_t origin_ = 0;  // frame of ideal time 0 without the latency
  uint64_t late_ = 0;
  std::atomic<int64_t> rendered_{0};
};

}  // namespace vondra
