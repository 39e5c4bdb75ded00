#include "game/play/bosses/circler_boss.h"

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

constexpr int32_t kCirclerCenterX = 20;
constexpr int32_t kCirclerCenterY = 10;
constexpr int32_t kCirclerFirstPhase = 200;

constexpr CircleFlight kCirclerFlight = {100, 400, 50, 3, 5, 1};
constexpr int32_t kFlightFireChance = 20;
constexpr int32_t kSweepStep = 1;

// Flight clock: the volley comes when it has stood at 399.
constexpr int32_t kLastFlightFrame = 399;

constexpr int32_t kFlightImage = pic::kCircler;
constexpr int32_t kFlightFlashImage = pic::kCirclerFlash;
constexpr int32_t kVolleyImage = pic::kCirclerVolley;
constexpr int32_t kVolleyFlashImage = pic::kCirclerVolleyFlash;

constexpr int32_t kFirstBulletFrame = 50;
constexpr int32_t kVolleyFrames = 150;
constexpr int32_t kBulletOffsetX = -30;
constexpr int32_t kBulletSpeed = 20;

}  // namespace

void StartCircle(TActor& actor, const CircleFlight& flight) {
  auto& w = actor.Work;
  w[kCircleSweepTarget] = flight.sweepEnd1;
  w[kCircleBaseX] = kCircleStartX;
  w[kCircleBaseY] = actor.Y;
  w[kCircleAngleA] = 0;
  w[kCircleAngleB] = 0;
  w[kCircleAngleC] = 0;
  w[kCircleLastHitPoints] = w[kHitPoints];
}

void FlyCircle(TActor& actor, const CircleFlight& flight) {
  auto& w = actor.Work;
  HitFlash(actor, kCircleLastHitPoints);
  w[kCircleSweepTarget] =
      NextSweepTarget(w[kCircleSweepTarget], w[kCircleBaseX], flight.sweepEnd1, flight.sweepEnd2);
  w[kCircleBaseX] = StepToward(w[kCircleBaseX], w[kCircleSweepTarget], kSweepStep);
  const int32_t r = RoundToInt(flight.radius * SinDeg(w[kCircleAngleC]));
  actor.X = w[kCircleBaseX] + RoundToInt(CosDeg(w[kCircleAngleA]) * r);
  actor.Y = w[kCircleBaseY] + RoundToInt(r * CosDeg(w[kCircleAngleB]));
  EnemyFire(actor, kFlightFireChance, kBossFireSpeed);
  w[kCircleAngleA] += flight.stepA;
  w[kCircleAngleB] += flight.stepB;
  w[kCircleAngleC] += flight.stepC;
}

void CirclerBoss(TActor& actor) {
  FlyCircle(actor, kCirclerFlight);
  auto& w = actor.Work;
  if (w[kCirclerPhaseClock] != kLastFlightFrame) {
    w[kCirclerPhaseClock] += 1;
    return;
  }
  w[kCirclerPhaseClock] = 0;
  w[kCirclerVolleyClock] = 0;
  ChangeLook(actor, kVolleyImage, kVolleyFlashImage);
  actor.Pattern = 0;
  actor.Move = CirclerVolley;
}

void CirclerVolley(TActor& actor) {
  auto& w = actor.Work;
  HitFlash(actor, kCircleLastHitPoints);
  w[kCirclerVolleyClock] += 1;
  if (w[kCirclerVolleyClock] >= kFirstBulletFrame) {
    TActor& bullet = NewShootableBullet(kSeedImage, actor.X + kBulletOffsetX, actor.Y,
                                        PlayerActor->X, PlayerActor->Y, kBulletSpeed,
                                        kVolleyBulletScore, kVolleyBulletHitPoints);
    bullet.PatternPeriod = kSeedPatternPeriod;
  }
  if (w[kCirclerVolleyClock] >= kVolleyFrames) {
    ChangeLook(actor, kFlightImage, kFlightFlashImage);
    actor.Move = CirclerBoss;
  }
}

// A larger hit box than the picture's; the flight sweeps toward y 100 about a base at
// (550, spawn Y), half-way through its phase.
void SpawnCircler(TActor& actor) {
  actor.CenterX += kCirclerCenterX;
  actor.CenterY += kCirclerCenterY;
  StartCircle(actor, kCirclerFlight);
  actor.Work[kCirclerPhaseClock] = kCirclerFirstPhase;
}

}  // namespace tolvane
