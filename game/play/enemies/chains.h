#pragma once
// Chains: a head followed by segments, each segment gliding after the one ahead of it.
// The Serpent grows its segments as it is hurt; the Snake is spawned with its body.
// Segments cannot be shot (Kind 1) and free themselves as soon as their head has gone or
// no longer runs its head behaviour, so the chain falls apart when the head dies.
#include <cstdint>

#include "game/engine/actor.h"
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// Serpent Work words.
inline constexpr int kSerpentLast = kPrivateWords + 0;       // slot of the last segment
inline constexpr int kSerpentThreshold = kPrivateWords + 1;  // grows below these hit points
// SerpentSegment Work words (the word between them is kept 0).
inline constexpr int kSerpentSegmentLeader = kPrivateWords + 0;  // slot of the actor ahead
inline constexpr int kSerpentSegmentBlank = kPrivateWords + 1;
inline constexpr int kSerpentSegmentHead = kPrivateWords + 2;  // slot of the serpent

// Snake Work words (its segments use kSegmentLeader and kSegmentHead).
inline constexpr int kSnakeAngle = kPrivateWords + 0;      // 256ths of a turn
inline constexpr int kSnakeHitPoints = kPrivateWords + 1;  // remembered for the hit flash

// A grown segment of the serpent.
void SerpentSegment(TActor& actor);

// A snake's head at (x, y) on the layer, taken after its 20 body segments so that they lie in
// lower slots and are drawn under it; the segments are told their leaders and the head.
TActor& NewSnakeWithBody(uint8_t layer, int32_t x, int32_t y);

}  // namespace tolvane
