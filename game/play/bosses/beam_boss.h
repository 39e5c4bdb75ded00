#pragma once
// BeamBoss (code 107): patrols low on the screen firing growing shots; every cycle it flies
// to (430, 70), charges an orb for 100 frames while pulling the player in, then fires a beam
// of 19 segments at where the player was and returns to its patrol. Once hurt below 6000 hit
// points its shots are faster and its pull stronger.
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"

namespace tolvane {

// Work words (start values from its spawn).
inline constexpr int kBeamSweepTarget = 0;  // x, 270 or 450
inline constexpr int kBeamBaseX = 1;
inline constexpr int kBeamBaseY = 2;
inline constexpr int kBeamAngleA = 3;  // degrees
inline constexpr int kBeamAngleB = 4;
inline constexpr int kBeamAngleC = 5;
inline constexpr int kBeamLastHitPoints = 6;  // for the hit flash
inline constexpr int kBeamPhaseClock = 7;
inline constexpr int kBeamSmoke = 8;      // smoke threshold, from 6000
inline constexpr int kBeamStepClock = 9;  // shot clock in the patrol, charge and beam steps
inline constexpr int kBeamAngle = 10;     // 256ths
inline constexpr int kBeamHurt = 11;      // 1 once it has smoked
inline constexpr int kBeamOrb = 12;       // slot of the charge orb

// The cycle by the phase clock.
inline constexpr int32_t kBeamPatrolEnd = 199;
inline constexpr int32_t kBeamOrbAppears = 200;
inline constexpr int32_t kBeamFires = 500;
// Where it charges.
inline constexpr int32_t kBeamChargeX = 430;
inline constexpr int32_t kBeamChargeY = 70;
inline constexpr int32_t kBeamChargeFrames = 100;
inline constexpr int32_t kBeamSegments = 19;
inline constexpr int32_t kBeamSegmentImage = pic::kBeamSegment;

// Every look after the spawn moves the hot spot 80 right of and 20 below the picture's centre.
void SetBeamLook(TActor& boss, int32_t image, int32_t flashImage);

}  // namespace tolvane
