#pragma once
// The wave list of the headless game and the tests: nothing sounds, plays are counted.
#include <vector>

#include "presentation/wave_list.h"

namespace pres {

class SilentWaveList final : public WaveList {
 public:
  int Add(std::span<const uint8_t> wavFile) override;
  void Play(int index) override;
  // Nothing ends in silence: every play so far counts as sounding.
  int SoundingCount() const override { return int(plays_.size()); }
  bool Available() const override { return false; }

  // Indices played, in order.
  const std::vector<int>& Plays() const { return plays_; }
  int PlayCount(int index) const;
  void ClearPlays() { plays_.clear(); }

 private:
  int count_ = 0;
  std::vector<int> plays_;
};

}  // namespace pres
