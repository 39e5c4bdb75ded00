#pragma once
// The state a game begins from: taken when NewGame is about to run, and put back so that a
// replay's first frame runs NewGame on the same pool, with the same leftovers in every slot,
// the same options, random streams and high-score table.
#include <array>

#include "game/engine/actor.h"
#include "game/replay/replay_record.h"

namespace tolvane {

// The animation tables a freed slot may keep, by their index in the replay file. A table
// missing here is kept as index 0 (none). Fixed by the file: only append.
const std::array<const AnimRow*, 4>& KnownAnimTables();

StartState CaptureStartState(const TActor& newGameActor);

// The game's state as `start` holds it, every slot free but the one that runs NewGame in
// the next frame, FrameCount one short of the game's first frame, and a SceneProc that
// hands over to TitleKeyWatcher (it ran in the recorded frame before NewGame did).
void RestoreStartState(const StartState& start);

}  // namespace tolvane
