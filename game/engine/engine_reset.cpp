#include "game/engine/engine_reset.h"

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/random_streams.h"
#include "game/engine/screen_setup.h"
#include "game/engine/sound.h"
#include "game/engine/text_slots.h"

namespace tolvane {

void ResetEngineState() {
  ResetActorPool();
  ResetTextSlots();
  ResetRandomState();
  ResetFrameState();
  ResetScreenSetup();
  ResetSound();
}

}  // namespace tolvane
