#pragma once
// WandererBoss (code 100): roams the right of the screen from one random point to the next,
// drops seeds that can be shot, and below 5500 hit points takes its hurt look and answers
// each 100 points of damage with smoke and an aimed shot. Its first behaviour is declared
// with the other bosses' (boss_behaviours.h).
#include <cstdint>

namespace tolvane {

// Work words (start values from its spawn).
inline constexpr int kWandererTargetX = 0;
inline constexpr int kWandererTargetY = 1;
inline constexpr int kWandererSmoke = 2;          // smoke threshold, from 5500
inline constexpr int kWandererLastHitPoints = 3;  // for the hit flash

// Seeds: image 18, worth 50, 20 hit points, flying at 3 pixels a frame.
inline constexpr int32_t kWandererSeedScore = 50;
inline constexpr int32_t kWandererSeedHitPoints = 20;

}  // namespace tolvane
