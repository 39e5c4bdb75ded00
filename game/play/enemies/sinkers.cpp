// SinkerDown (code 19), SinkerUp (code 20), DiverDown (code 25), DiverUp (code 27).
#include "game/play/enemies/sinkers.h"

#include <cstdlib>

#include "game/play/enemies/enemy_common.h"
#include "game/play/enemy_shots.h"

namespace tolvane {

namespace {

constexpr int32_t kSinkerStartCurve = 20;
// Divers come from above or below the field, at the record's X or at random 100-579.
constexpr uint32_t kDiverXRange = 480;
constexpr int32_t kDiverDownY = -30;
constexpr int32_t kDiverUpY = 350;

constexpr int32_t kSinkerSpeed = 14;
constexpr int32_t kSinkerChance = 70;
constexpr int32_t kDiverSpeed = 13;  // on each axis
constexpr int32_t kDiverChance = 70;

// Down: +1, up: -1.
void Sink(TActor& actor, int32_t direction, int32_t leaveSide) {
  actor.X -= kSinkerSpeed;
  actor.Y += direction * std::abs(actor.Work[kSinkerCurve]);
  actor.Work[kSinkerCurve] -= 1;
  EnemyFire(actor, kSinkerChance, kAimedShotSpeed);
  LeaveIfOff(actor, osLeft + leaveSide);
}

void Dive(TActor& actor, int32_t direction, int32_t leaveSide) {
  actor.X -= kDiverSpeed;
  actor.Y += direction * kDiverSpeed;
  EnemyFire(actor, kDiverChance, kAimedShotSpeed);
  LeaveIfOff(actor, osLeft + leaveSide);
}

}  // namespace

void SinkerDown(TActor& actor) {
  Sink(actor, 1, osBottom);
}

void SinkerUp(TActor& actor) {
  Sink(actor, -1, osTop);
}

// Divers come in from beyond the top (down) or the bottom (up) edge, which they never
// test; they leave by the left or the far edge.
void DiverDown(TActor& actor) {
  Dive(actor, 1, osBottom);
}

void DiverUp(TActor& actor) {
  Dive(actor, -1, osTop);
}

void SpawnSinker(TActor& actor) {
  actor.Work[kSinkerCurve] = kSinkerStartCurve;
}

void SpawnDiverDown(TActor& actor) {
  actor.X = PlacedX(actor.X, kDiverXRange);
  actor.Y = kDiverDownY;
}

void SpawnDiverUp(TActor& actor) {
  actor.X = PlacedX(actor.X, kDiverXRange);
  actor.Y = kDiverUpY;
}

}  // namespace tolvane
