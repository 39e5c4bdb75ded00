#pragma once
// The named speed tables of the play. Rows (frames, speed) run from the slowest speed,
// used nearest the target, outward; the end row gives the speed at any greater distance.
// GlideTable and LaunchTable are the engine's own (the text effects share them).
#include <cstdint>

#include "game/engine/actor.h"
#include "game/engine/motion.h"

namespace tolvane {

// Every table of the play is walked with this bound (the engine never reads past a
// table's end row, so the shorter pull tables are safe with it too).
inline constexpr int32_t kSpeedTableHigh = 6;

inline constexpr SpeedRow RetreatTable[] = {
    {140, 1}, {40, 2}, {40, 6}, {20, 8}, {2, 10}, {2, 15}, {kSpeedTableEnd, 25},
};
inline constexpr SpeedRow SoftGlideTable[] = {
    {1, 1}, {2, 3}, {3, 4}, {4, 6}, {6, 9}, {8, 10}, {kSpeedTableEnd, 20},
};
inline constexpr SpeedRow SerpentTable[] = {
    {140, 1}, {80, 2}, {40, 3}, {20, 8}, {2, 10}, {2, 15}, {kSpeedTableEnd, 25},
};
// The pull of a charging boss on the player, and the stronger one once it is hurt.
inline constexpr SpeedRow PullTable[] = {
    {2, 1}, {10, 3}, {20, 5}, {30, 6}, {kSpeedTableEnd, 8},
};
inline constexpr SpeedRow StrongPullTable[] = {
    {2, 1}, {5, 3}, {10, 5}, {10, 6}, {kSpeedTableEnd, 8},
};

// One step of each axis toward (x, y) with the table: MoveBySpeedTable with the play's bound.
inline void MoveToward(TActor& actor, int32_t x, int32_t y, SpeedTable table) {
  MoveBySpeedTable(actor, x, y, kSpeedTableHigh, table);
}

}  // namespace tolvane
