#include "game/play/bosses/lancer_boss.h"

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/play_math.h"

namespace tolvane {

namespace {

constexpr int32_t kLancerFirstSweep = 270;
constexpr int32_t kLancerStartX = 350;
constexpr int32_t kLancerStartY = -100;
constexpr int32_t kLancerFirstSmoke = 5000;
constexpr int32_t kLancerHurryBelow = 5000;

constexpr int32_t kSweepTop = 50;
constexpr int32_t kSweepBottom = 270;
constexpr int32_t kSweepStep = 2;
constexpr int32_t kRadius = 100;
constexpr int32_t kStepA = 3;
constexpr int32_t kStepB = 5;
constexpr int32_t kStepC = 1;

// Hurt, the clock runs 3 frames more per frame until it reaches this.
constexpr int32_t kHurryEnd = 240;
constexpr int32_t kHurryExtra = 3;

// Patrol: an aimed shot whenever the shot clock passes 10.
constexpr int32_t kShotInterval = 10;
constexpr int32_t kAlways = 1000;

constexpr int32_t kPatrolImage = pic::kLancer;
constexpr int32_t kPatrolFlashImage = pic::kLancerFlash;
constexpr int32_t kPatrolPatternPeriod = 5;
constexpr int32_t kWindUpImage = pic::kLancerWindup;
constexpr int32_t kWindUpFlashImage = pic::kLancerWindupFlash;
constexpr int32_t kWindUpShiftX = 8;
constexpr int32_t kDipImage = pic::kLancerThrow;
constexpr int32_t kDipFlashImage = pic::kLancerThrowFlash;
constexpr int32_t kDipShiftY = 37;

constexpr int32_t kLanceOffsetX = 30;
constexpr int32_t kLanceOffsetY = -20;
constexpr int32_t kLanceSpeed = 25;

void Swing(TActor& actor) {
  auto& w = actor.Work;
  w[kLancerSweepTarget] =
      NextSweepTarget(w[kLancerSweepTarget], w[kLancerBaseY], kSweepTop, kSweepBottom);
  w[kLancerBaseY] = StepToward(w[kLancerBaseY], w[kLancerSweepTarget], kSweepStep);
  const int32_t r = RoundToInt(kRadius * CosDeg(w[kLancerAngleC]));
  actor.X = w[kLancerBaseX] + RoundToInt(SinDeg(w[kLancerAngleA]) * r);
  actor.Y = w[kLancerBaseY] + RoundToInt(r * SinDeg(w[kLancerAngleB]));
  w[kLancerAngleA] += kStepA;
  w[kLancerAngleB] += kStepB;
  w[kLancerAngleC] += kStepC;
}

void ThrowLance(const TActor& actor) {
  NewShootableBullet(kLanceImage, actor.X + kLanceOffsetX, actor.Y + kLanceOffsetY, PlayerActor->X,
                     PlayerActor->Y, kLanceSpeed, kLanceScore, kLanceHitPoints);
}

}  // namespace

void LancerBoss(TActor& actor) {
  auto& w = actor.Work;
  HitFlash(actor, kLancerLastHitPoints);
  Swing(actor);
  int32_t& p = w[kLancerPhaseClock];
  p += 1;
  DamageSmoke(actor, kLancerSmoke);
  if (w[kHitPoints] < w[kLancerHurry] && p < kHurryEnd) p += kHurryExtra;

  if (p < kLancerWindUp) {
    w[kLancerShotClock] += 1;
    if (w[kLancerShotClock] > kShotInterval) {
      EnemyFire(actor, kAlways, kBossFireSpeed);
      w[kLancerShotClock] = 0;
    }
    ChangeLook(actor, kPatrolImage, kPatrolFlashImage);
    actor.PatternPeriod = kPatrolPatternPeriod;
  } else if (p < kLancerThrow) {
    ChangeLook(actor, kWindUpImage, kWindUpFlashImage);
    actor.Pattern = 0;
    actor.X += kWindUpShiftX;
  } else if (p < kLancerCycle) {
    if (p == kLancerThrow) ThrowLance(actor);
    ChangeLook(actor, kDipImage, kDipFlashImage);
    actor.Pattern = 0;
    actor.Y += kDipShiftY;
  } else {
    p = 0;
  }
}

// From above the field (350, -100), sweeping down toward y 270.
void SpawnLancerBoss(TActor& actor) {
  auto& w = actor.Work;
  w[kLancerSweepTarget] = kLancerFirstSweep;
  w[kLancerBaseX] = kLancerStartX;
  w[kLancerBaseY] = kLancerStartY;
  w[kLancerAngleA] = 0;
  w[kLancerAngleB] = 0;
  w[kLancerAngleC] = 0;
  w[kLancerLastHitPoints] = w[kHitPoints];
  w[kLancerPhaseClock] = 0;
  w[kLancerSmoke] = kLancerFirstSmoke;
  w[kLancerShotClock] = 0;
  w[kLancerHurry] = kLancerHurryBelow;
}

}  // namespace tolvane
