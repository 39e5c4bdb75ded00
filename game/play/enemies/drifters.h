#pragma once
// Drifters: enemies that fly a straight line at a fixed velocity, firing now and then,
// until they leave the field. Several enemies end their lives as drifters.
#include <cstdint>

#include "game/engine/actor.h"
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// Drifter Work words.
inline constexpr int kDrifterDY = kPrivateWords + 0;         // pixels per frame, down
inline constexpr int kDrifterDX = kPrivateWords + 1;         // pixels per frame, right
inline constexpr int kDrifterChance = kPrivateWords + 2;     // EnemyFire chance; -1 never
inline constexpr int kDrifterShotSpeed = kPrivateWords + 3;  // EnemyFire speed

// The actor flies on as a Drifter from the next frame.
void BecomeDrifter(TActor& actor, int32_t dy, int32_t dx, int32_t chance, int32_t shotSpeed);

// The vertical drift of an enemy that turns away: down in the lower half, else up.
int32_t TurnAwayDrift(const TActor& actor);

}  // namespace tolvane
