#pragma once
// A 64-bit digest of the game's state after a frame: the frame globals and every active
// actor, field by field. Procedure and table pointers count by their place inside the
// program file, so two runs of the same build give the same digests.
#include <cstdint>

namespace tolvane::headless {

uint64_t StateDigest();

}  // namespace tolvane::headless
