#include "presentation/silent_wave_list.h"

#include <algorithm>

namespace pres {

int SilentWaveList::Add(std::span<const uint8_t>) {
  return count_++;
}

void SilentWaveList::Play(int index) {
  if (index >= 0 && index < count_) plays_.push_back(index);
}

int SilentWaveList::PlayCount(int index) const {
  return int(std::count(plays_.begin(), plays_.end(), index));
}

std::unique_ptr<WaveList> CreateSilentWaveList() {
  return std::make_unique<SilentWaveList>();
}

}  // namespace pres
