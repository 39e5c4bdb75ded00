#pragma once
// Escort sprites (stage codes 152-154): friendly figures that fly in near the player for
// 50 frames, then leave to the right. They touch nothing.
#include "game/engine/actor.h"

namespace tolvane {

// Work word: frames flown.
inline constexpr int kEscortFrames = 0;

// Toward (70, player Y), level with the player.
void EscortToPlayer(TActor& actor);
// Toward (player X + 50, 36), above the player.
void EscortAbove(TActor& actor);
// Toward (player X + 50, 284), below the player.
void EscortBelow(TActor& actor);

// Their spawns: from outside the field, no frames flown.
void SpawnEscortLevel(TActor& actor);
void SpawnEscortAbove(TActor& actor);
void SpawnEscortBelow(TActor& actor);

}  // namespace tolvane
