#include "game/play/bosses/beam_boss.h"

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/bosses/charge_effects.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/play_math.h"
#include "game/play/speed_tables.h"

namespace tolvane {

namespace {

constexpr int32_t kBeamCenterX = 100;
constexpr int32_t kBeamCenterY = 20;
constexpr int32_t kBeamFirstSweep = 270;
constexpr int32_t kBeamStartX = 550;
constexpr int32_t kBeamStartY = 220;
constexpr int32_t kBeamFirstSmoke = 6000;
constexpr int32_t kBeamFirstAngle = 64;

constexpr int32_t kLookCenterX = 80;
constexpr int32_t kLookCenterY = 20;

constexpr int32_t kSweepLeft = 270;
constexpr int32_t kSweepRight = 450;
constexpr int32_t kSweepStep = 2;
constexpr int32_t kRadius = 20;
constexpr int32_t kStepA = 3;
constexpr int32_t kStepB = 8;
constexpr int32_t kStepC = 5;

constexpr int32_t kPatrolImage = pic::kBeamBoss;
constexpr int32_t kPatrolFlashImage = pic::kBeamBossFlash;
constexpr int32_t kPatrolPatternPeriod = 5;
constexpr int32_t kFlyImage = pic::kBeamBossFly;
constexpr int32_t kFlyFlashImage = pic::kBeamBossFlyFlash;
constexpr int32_t kChargeImage = pic::kBeamBossCharge;
constexpr int32_t kChargeFlashImage = pic::kBeamBossChargeFlash;
constexpr int32_t kReturnImage = pic::kBeamBossFire;
constexpr int32_t kReturnFlashImage = pic::kBeamBossFireFlash;

// Patrol shots: growing shots from (x - 20, y + 20) at the player whenever the clock passes 30.
constexpr int32_t kShotInterval = 30;
constexpr int32_t kShotImage = pic::kGrowingShot;
constexpr int32_t kShotHitScale = 40;
constexpr int32_t kPatrolShotSpeed = 23;
constexpr int32_t kHurtPatrolShotSpeed = 35;
constexpr int32_t kShotOffsetX = -20;
constexpr int32_t kShotOffsetY = 20;

constexpr int32_t kParticlesPerFrame = 2;
constexpr int32_t kParticleClockLimit = 498;  // they end once the beam is due

// The beam leaves from (x - 120, y - 20), one segment a frame.
constexpr int32_t kBeamOffsetX = -120;
constexpr int32_t kBeamOffsetY = -20;
constexpr int32_t kSegmentHitScale = 60;
constexpr int32_t kSegmentSpeed = 23;

void Patrol(TActor& actor) {
  auto& w = actor.Work;
  w[kBeamSweepTarget] =
      NextSweepTarget(w[kBeamSweepTarget], w[kBeamBaseX], kSweepLeft, kSweepRight);
  w[kBeamBaseX] = StepToward(w[kBeamBaseX], w[kBeamSweepTarget], kSweepStep);
  const int32_t r = RoundToInt(kRadius * CosDeg(w[kBeamAngleC]));
  actor.X = w[kBeamBaseX] + RoundToInt(CosDeg(w[kBeamAngleA]) * r);
  actor.Y = w[kBeamBaseY] + RoundToInt(r * SinDeg(w[kBeamAngleB]));
  w[kBeamAngleA] += kStepA;
  w[kBeamAngleB] += kStepB;
  w[kBeamAngleC] += kStepC;
  w[kBeamStepClock] += 1;
  if (w[kBeamStepClock] > kShotInterval) {
    const int32_t x = actor.X + kShotOffsetX;
    const int32_t y = actor.Y + kShotOffsetY;
    TActor& shot =
        NewPolarShot(kShotImage, x, y, Angle256Toward(x, y, PlayerActor->X, PlayerActor->Y),
                     w[kBeamHurt] != 0 ? kHurtPatrolShotSpeed : kPatrolShotSpeed);
    shot.HitScale = kShotHitScale;
    shot.Move = GrowingShotMove;
    w[kBeamStepClock] = 0;
  }
  SetBeamLook(actor, kPatrolImage, kPatrolFlashImage);
  actor.PatternPeriod = kPatrolPatternPeriod;
}

void Charge(TActor& actor) {
  auto& w = actor.Work;
  MoveToward(actor, kBeamChargeX, kBeamChargeY, SoftGlideTable);
  if (actor.X != kBeamChargeX || actor.Y != kBeamChargeY) {
    SetBeamLook(actor, kFlyImage, kFlyFlashImage);
    return;
  }
  w[kBeamStepClock] += 1;
  SetBeamLook(actor, kChargeImage, kChargeFlashImage);
  PullPlayer(kBeamChargeX, kBeamChargeY, w[kBeamHurt] != 0);
  for (int32_t i = 0; i < kParticlesPerFrame; ++i)
    SpawnChargeParticle(actor, kBeamPhaseClock, kParticleClockLimit);
  ScaleChargeOrb(w[kBeamOrb], w[kBeamStepClock]);
  if (w[kBeamStepClock] == kBeamChargeFrames) w[kBeamPhaseClock] = kBeamFires - 1;
}

void FireBeam(TActor& actor) {
  auto& w = actor.Work;
  w[kBeamStepClock] += 1;
  MoveToward(actor, w[kBeamBaseX], w[kBeamBaseY], SoftGlideTable);
  if (w[kBeamStepClock] <= kBeamSegments) {
    TActor& segment = NewPolarShot(kBeamSegmentImage, actor.X + kBeamOffsetX,
                                   actor.Y + kBeamOffsetY, w[kBeamAngle], kSegmentSpeed);
    segment.HitScale = kSegmentHitScale;
  }
  if (actor.X != w[kBeamBaseX] || actor.Y != w[kBeamBaseY]) {
    SetBeamLook(actor, kReturnImage, kReturnFlashImage);
    return;
  }
  w[kBeamPhaseClock] = 0;
  w[kBeamStepClock] = 0;
}

}  // namespace

void SetBeamLook(TActor& boss, int32_t image, int32_t flashImage) {
  if (boss.Image != image) {
    SetImage(boss, image);
    boss.CenterX += kLookCenterX;
    boss.CenterY += kLookCenterY;
  }
  boss.FlashImage = flashImage;
}

void BeamBoss(TActor& actor) {
  auto& w = actor.Work;
  HitFlash(actor, kBeamLastHitPoints);
  int32_t& p = w[kBeamPhaseClock];
  p += 1;
  if (DamageSmoke(actor, kBeamSmoke)) w[kBeamHurt] = 1;

  if (p <= kBeamPatrolEnd) {
    Patrol(actor);
  } else if (p == kBeamOrbAppears) {
    w[kBeamStepClock] = 0;
    w[kBeamOrb] = NewChargeOrb(kBeamChargeX, kBeamChargeY);
  } else if (p < kBeamFires) {
    Charge(actor);
  } else if (p == kBeamFires) {
    w[kBeamAngle] = Angle256Toward(actor.X + kBeamOffsetX, actor.Y + kBeamOffsetY, PlayerActor->X,
                                   PlayerActor->Y);
    w[kBeamStepClock] = 0;
    FreeChargeOrb(w[kBeamOrb]);
  } else {
    FireBeam(actor);
  }
}

// A hit box larger than the picture; patrols about (550, 220), sweeping toward x 270, its
// beam angle straight down.
void SpawnBeamBoss(TActor& actor) {
  actor.CenterX += kBeamCenterX;
  actor.CenterY += kBeamCenterY;
  auto& w = actor.Work;
  w[kBeamSweepTarget] = kBeamFirstSweep;
  w[kBeamBaseX] = kBeamStartX;
  w[kBeamBaseY] = kBeamStartY;
  w[kBeamAngleA] = 0;
  w[kBeamAngleB] = 0;
  w[kBeamAngleC] = 0;
  w[kBeamLastHitPoints] = w[kHitPoints];
  w[kBeamPhaseClock] = 0;
  w[kBeamSmoke] = kBeamFirstSmoke;
  w[kBeamStepClock] = 0;
  w[kBeamAngle] = kBeamFirstAngle;
  w[kBeamHurt] = 0;
}

}  // namespace tolvane
