#pragma once
// The game flow's music: the six tunes loaded at boot into the main window's handle slots
// (numbered 1-6, the five stages and the ending) and the play, fade and stop calls. The
// calls go through a table so tests can watch them; it holds the sequencer library's
// exports unless replaced. An entry left empty does nothing.
#include <cstdint>

#include "vondra.h"

namespace tolvane {

struct MusicCalls {
  SongHandle (*createHandle)(const char* fileName);
  int32_t (*play)(SongHandle handle, int32_t repeat);
  void (*fadeout)(int32_t fadeTime);
  void (*stop)();
};

// The library's exports.
MusicCalls LibraryMusicCalls();
extern MusicCalls Music;

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
