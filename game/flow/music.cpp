#include "game/flow/music.h"

#include "game/flow/file_names.h"
#include "game/shell/program_state.h"

namespace tolvane {

MusicCalls LibraryMusicCalls() {
  return {&mmsCreateHandle, &mmsPlay, &mmsFadeout, &mmsStop};
}

MusicCalls Music = LibraryMusicCalls();

void LoadTunes() {
  for (int32_t tune = 1; tune <= kTuneCount; ++tune) {
    const auto slot = static_cast<size_t>(tune);
    MusicHandle[slot] =
        Music.createHandle != nullptr ? Music.createHandle(TuneFileName(tune)) : nullptr;
  }
}

void PlayTune(int32_t tune, int32_t repeat) {
  if (tune < 1 || tune > kTuneCount || Music.play == nullptr) return;
  Music.play(MusicHandle[static_cast<size_t>(tune)], repeat);
}

void FadeoutMusic(int32_t fadeTime) {
  if (Music.fadeout != nullptr) Music.fadeout(fadeTime);
}

void StopMusic() {
  if (Music.stop != nullptr) Music.stop();
}

}  // namespace tolvane
