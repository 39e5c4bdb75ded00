#include "game/flow/music.h"

#include "game/flow/file_names.h"
#include "game/host/host_services.h"
#include "game/host/program_state.h"

namespace tolvane {

void LoadTunes() {
  const MusicCalls& music = Host().music;
  for (int32_t tune = 1; tune <= kTuneCount; ++tune) {
    const auto slot = static_cast<size_t>(tune);
    MusicHandle[slot] =
        music.createHandle != nullptr ? music.createHandle(TuneFileName(tune)) : nullptr;
  }
}

void PlayTune(int32_t tune, int32_t repeat) {
  const MusicCalls& music = Host().music;
  if (tune < 1 || tune > kTuneCount || music.play == nullptr) return;
  music.play(MusicHandle[static_cast<size_t>(tune)], repeat);
}

void FadeoutMusic(int32_t fadeTime) {
  if (Host().music.fadeout != nullptr) Host().music.fadeout(fadeTime);
}

void StopMusic() {
  if (Host().music.stop != nullptr) Host().music.stop();
}

}  // namespace tolvane
