// Hopper (code 14) and Frog (code 16).
#include "game/play/enemies/hoppers.h"

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/play/enemies/darts.h"
#include "game/play/enemies/enemy_common.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"

namespace tolvane {

namespace {

constexpr int32_t kFrogStartDX = 12;
constexpr int32_t kFrogStartDY = -5;

// The hopper walks 3 pixels left a frame; a jump starts rising at 20 and ends when its
// vertical speed reaches 15 (35 frames). Its looks: walking (cycling), taking off,
// coming down.
constexpr int32_t kHopperSpeed = 3;
constexpr int32_t kJumpStartRise = -20;
constexpr int32_t kJumpEndRise = 15;
constexpr int32_t kJumpTopRise = -1;  // the last rising frame: the look turns to falling
constexpr int32_t kHopperWalkImage = pic::kHopper;
constexpr int32_t kHopperFallImage = pic::kHopperFall;
constexpr int32_t kHopperJumpImage = pic::kHopperRise;
constexpr int32_t kHopperWalkPatternPeriod = 5;
constexpr int32_t kHopperChance = 30;

// The frog hops 10 frames (starting 12 left and 5 up a frame, each frame one slower and
// one lower) and rests 5; its rest look is pattern 1.
constexpr int32_t kHopStartDX = 12;
constexpr int32_t kHopStartDY = -5;
constexpr int32_t kHopLastDY = 4;
constexpr int32_t kRestFrames = 5;
constexpr int32_t kHopPattern = 0;
constexpr int32_t kRestPattern = 1;
// Once hit it lunges at the player as a dart.
constexpr int32_t kFrogDartImage = pic::kFrogLeap;
constexpr int32_t kFrogDartHitScale = 50;
constexpr int32_t kFrogDartSpeed = 30;
constexpr int32_t kFrogChance = 100;

}  // namespace

void Hopper(TActor& actor) {
  actor.X -= kHopperSpeed;
  EnemyFire(actor, kHopperChance, kAimedShotSpeed);
  if (actor.Work[kHitPoints] != actor.Work[kHopperHitPoints]) {
    actor.Work[kHopperRise] = kJumpStartRise;
    SetImage(actor, kHopperJumpImage);
    actor.PatternPeriod = 0;
    actor.Pattern = 0;
    actor.Move = HopperJump;
  }
  LeaveIfOff(actor, osLeft + osTop);
}

// Hits during a jump start none: the remembered hit points are taken when it lands.
void HopperJump(TActor& actor) {
  auto& w = actor.Work;
  actor.X -= kHopperSpeed;
  actor.Y += w[kHopperRise];
  EnemyFire(actor, kHopperChance, kAimedShotSpeed);
  const int32_t rise = w[kHopperRise]++;
  if (rise == kJumpTopRise) SetImage(actor, kHopperFallImage);
  if (w[kHopperRise] == kJumpEndRise) {
    w[kHopperHitPoints] = w[kHitPoints];
    SetImage(actor, kHopperWalkImage);
    actor.PatternPeriod = kHopperWalkPatternPeriod;
    actor.Move = Hopper;
  }
  LeaveIfOff(actor, osLeft + osTop);
}

void Frog(TActor& actor) {
  auto& w = actor.Work;
  actor.X -= w[kFrogDX];
  actor.Y += w[kFrogDY];
  w[kFrogDX] -= 1;
  const int32_t dy = w[kFrogDY]++;
  if (dy == kHopLastDY) {
    actor.Pattern = kRestPattern;
    w[kFrogRest] = kRestFrames;
    actor.Move = FrogRest;
  }
  if (w[kHitPoints] != w[kFrogHitPoints]) {
    SetImage(actor, kFrogDartImage);
    actor.Pattern = 0;
    actor.HitScale = kFrogDartHitScale;
    AimDart(actor, PlayerActor->X, PlayerActor->Y, kFrogDartSpeed);
  }
  EnemyFire(actor, kFrogChance, kAimedShotSpeed);
  LeaveIfOff(actor, osLeft);
}

// A hit while resting shows only on the next hop frame.
void FrogRest(TActor& actor) {
  auto& w = actor.Work;
  const int32_t rest = w[kFrogRest]--;
  if (rest == 1) {
    actor.Pattern = kHopPattern;
    w[kFrogDX] = kHopStartDX;
    w[kFrogDY] = kHopStartDY;
    actor.Move = Frog;
  }
  EnemyFire(actor, kFrogChance, kAimedShotSpeed);
}

void SpawnHopper(TActor& actor) {
  actor.Work[kHopperHitPoints] = actor.Work[kHitPoints];
  actor.Work[kHopperRise] = 0;
}

// Its first hop: 12 pixels left and 5 up a frame, with no rest before it.
void SpawnFrog(TActor& actor) {
  actor.Work[kFrogDX] = kFrogStartDX;
  actor.Work[kFrogDY] = kFrogStartDY;
  actor.Work[kFrogRest] = 0;
  actor.Work[kFrogHitPoints] = actor.Work[kHitPoints];
}

}  // namespace tolvane
