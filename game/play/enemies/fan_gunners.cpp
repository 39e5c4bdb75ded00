// FanGunnerLow (code 23) and FanGunnerHigh (code 24): approach, fans, then a Drifter.
#include "game/play/enemies/drifters.h"
#include "game/play/enemies/enemy_common.h"
#include "game/play/enemies/gunners.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"

namespace tolvane {

namespace {

// It comes in 13 pixels a frame until level with the player, waits there 19 frames, fires
// 16 frames of fans and drifts off to the left at its approach speed.
constexpr int32_t kApproachSpeed = 13;
constexpr int32_t kWaitEnd = 20;
constexpr int32_t kFanFrames = 16;
// A fan: nine shots 16/256 of a turn apart over half a turn, from the first angle: the
// low gunner's fan opens downward from straight right, the high one's upward from
// straight left.
constexpr int32_t kFanShots = 9;
constexpr int32_t kFanStep = 16;
constexpr int32_t kLowFanFirst = 0;
constexpr int32_t kHighFanFirst = 128;
constexpr int32_t kFanShotSpeed = 8;

void Approach(TActor& actor, MoveProc fan) {
  auto& w = actor.Work;
  if (w[kFanCount] == 0) {
    actor.X -= kApproachSpeed;
    if (actor.X > PlayerActor->X) return;
  }
  w[kFanCount] += 1;
  if (w[kFanCount] >= kWaitEnd) {
    w[kFanCount] = 0;
    actor.Move = fan;
  }
}

void Fan(TActor& actor, int32_t firstAngle) {
  for (int32_t i = 0; i < kFanShots; ++i) {
    TActor& shot =
        NewPolarShot(kBulletImage, actor.X, actor.Y, firstAngle + i * kFanStep, kFanShotSpeed);
    shot.PatternPeriod = kBulletPatternPeriod;
  }
  actor.Work[kFanCount] += 1;
  if (actor.Work[kFanCount] >= kFanFrames) {
    actor.Work[kFanCount] = 0;
    BecomeDrifter(actor, 0, -kApproachSpeed, kNeverFire, kAimedShotSpeed);
  }
}

}  // namespace

void FanGunnerLow(TActor& actor) {
  Approach(actor, FanGunnerLowFan);
}

void FanGunnerHigh(TActor& actor) {
  Approach(actor, FanGunnerHighFan);
}

void FanGunnerLowFan(TActor& actor) {
  Fan(actor, kLowFanFirst);
}

void FanGunnerHighFan(TActor& actor) {
  Fan(actor, kHighFanFirst);
}

void SpawnFanGunner(TActor& actor) {
  actor.Work[kFanCount] = 0;
}

}  // namespace tolvane
