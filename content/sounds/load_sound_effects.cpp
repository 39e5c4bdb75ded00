#include "content/sounds/sound_effects.h"

namespace tolvane {

void LoadSoundEffects(pres::WaveList& waves) {
  for (int i = 0; i < SoundEffectCount(); ++i) waves.Add(SoundEffectWav(i));
}

}  // namespace tolvane
