#include "game/flow/flow_state.h"

namespace tolvane {

int32_t KeySequenceIndex = 0;
bool MusicEnabled = false;
int32_t StartStage = 1;
std::array<int32_t, kStartWeapons> StartWeaponLevel = {1, 1, 1};

void ResetFlowState() {
  KeySequenceIndex = 0;
  MusicEnabled = false;
  StartStage = 1;
  StartWeaponLevel = {1, 1, 1};
}

}  // namespace tolvane
