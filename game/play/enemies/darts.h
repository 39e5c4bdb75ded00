#pragma once
// Darts: enemies flying a straight line from where they were launched toward a point
// (stage code 5, the frog's lunge, and the darts a boss throws). DartMove is their
// MoveProc; it keeps its line in the line-motion words of enemy_shots.h.
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// From the next frame the actor flies as a dart from its position toward the point at
// speed pixels per frame.
void AimDart(TActor& actor, int32_t targetX, int32_t targetY, int32_t speed);

}  // namespace tolvane
