#include "game/flow/flow_reset.h"

#include "game/flow/flow_state.h"
#include "game/flow/game_progress.h"
#include "game/flow/game_watch.h"
#include "game/flow/high_scores.h"
#include "game/host/host_services.h"

namespace tolvane {

void ResetFlow() {
  ResetFlowState();
  ResetHighScores();
  ResetGameProgress();
  ResetHost();
  ResetGameWatch();
}

}  // namespace tolvane
