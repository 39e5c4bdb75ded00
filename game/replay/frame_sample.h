#pragma once
// What one frame of a game is given, as a replay keeps it: the 36 input states as the game
// samples them, the keys the title key watcher reads by their own codes (the developer
// sequence and chords), and whether the frame went undrawn. The bit layout is fixed by the
// replay file: do not reorder.
#include <array>
#include <cstdint>

#include "presentation/input_device.h"
#include "presentation/virtual_keys.h"

namespace tolvane {

using FrameSample = uint64_t;

inline constexpr int kSampleFirstKeyBit = pres::kInputStateCount;  // bits 0-35: input states
inline constexpr std::array<int, 16> kSampledKeys = {
    'M',           'O', 'V', 'R', 'A', 'T', 'I', 'L', pres::vk::kSpace, pres::vk::kControl,
    pres::vk::kUp, 'E', '2', '3', '4', '5'};
inline constexpr int kSampleSkippedBit = kSampleFirstKeyBit + int(kSampledKeys.size());
inline constexpr int kSampleBits = kSampleSkippedBit + 1;
inline constexpr FrameSample kSkippedFrame = FrameSample{1} << kSampleSkippedBit;

// The input as the device gives it now (call after InputDevice::Update).
FrameSample SampleInput(const pres::InputDevice& input);
// Makes the device give the sample's input until the next feed.
void FeedInput(FrameSample sample, pres::InputDevice& input);

}  // namespace tolvane
