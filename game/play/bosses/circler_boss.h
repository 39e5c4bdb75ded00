#pragma once
// CirclerBoss (codes 102, and 15 as a large enemy): circles about a base point that sweeps
// along the screen, firing now and then; every 400 frames (the first time after 200) it
// stands still for a volley of 101 shootable bullets. DrifterBoss (code 113) flies the same
// circles with other constants and no volleys.
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// Work words of the circling flight (start values from the spawn's set-up).
inline constexpr int kCircleSweepTarget = 0;
inline constexpr int kCircleBaseX = 1;
inline constexpr int kCircleBaseY = 2;
inline constexpr int kCircleAngleA = 3;  // degrees
inline constexpr int kCircleAngleB = 4;
inline constexpr int kCircleAngleC = 5;
inline constexpr int kCircleLastHitPoints = 6;  // for the hit flash
// CirclerBoss only.
inline constexpr int kCirclerPhaseClock = 7;  // 0-399 in flight; starts at 200
inline constexpr int kCirclerVolleyClock = 8;

// Volley bullets: worth 3 (a quiet kill), 1 hit point.
inline constexpr int32_t kVolleyBulletScore = 3;
inline constexpr int32_t kVolleyBulletHitPoints = 1;

// The shape of a circling flight: the base sweeps between two x at 1 pixel a frame; the
// radius swings with sin(c) and the angles a, b, c (degrees) grow by their steps.
// The base's x at the spawn of every circling flier.
inline constexpr int32_t kCircleStartX = 550;

struct CircleFlight {
  int32_t sweepEnd1;  // the first target is this end
  int32_t sweepEnd2;
  int32_t radius;
  int32_t stepA;
  int32_t stepB;
  int32_t stepC;
};

// The start of a circling flight: the base at (kCircleStartX, the spawn's y), heading for
// the flight's first sweep end, every angle 0.
void StartCircle(TActor& actor, const CircleFlight& flight);

// One frame of a circling flight: flash, sweep, place, fire, turn.
void FlyCircle(TActor& actor, const CircleFlight& flight);

// The volley: stands still, bullets from the 50th frame to the 150th.
void CirclerVolley(TActor& actor);

}  // namespace tolvane
