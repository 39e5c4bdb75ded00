#pragma once
// The wave list of the headless game and the tests: nothing sounds, plays are counted.
#include <deque>
#include <vector>

#include "presentation/wave_list.h"

namespace pres {

class SilentWaveList final : public WaveList {
 public:
  int Add(std::span<const uint8_t> wavFile) override;
  void Play(int index) override;
  // Nothing ends in silence: every play so far counts as sounding.
  int SoundingCount() const override { return total_; }
  bool Available() const override { return false; }

  // Indices played, in order: the latest kKeptPlays, so that a headless run of millions of
  // frames keeps its memory; the counts cover every play.
  static constexpr size_t kKeptPlays = 4096;
  std::vector<int> Plays() const { return {latest_.begin(), latest_.end()}; }
  int PlayCount(int index) const;
  void ClearPlays();

 private:
  std::vector<int> counts_;  // plays of each sound
  int total_ = 0;
  std::deque<int> latest_;
};

}  // namespace pres
