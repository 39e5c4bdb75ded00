#pragma once
// The play field: the 480 x 320 screen, and the sides for "left the field on any edge".
#include <cstdint>

#include "game/engine/motion.h"
#include "presentation/display.h"

namespace tolvane {

inline constexpr int32_t kFieldWidth = pres::kScreenWidth;
inline constexpr int32_t kFieldHeight = pres::kScreenHeight;
inline constexpr int32_t osAnySide = osLeft + osRight + osTop + osBottom;

// The default spawn X of a stage record: just beyond the right edge.
inline constexpr int32_t kOffFieldRight = 550;

}  // namespace tolvane
