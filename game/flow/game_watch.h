#pragma once
// Who follows the course of games from outside the flow (the replay recorder): told when a
// game begins and when the title is built again. Both may be nullptr.
#include "game/engine/actor.h"

namespace tolvane {

using GameStartWatch = void (*)(TActor& newGameActor);
using TitleWatch = void (*)();
// NewGame, before it clears the pool: the actor running it is still where it was.
extern GameStartWatch OnGameStart;
// TitleSetup, before it clears the pool.
extern TitleWatch OnTitle;

// While false, a finished name entry changes the high-score table in memory only: a replay
// being watched must leave the stored table alone.
extern bool StoreHighScores;

// No watchers, the table stored (tests).
void ResetGameWatch();

}  // namespace tolvane
