#pragma once
// LancerBoss (code 104): swings about a base that sweeps up and down the screen, firing an
// aimed shot every 11 frames; every 300 frames it winds up, throws a lance that takes 1000
// points to shoot down and dips. Below 5000 hit points the patrol and wind-up run four times
// as fast.
#include <cstdint>

#include "content/images/picture_ids.h"

namespace tolvane {

// Work words (start values from its spawn).
inline constexpr int kLancerSweepTarget = 0;  // y, 270 then 50
inline constexpr int kLancerBaseX = 1;
inline constexpr int kLancerBaseY = 2;
inline constexpr int kLancerAngleA = 3;  // degrees
inline constexpr int kLancerAngleB = 4;
inline constexpr int kLancerAngleC = 5;
inline constexpr int kLancerLastHitPoints = 6;  // for the hit flash
inline constexpr int kLancerPhaseClock = 7;     // 1-300
inline constexpr int kLancerSmoke = 8;          // smoke threshold, from 5000
inline constexpr int kLancerShotClock = 9;
inline constexpr int kLancerHurry = 10;  // below this the cycle hurries (5000)

// The cycle by the phase clock.
inline constexpr int32_t kLancerWindUp = 200;
inline constexpr int32_t kLancerThrow = 250;
inline constexpr int32_t kLancerCycle = 300;

inline constexpr int32_t kLanceImage = pic::kLance;
inline constexpr int32_t kLanceScore = 10;
inline constexpr int32_t kLanceHitPoints = 1000;

}  // namespace tolvane
