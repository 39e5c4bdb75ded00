#include "presentation/mixer_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <optional>

namespace pres {
namespace {

template <typename Call>
bool Find(void* library, const char* symbol, Call& call) {
  call = reinterpret_cast<Call>(dlsym(library, symbol));
  return call != nullptr;
}

}  // namespace

bool OpenMixerCalls(const char* name, MixerCalls& calls) {
  void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "tolvane: sound effects are off: %s\n", dlerror());
    return false;
  }
  if (Find(library, "Mix_OpenAudio", calls.openAudio) &&
      Find(library, "Mix_CloseAudio", calls.closeAudio) &&
      Find(library, "Mix_AllocateChannels", calls.allocateChannels) &&
      Find(library, "Mix_LoadWAV_RW", calls.loadWav) &&
      Find(library, "Mix_FreeChunk", calls.freeChunk) &&
      Find(library, "Mix_PlayChannelTimed", calls.playChannelTimed) &&
      Find(library, "Mix_HaltChannel", calls.haltChannel) &&
      Find(library, "Mix_Playing", calls.playing)) {
    return true;
  }
  std::fprintf(stderr, "tolvane: sound effects are off: %s lacks a call\n", name);
  dlclose(library);
  return false;
}

const MixerCalls* MixerLibrary() {
  // Tried once; the calls stay valid while the program runs.
  static const std::optional<MixerCalls> loaded = []() -> std::optional<MixerCalls> {
    MixerCalls calls;
    if (!OpenMixerCalls(kMixerLibraryName, calls)) return std::nullopt;
    return calls;
  }();
  return loaded ? &*loaded : nullptr;
}

}  // namespace pres
