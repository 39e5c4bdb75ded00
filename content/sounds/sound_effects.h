#pragma once
// The game's seven sound effects, built from the descriptions in this folder and
// embedded in the program as WAV file images (8-bit mono 22050 Hz).
#include <cstdint>
#include <span>

#include "presentation/wave_list.h"

namespace tolvane {

int SoundEffectCount();
// The WAV image of effect index (wave-list order); empty for an index out of range.
std::span<const uint8_t> SoundEffectWav(int index);
// Adds every effect to the wave list, in index order.
void LoadSoundEffects(pres::WaveList& waves);

}  // namespace tolvane
