#pragma once
// A digest of the game data a game is played with: the five stage files as they lie in the
// data folder, the code tables of the play (stage codes, picture list, speed and animation
// tables, orb phases) and the size of every picture and pattern of the image archive. A
// replay recorded with other data would not play the same, so it is refused.
#include <cstdint>

namespace tolvane {

uint64_t GameDataDigest();

}  // namespace tolvane
