#include "game/flow/play_pause.h"

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/flow/game_progress.h"
#include "game/play/game_state.h"
#include "game/play/stage_script.h"

namespace tolvane {

bool PlayIsPausable() {
  const TActor& stage = *StageActor;
  if (&stage == &ScratchActor || stage.Active == 0) return false;
  const bool staged =
      stage.Move == StageStart || stage.Move == RunStageScript || stage.Move == StageClear;
  return staged && MenuKeysFrame != FrameCount;
}

}  // namespace tolvane
