#pragma once
// The game flow's music: the six tunes loaded at boot into the main window's handle slots
// (numbered 1-6, the five stages and the ending) and the play, fade and stop calls, made
// through the host record's music calls (game/host/host_services.h).
#include <cstdint>

namespace tolvane {

inline constexpr int32_t kPlayOnce = 0;
inline constexpr int32_t kPlayLooping = 1;

// Creates the handles of tunes 1-6 from their bare file names. A file that cannot be
// read gives handle 0, which later plays nothing.
void LoadTunes();
// Plays tune 1-6 (any other number plays nothing).
void PlayTune(int32_t tune, int32_t repeat);
void FadeoutMusic(int32_t fadeTime);
void StopMusic();

}  // namespace tolvane
