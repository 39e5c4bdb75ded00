#pragma once
// Hoppers: enemies that walk or hop along and change their step when they are hit. The
// Hopper jumps when hit while walking; the Frog hops and rests, and once hit turns into a
// dart at the player on its next hop frame.
#include "game/engine/actor.h"
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// Hopper Work words.
inline constexpr int kHopperHitPoints = kPrivateWords + 0;  // remembered; a change starts a jump
inline constexpr int kHopperRise = kPrivateWords + 1;       // vertical speed of the jump

// Frog Work words.
inline constexpr int kFrogDX = kPrivateWords + 0;         // leftward speed of the hop
inline constexpr int kFrogDY = kPrivateWords + 1;         // vertical speed of the hop
inline constexpr int kFrogRest = kPrivateWords + 2;       // rest frames left
inline constexpr int kFrogHitPoints = kPrivateWords + 3;  // as spawned; any change is a hit

// The Hopper's jump (Hopper itself is its walk).
void HopperJump(TActor& actor);
// The Frog's rest between hops (Frog itself is its hop).
void FrogRest(TActor& actor);

}  // namespace tolvane
