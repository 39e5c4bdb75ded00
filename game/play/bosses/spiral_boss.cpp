#include "game/play/bosses/spiral_boss.h"

#include <cmath>
#include <cstdlib>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/play_math.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr int32_t kSpiralStartX = 550;
constexpr int32_t kSpiralStartY = 160;
constexpr int32_t kSpiralFirstSmoke = 6000;
constexpr int32_t kSpiralFirstAngle = 6000;
constexpr int32_t kRoamSpeed = 2;

// Leg targets: x 170-409, y 100-219; a leg ends within 30 pixels of its target.
constexpr int32_t kLegMinX = 170;
constexpr uint32_t kLegXRange = 240;
constexpr int32_t kLegMinY = 100;
constexpr uint32_t kLegYRange = 120;
constexpr int32_t kLegArrival = 30;

constexpr int32_t kWobble = 30;
constexpr int32_t kStepA = 3;
constexpr int32_t kStepB = 2;
constexpr int32_t kStepC = 1;
constexpr int32_t kRoamFireChance = 50;

constexpr int32_t kRoamImage = pic::kSpiralBoss;
constexpr int32_t kRoamFlashImage = pic::kSpiralBossFlash;
constexpr int32_t kRoamPatternPeriod = 5;
constexpr int32_t kSpinImage = pic::kSpiralBossSpin;
constexpr int32_t kSpinFlashImage = pic::kSpiralBossSpinFlash;
constexpr int32_t kSpinPatternPeriod = 50;

constexpr int32_t kShotHitScale = 30;
constexpr int32_t kShotPatternPeriod = 2;
constexpr int32_t kSpiralShotSpeed = 10;

void NewLegTarget(TActor& actor) {
  actor.Work[kTargetX] = kLegMinX + static_cast<int32_t>(RandomNext(kBossStream, kLegXRange));
  actor.Work[kTargetY] = kLegMinY + static_cast<int32_t>(RandomNext(kBossStream, kLegYRange));
}

void Roam(TActor& actor) {
  auto& w = actor.Work;
  w[kShotFrames] += 1;
  const double d = DirectionToward(w[kOriginX], w[kOriginY], w[kTargetX], w[kTargetY]);
  const int32_t travelled = w[kShotSpeed] * w[kShotFrames];
  w[kSpiralBaseX] = w[kOriginX] + RoundToInt(travelled * std::cos(d));
  w[kSpiralBaseY] = w[kOriginY] + RoundToInt(travelled * std::sin(d));
  if (std::abs(w[kTargetX] - w[kSpiralBaseX]) < kLegArrival &&
      std::abs(w[kTargetY] - w[kSpiralBaseY]) < kLegArrival) {
    w[kOriginX] = w[kSpiralBaseX];
    w[kOriginY] = w[kSpiralBaseY];
    NewLegTarget(actor);
    w[kShotFrames] = 0;
  }
  const int32_t t = RoundToInt(kWobble * pres::Sin256(w[kSpiralAngleC]));
  actor.X = w[kSpiralBaseX] + RoundToInt(pres::Cos256(w[kSpiralAngleA]) * t);
  actor.Y = w[kSpiralBaseY] + RoundToInt(t * pres::Cos256(w[kSpiralAngleB]));
  w[kSpiralAngleA] += kStepA;
  w[kSpiralAngleB] += kStepB;
  w[kSpiralAngleC] += kStepC;
  EnemyFire(actor, kRoamFireChance, kBossFireSpeed);
}

void SpiralShot(TActor& actor, int32_t turn) {
  actor.Work[kSpiralAngle] += turn;
  TActor& shot =
      NewPolarShot(kSpiralShotImage, actor.X, actor.Y, actor.Work[kSpiralAngle], kSpiralShotSpeed);
  shot.HitScale = kShotHitScale;
  shot.PatternPeriod = kShotPatternPeriod;
}

}  // namespace

void SpiralBoss(TActor& actor) {
  auto& w = actor.Work;
  HitFlash(actor, kSpiralLastHitPoints);
  int32_t& p = w[kSpiralPhaseClock];
  p += 1;
  if (p < kSpiralRoamEnd) {
    Roam(actor);
  } else if (p == kSpiralRoamEnd) {
    ChangeLook(actor, kSpinImage, kSpinFlashImage);
    actor.Pattern = 0;
    actor.PatternPeriod = kSpinPatternPeriod;
  } else if (p >= kSpiralTurnStart && p < kSpiralTurnBack) {
    SpiralShot(actor, kSpiralTurn);
  } else if (p >= kSpiralTurnBack && p < kSpiralCycle) {
    SpiralShot(actor, -kSpiralTurnBackStep);
  } else if (p >= kSpiralCycle) {
    ChangeLook(actor, kRoamImage, kRoamFlashImage);
    actor.Pattern = 0;
    actor.PatternPeriod = kRoamPatternPeriod;
    p = 0;
  }
  DamageSmoke(actor, kSpiralSmoke);
}

// Roams from (550, 160) at 2 pixels a frame toward its first leg target.
void SpawnSpiralBoss(TActor& actor) {
  auto& w = actor.Work;
  w[kSpiralBaseX] = kSpiralStartX;
  w[kSpiralBaseY] = kSpiralStartY;
  w[kSpiralAngleA] = 0;
  w[kSpiralAngleB] = 0;
  w[kSpiralAngleC] = 0;
  w[kSpiralLastHitPoints] = w[kHitPoints];
  w[kSpiralPhaseClock] = 0;
  w[kSpiralSmoke] = kSpiralFirstSmoke;
  w[kSpiralSpareA] = 0;
  w[kSpiralAngle] = kSpiralFirstAngle;
  w[kSpiralSpareB] = 0;
  NewLegTarget(actor);
  w[kOriginX] = kSpiralStartX;
  w[kOriginY] = kSpiralStartY;
  w[kShotSpeed] = kRoamSpeed;
  w[kShotFrames] = 0;
}

}  // namespace tolvane
