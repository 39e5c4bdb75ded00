#pragma once
// Wavers: flashing enemies that cross the field leftward on a wavy or zigzag line.
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// Waver Work words.
inline constexpr int kWaverAngle = kPrivateWords + 0;      // 256ths of a turn
inline constexpr int kWaverHitPoints = kPrivateWords + 1;  // remembered for the hit flash

// Zigzag Work words.
inline constexpr int kZigzagDY = kPrivateWords + 0;         // -10 .. 9, one more each frame
inline constexpr int kZigzagDX = kPrivateWords + 1;         // leftward speed, slowing to 3
inline constexpr int kZigzagHitPoints = kPrivateWords + 2;  // remembered for the hit flash

}  // namespace tolvane
