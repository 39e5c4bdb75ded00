#include "game/flow/flow_reset.h"

#include "game/flow/flow_hooks.h"
#include "game/flow/flow_state.h"
#include "game/flow/game_progress.h"
#include "game/flow/game_watch.h"
#include "game/flow/high_scores.h"
#include "game/flow/music.h"

namespace tolvane {

void ResetFlow() {
  ResetFlowState();
  ResetHighScores();
  ResetGameProgress();
  ResetFlowHooks();
  ResetGameWatch();
  Music = LibraryMusicCalls();
}

}  // namespace tolvane
