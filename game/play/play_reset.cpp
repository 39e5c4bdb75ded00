#include "game/play/play_reset.h"

#include "game/play/game_state.h"
#include "game/play/stage_script.h"

namespace tolvane {

void ResetPlayState() {
  ResetGameState();
  ResetStageScript();
}

}  // namespace tolvane
