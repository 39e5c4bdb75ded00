#pragma once
// Gunners: enemies that come in, stop, pour out a stream of shots and go. The Gunner
// sprays along one aim and backs out to the right; the fan gunners wait level with the
// player, fire fans of nine shots and drift off to the left. The fan gunners cannot be
// shot (Kind 1).
#include "game/engine/actor.h"
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// Gunner Work words.
inline constexpr int kGunnerHitPoints = kPrivateWords + 0;  // remembered for the hit flash
inline constexpr int kGunnerAim = kPrivateWords + 1;        // 256ths of a turn
inline constexpr int kGunnerBursts = kPrivateWords + 2;     // firing frames left

// Fan gunner Work word: frames waited level with the player, then fan frames fired.
inline constexpr int kFanCount = kPrivateWords + 0;

// The Gunner's states after its approach (Gunner itself).
void GunnerFiring(TActor& actor);
void GunnerLeaving(TActor& actor);
// The fan states of the two fan gunners (their approach is FanGunnerLow/FanGunnerHigh).
void FanGunnerLowFan(TActor& actor);
void FanGunnerHighFan(TActor& actor);

}  // namespace tolvane
