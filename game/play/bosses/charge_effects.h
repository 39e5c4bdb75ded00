#pragma once
// The charge of the beam bosses: a translucent orb that grows from 1 % to full size while
// particles stream in from a circle of 300 pixels around the boss. Each particle flies in a
// straight line toward where the boss stood when it was made, and ends near that point or
// once the boss's charge clock passes a limit.
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"

namespace tolvane {

inline constexpr int32_t kChargeOrbImage = pic::kChargeOrb;

// Particle Work words besides the line-motion words (start, target, speed, frames flown).
inline constexpr int kParticleOwner = 0;      // slot of the charging boss
inline constexpr int kParticleClockWord = 1;  // which of the boss's words is its charge clock
inline constexpr int kParticleEndClock = 2;   // the particle ends once that clock exceeds this

// The orb (Kind 1, so it hurts) at (x, y), alpha 100, 1 % of its size; its slot.
int32_t NewChargeOrb(int32_t x, int32_t y);
// The orb at `percent` of its size; nothing when the slot no longer holds the orb.
void ScaleChargeOrb(int32_t slot, int32_t percent);
// Frees the orb; nothing when the slot no longer holds it.
void FreeChargeOrb(int32_t slot);

// One particle toward the boss, ending once boss.Work[clockWord] exceeds clockLimit.
void SpawnChargeParticle(const TActor& boss, int clockWord, int32_t clockLimit);
void ChargeParticleMove(TActor& actor);

}  // namespace tolvane
