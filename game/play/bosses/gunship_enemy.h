#pragma once
// GunshipEnemy (code 105, a large enemy, not a boss): comes in to x 350 soaking up damage,
// then opens up (700 hit points) and drifts left firing fans of 12 shots whose angle keeps
// turning, until it leaves by the left edge.
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// Work words (start values from its spawn).
inline constexpr int kGunshipLastHitPoints = 0;  // for the hit flash
inline constexpr int kGunshipFireClock = 1;
inline constexpr int kGunshipFanAngle = 2;  // 256ths

inline constexpr int32_t kGunshipAttackX = 350;  // where the approach ends
inline constexpr int32_t kGunshipAttackHitPoints = 700;
// Shots leave from here relative to the gunship.
inline constexpr int32_t kGunshipMuzzleX = -70;
inline constexpr int32_t kGunshipMuzzleY = 60;
// The fan starts this far short of the player, turns by this much per shot, and jumps back
// to the low angle once past the high one.
inline constexpr int32_t kGunshipFanLead = 15;
inline constexpr int32_t kGunshipFanStep = 3;
inline constexpr int32_t kGunshipFanLow = 64;
inline constexpr int32_t kGunshipFanHigh = 192;

// The attack: drifts left 1 pixel a frame, a shot a frame while the fire clock runs 20-31.
void GunshipAttack(TActor& actor);

}  // namespace tolvane
