#pragma once
// Path fliers: enemies whose position is a fixed function of two angles in degrees that
// grow every frame (LoopFlier, ArcFlier, ArcFlierMirrored); each is freed when its path
// is done.
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// Path flier Work words: the angle of the horizontal and of the vertical motion, degrees.
inline constexpr int kPathAngleX = kPrivateWords + 0;
inline constexpr int kPathAngleY = kPrivateWords + 1;

}  // namespace tolvane
