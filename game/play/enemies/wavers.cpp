// Waver (code 13) and Zigzag (codes 18 and 26).
#include "game/play/enemies/wavers.h"

#include "game/play/enemies/enemy_common.h"
#include "game/play/enemy_shots.h"
#include "game/play/play_math.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr int32_t kZigzagStartDY = -10;
constexpr int32_t kZigzagStartDX = 18;
constexpr int32_t kZigzagFastStartDX = 30;

// The waver: 3 pixels left a frame, on a wave of 3 pixels at 3/256 of a turn a frame.
constexpr int32_t kWaverSpeed = 3;
constexpr int32_t kWaverWaveHeight = 3;
constexpr int32_t kWaverWaveStep = 3;
constexpr int32_t kWaverChance = 100;

// The zigzag: its vertical speed climbs from -10 to 9 and starts again; its leftward
// speed falls by 1 a frame down to 3.
constexpr int32_t kZigzagTopDY = 9;
constexpr int32_t kZigzagRestartDY = -10;
constexpr int32_t kZigzagSlowestDX = 3;
constexpr int32_t kZigzagChance = 50;

}  // namespace

void Waver(TActor& actor) {
  HitFlash(actor, kWaverHitPoints);
  actor.X -= kWaverSpeed;
  actor.Y += RoundToInt(pres::Sin256(actor.Work[kWaverAngle]) * kWaverWaveHeight);
  actor.Work[kWaverAngle] += kWaverWaveStep;
  EnemyFire(actor, kWaverChance, kAimedShotSpeed);
  LeaveIfOff(actor, osLeft);
}

void Zigzag(TActor& actor) {
  HitFlash(actor, kZigzagHitPoints);
  auto& w = actor.Work;
  actor.X -= w[kZigzagDX];
  actor.Y += w[kZigzagDY];
  w[kZigzagDY] += 1;
  if (w[kZigzagDX] > kZigzagSlowestDX) w[kZigzagDX] -= 1;
  if (w[kZigzagDY] > kZigzagTopDY) w[kZigzagDY] = kZigzagRestartDY;
  EnemyFire(actor, kZigzagChance, kAimedShotSpeed);
  LeaveIfOff(actor, osLeft);
}

void SpawnWaver(TActor& actor) {
  actor.Work[kWaverAngle] = 0;
  actor.Work[kWaverHitPoints] = actor.Work[kHitPoints];
}

void SpawnZigzag(TActor& actor) {
  actor.Work[kZigzagDY] = kZigzagStartDY;
  actor.Work[kZigzagDX] = kZigzagStartDX;
  actor.Work[kZigzagHitPoints] = actor.Work[kHitPoints];
}

void SpawnZigzagFast(TActor& actor) {
  SpawnZigzag(actor);
  actor.Work[kZigzagDX] = kZigzagFastStartDX;
}

}  // namespace tolvane
