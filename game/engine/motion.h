#pragma once
// Motion and collision helpers the behaviours call every frame: the off-screen test,
// eased approach driven by speed tables, and the hit-box overlap test.
#include <cstdint>
#include <span>

#include "game/engine/actor.h"

namespace tolvane {

// Sides for IsOffScreen, added together.
inline constexpr int32_t osLeft = 1;
inline constexpr int32_t osRight = 2;
inline constexpr int32_t osTop = 4;
inline constexpr int32_t osBottom = 8;

// 1 when the actor's unscaled box has left the screen on one of the given sides.
// Left edge exactly at 480 is still on screen; 481 is off.
int32_t IsOffScreen(const TActor& actor, int32_t sides);

// One row of a speed table: Frames at Speed. Rows run from the slowest speed (used
// closest to the target) outward; the last row has Frames kSpeedTableEnd and gives
// the speed at any greater distance.
struct SpeedRow {
  int32_t frames;
  int32_t speed;
};
inline constexpr int32_t kSpeedTableEnd = -999;
using SpeedTable = std::span<const SpeedRow>;

// The step to add to pos this frame toward target: the speed of the first row whose
// cumulative distance (sum of frames * speed) reaches the remaining distance. May
// overshoot; the next step then points back. high is the caller's count of the table's
// rows before its end row; it does not shorten the walk, which always runs to the end row.
int32_t SpeedStep(int32_t pos, int32_t target, SpeedTable table, int32_t high);
// X and Y each take one SpeedStep toward the target, independently.
void MoveBySpeedTable(TActor& actor, int32_t targetX, int32_t targetY, int32_t high,
                      SpeedTable table);

// 1 when the hit boxes (CenterX/CenterY * HitScale / 100 either side of the hot spot)
// overlap or touch. Scales and Kind are ignored; callers filter by Kind.
int32_t HitTest(const TActor& a, const TActor& b);

// Speed tables of the text effects: letters gliding in, and flying out.
inline constexpr SpeedRow GlideTable[] = {
    {1, 1}, {2, 3}, {3, 5}, {4, 8}, {6, 15}, {8, 30}, {kSpeedTableEnd, 48},
};
inline constexpr SpeedRow LaunchTable[] = {
    {1, 1}, {8, 48}, {4, 30}, {3, 15}, {8, 9}, {8, 4}, {kSpeedTableEnd, 2},
};
// Index of the end row of both text tables.
inline constexpr int32_t kTextTableHigh = 6;

}  // namespace tolvane
