#include "presentation/silent_wave_list.h"

namespace pres {

int SilentWaveList::Add(std::span<const uint8_t>) {
  counts_.push_back(0);
  return int(counts_.size()) - 1;
}

void SilentWaveList::Play(int index) {
  if (index < 0 || index >= int(counts_.size())) return;
  ++counts_[size_t(index)];
  ++total_;
  latest_.push_back(index);
  if (latest_.size() > kKeptPlays) latest_.pop_front();
}

int SilentWaveList::PlayCount(int index) const {
  return index >= 0 && index < int(counts_.size()) ? counts_[size_t(index)] : 0;
}

void SilentWaveList::ClearPlays() {
  counts_.assign(counts_.size(), 0);
  total_ = 0;
  latest_.clear();
}

std::unique_ptr<WaveList> CreateSilentWaveList() {
  return std::make_unique<SilentWaveList>();
}

}  // namespace pres
