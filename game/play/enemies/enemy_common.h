#pragma once
// Small rules that the regular enemies and the bosses share: the hit flash, leaving the
// field, the usual speed of an aimed shot, and sines and cosines of whole degrees (the
// fixed flight paths are written in degrees; everything else turns in 256ths).
#include <cmath>
#include <cstdint>
#include <numbers>

#include "game/engine/actor.h"
#include "game/engine/motion.h"
#include "game/engine/random_streams.h"
#include "game/play/enemy_words.h"
#include "game/play/play_field.h"

namespace tolvane {

// The speed passed to EnemyFire by every enemy that fires plain aimed shots.
inline constexpr int32_t kAimedShotSpeed = 8;
// The fire chance of an enemy that never fires.
inline constexpr int32_t kNeverFire = -1;

// First thing in a flashing enemy's frame: it shows its flash form when its hit points
// differ from those remembered in Work[rememberedWord] last frame (it was hit since), and
// remembers the new value.
inline void HitFlash(TActor& actor, int rememberedWord) {
  const int32_t hitPoints = actor.Work[kHitPoints];
  actor.Flash = actor.Work[rememberedWord] != hitPoints ? 1 : 0;
  actor.Work[rememberedWord] = hitPoints;
}

// Frees the actor (no score) when it has left the field on one of the sides; true if so.
inline bool LeaveIfOff(TActor& actor, int32_t sides) {
  if (IsOffScreen(actor, sides) == 0) return false;
  actor.Active = 0;
  return true;
}

// The stream that places the enemies a stage record leaves to chance.
inline constexpr int32_t kPlaceStream = 1;

// X of an enemy placed at the record's X, or at random 100..99+range when the record left it
// to the default.
inline int32_t PlacedX(int32_t recordX, uint32_t range) {
  constexpr int32_t kPlacedMinX = 100;
  if (recordX != kOffFieldRight) return recordX;
  return kPlacedMinX + static_cast<int32_t>(RandomNext(kPlaceStream, range));
}

// Sine and cosine of an angle in degrees.
inline double SinDegrees(int32_t degrees) {
  return std::sin(degrees / 360.0 * 2 * std::numbers::pi);
}
inline double CosDegrees(int32_t degrees) {
  return std::cos(degrees / 360.0 * 2 * std::numbers::pi);
}

}  // namespace tolvane
