#pragma once
// SpiralBoss (code 108): roams in straight legs between random points, wobbling and firing
// now and then; every 350 frames it stops, waits, and throws out a spiral of shots that
// turns one way for 50 frames and back for 50.
#include <cstdint>

#include "content/images/picture_ids.h"

namespace tolvane {

// Work words (start values from its spawn). The current leg runs from its start to its
// target in the line-motion words (enemy_shots.h): kOriginX/Y the start, kTargetX/Y the
// target, kShotSpeed its speed, kShotFrames the steps taken.
inline constexpr int kSpiralBaseX = 1;
inline constexpr int kSpiralBaseY = 2;
inline constexpr int kSpiralAngleA = 3;  // 256ths
inline constexpr int kSpiralAngleB = 4;
inline constexpr int kSpiralAngleC = 5;
inline constexpr int kSpiralLastHitPoints = 6;  // for the hit flash
inline constexpr int kSpiralPhaseClock = 7;     // 1-350
inline constexpr int kSpiralSmoke = 8;          // smoke threshold, from 6000
inline constexpr int kSpiralSpareA = 9;         // cleared at the spawn, read by nothing
inline constexpr int kSpiralAngle = 10;         // the spiral's angle, 256ths (from 6000)
inline constexpr int kSpiralSpareB = 11;        // cleared at the spawn, read by nothing

// The cycle by the phase clock.
inline constexpr int32_t kSpiralRoamEnd = 200;    // roams below this, changes look at it
inline constexpr int32_t kSpiralTurnStart = 250;  // spirals from here
inline constexpr int32_t kSpiralTurnBack = 300;   // and turns back from here
inline constexpr int32_t kSpiralCycle = 350;
// Spiral shots.
inline constexpr int32_t kSpiralShotImage = pic::kSpiralShot;
inline constexpr int32_t kSpiralTurn = 19;
inline constexpr int32_t kSpiralTurnBackStep = 14;

}  // namespace tolvane
