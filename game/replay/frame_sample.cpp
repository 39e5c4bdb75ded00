#include "game/replay/frame_sample.h"

namespace tolvane {
namespace {

constexpr uint64_t kStateMask = (uint64_t{1} << pres::kInputStateCount) - 1;

}  // namespace

FrameSample SampleInput(const pres::InputDevice& input) {
  FrameSample sample = input.States() & kStateMask;
  for (size_t k = 0; k < kSampledKeys.size(); ++k) {
    if (input.KeyIsDown(kSampledKeys[k])) sample |= FrameSample{1} << (kSampleFirstKeyBit + k);
  }
  return sample;
}

void FeedInput(FrameSample sample, pres::InputDevice& input) {
  std::array<int, kSampledKeys.size()> down{};
  size_t count = 0;
  for (size_t k = 0; k < kSampledKeys.size(); ++k) {
    if ((sample >> (kSampleFirstKeyBit + k) & 1) != 0) down[count++] = kSampledKeys[k];
  }
  input.Feed(sample & kStateMask, std::span<const int>(down.data(), count));
}

}  // namespace tolvane
