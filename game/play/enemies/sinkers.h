#pragma once
// Sinkers and divers: fast enemies that cross the field leftward while falling or
// climbing, the sinkers on a curve (their vertical speed falls to 0 and grows again),
// the divers on a straight diagonal.
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// Sinker Work word: counts down by 1 a frame; its size is the vertical speed.
inline constexpr int kSinkerCurve = kPrivateWords + 0;

}  // namespace tolvane
