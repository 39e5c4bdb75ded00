// LoopFlier (code 6), ArcFlier (code 7) and ArcFlierMirrored (code 29).
#include "game/play/enemies/path_fliers.h"

#include "game/play/enemies/enemy_common.h"
#include "game/play/enemy_shots.h"
#include "game/play/play_field.h"
#include "game/play/play_math.h"

namespace tolvane {

namespace {

// The loop flier's path starts a quarter turn and a sixth of a turn in (degrees).
constexpr int32_t kLoopStartAngleX = 90;
constexpr int32_t kLoopStartAngleY = 60;

// A loop over the whole field: x = sin(a) x 290 + 270, y = cos(b) x 160 + 160, both angles
// +3 a frame, done once the horizontal angle passes 450.
constexpr int32_t kLoopStep = 3;
constexpr int32_t kLoopRadiusX = 290;
constexpr int32_t kLoopCentreX = 270;
constexpr int32_t kLoopEnd = 450;
constexpr int32_t kLoopChance = 50;

// A half circle out of the left edge: x = sin(a) x 160 - 30, y = cos(b) x 160 + 160, both
// angles +5 a frame, done once the horizontal angle passes 180.
constexpr int32_t kArcStep = 5;
constexpr int32_t kArcRadiusX = 160;
constexpr int32_t kArcCentreX = -30;
constexpr int32_t kArcEnd = 180;
constexpr int32_t kArcChance = 30;

// Both paths swing 160 pixels either side of the field's middle row.
constexpr int32_t kRadiusY = 160;
constexpr int32_t kCentreY = kFieldHeight / 2;

void Advance(TActor& actor, int32_t step) {
  actor.Work[kPathAngleX] += step;
  actor.Work[kPathAngleY] += step;
}

int32_t PathY(const TActor& actor) {
  return RoundToInt(CosDegrees(actor.Work[kPathAngleY]) * kRadiusY) + kCentreY;
}

void Arc(TActor& actor, bool mirrored) {
  Advance(actor, kArcStep);
  actor.X = RoundToInt(SinDegrees(actor.Work[kPathAngleX]) * kArcRadiusX) + kArcCentreX;
  actor.Y = mirrored ? kFieldHeight - PathY(actor) : PathY(actor);
  EnemyFire(actor, kArcChance, kAimedShotSpeed);
  if (actor.Work[kPathAngleX] > kArcEnd) actor.Active = 0;
}

}  // namespace

void LoopFlier(TActor& actor) {
  Advance(actor, kLoopStep);
  actor.X = RoundToInt(SinDegrees(actor.Work[kPathAngleX]) * kLoopRadiusX) + kLoopCentreX;
  actor.Y = PathY(actor);
  EnemyFire(actor, kLoopChance, kAimedShotSpeed);
  if (actor.Work[kPathAngleX] > kLoopEnd) actor.Active = 0;
}

void ArcFlier(TActor& actor) {
  Arc(actor, false);
}

// The same arc upside down: out of the upper left corner instead of the lower left.
void ArcFlierMirrored(TActor& actor) {
  Arc(actor, true);
}

void SpawnLoopFlier(TActor& actor) {
  actor.Work[kPathAngleX] = kLoopStartAngleX;
  actor.Work[kPathAngleY] = kLoopStartAngleY;
}

void SpawnArcFlier(TActor& actor) {
  actor.Work[kPathAngleX] = 0;
  actor.Work[kPathAngleY] = 0;
}

}  // namespace tolvane
