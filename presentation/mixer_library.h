#pragma once
// SDL2_mixer's calls the sound effects use, taken from the library when the first wave list is
// made rather than at program start: the library brings the decoders and synthesizer of every
// music format with it, and the splash need not wait for them.
#include <SDL2/SDL_mixer.h>

namespace pres {

struct MixerCalls {
  decltype(&Mix_OpenAudio) openAudio = nullptr;
  decltype(&Mix_CloseAudio) closeAudio = nullptr;
  decltype(&Mix_AllocateChannels) allocateChannels = nullptr;
  decltype(&Mix_LoadWAV_RW) loadWav = nullptr;
  decltype(&Mix_FreeChunk) freeChunk = nullptr;
  decltype(&Mix_PlayChannelTimed) playChannelTimed = nullptr;
  decltype(&Mix_HaltChannel) haltChannel = nullptr;
  decltype(&Mix_Playing) playing = nullptr;
};

inline constexpr const char* kMixerLibraryName = "libSDL2_mixer-2.0.so.0";

// Takes the calls from the shared library `name`; false (after a line on standard error) when it
// cannot be loaded or lacks one of them.
bool OpenMixerCalls(const char* name, MixerCalls& calls);
// SDL2_mixer's calls, loaded on the first use and kept for the program's life; null when they
// cannot be had.
const MixerCalls* MixerLibrary();

}  // namespace pres
