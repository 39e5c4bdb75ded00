#pragma once
// Homing missiles (weapon 2): each picks an enemy, steers toward it with a gain that
// grows every frame, bounces back off what it hits and is spent after step + 2 hits.
// With no enemy on the field it heads for DummyTarget at (550, 160).
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// Missile Work words (the damage is kShotDamage of player_shots.h).
inline constexpr int kMissileTarget = 40;  // slot of the enemy homed on; -1 none
inline constexpr int kMissileSpeedX = 41;  // velocity x 14
inline constexpr int kMissileSpeedY = 42;
inline constexpr int kMissileGain = 43;  // steering gain 1-100
inline constexpr int kMissileHits = 44;  // hits left

inline constexpr int32_t kNoTarget = -1;

// One missile of the weapon step (level div 10), 70 pixels ahead of (x, y).
TActor& LaunchMissile(int32_t x, int32_t y, int32_t step);
void MissileMove(TActor& actor);

// The slot of the enemy a missile near the reference actor should home on, or kNoTarget.
// Big enemies (worth more than 9999) are preferred unless something lies within reach;
// enemies already locked on are passed over unless close. The chosen one's LockCount
// goes up by one.
int32_t PickTarget(const TActor& reference);

}  // namespace tolvane
