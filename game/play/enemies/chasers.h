#pragma once
// Chasers: enemies that close in on a point or on the player by a speed table (Glider,
// Charger, Lunger, Popper). The Charger ends as a Drifter, the Lunger as a straight line.
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// Glider Work word: the height it glides to while it leaves to the left.
inline constexpr int kGliderTargetY = kPrivateWords + 0;

}  // namespace tolvane
