#include "game/engine/sound.h"

#include "presentation/services.h"

namespace tolvane {

uint8_t SoundEnabled = 0;

void PlaySound(int32_t index) {
  if (SoundEnabled != 0) PlayWave(index);
}

void PlayWave(int32_t index) {
  pres::WaveList* waves = pres::Services().waves;
  if (waves == nullptr || index < 0 || index >= kSoundCount) return;
  waves->Play(index);
}

void ResetSound() {
  SoundEnabled = 0;
}

}  // namespace tolvane
