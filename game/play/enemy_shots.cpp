#include "game/play/enemy_shots.h"

#include <cmath>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/motion.h"
#include "game/engine/random_streams.h"
#include "game/play/game_state.h"
#include "game/play/play_field.h"
#include "game/play/play_math.h"
#include "presentation/services.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr uint32_t kChanceRange = 1000;  // a chance per mille

constexpr int32_t kRayImage = pic::kRay;
constexpr int32_t kRaySpeed = 32;
constexpr int32_t kRayWidth = 50;
constexpr int32_t kRayHeight = 10;
constexpr double kRayPivot = 0.5;  // turned about its middle

// Growing shots take the next pattern and 20 more HitScale on these frames.
constexpr int32_t kFirstGrowth = 5;
constexpr int32_t kSecondGrowth = 10;
constexpr int32_t kGrowthHitScale = 20;

TActor& NewEnemyShot(int32_t image, int32_t x, int32_t y, int32_t speed, MoveProc move) {
  TActor& shot = NewActor(LayerFront);
  SetImage(shot, image);
  shot.X = x;
  shot.Y = y;
  shot.Kind = KindEnemyShot;
  shot.Work[kOriginX] = x;
  shot.Work[kOriginY] = y;
  shot.Work[kShotSpeed] = speed;
  shot.Work[kShotFrames] = 0;
  shot.Move = move;
  return shot;
}

// Frames flown, counted up; the distance flown is frames x speed pixels.
int32_t NextDistance(TActor& actor) {
  actor.Work[kShotFrames] += 1;
  return actor.Work[kShotFrames] * actor.Work[kShotSpeed];
}

void FlyPolar(TActor& actor) {
  const int32_t distance = NextDistance(actor);
  const int32_t angle = actor.Work[kShotAngle];
  actor.X = actor.Work[kOriginX] + RoundToInt(pres::Cos256(angle) * distance);
  actor.Y = actor.Work[kOriginY] + RoundToInt(pres::Sin256(angle) * distance);
}

}  // namespace

void EnemyFire(const TActor& enemy, int32_t chance, int32_t speed) {
  if (static_cast<int32_t>(RandomNext(0, kChanceRange)) > chance) return;
  TActor& shot = NewAimedShot(kBulletImage, enemy.X, enemy.Y, PlayerActor->X, PlayerActor->Y,
                              speed + StageNumber() - 1);
  shot.PatternPeriod = kBulletPatternPeriod;
}

TActor& NewAimedShot(int32_t image, int32_t x, int32_t y, int32_t targetX, int32_t targetY,
                     int32_t speed) {
  TActor& shot = NewEnemyShot(image, x, y, speed, AimedShotMove);
  shot.Work[kTargetX] = targetX;
  shot.Work[kTargetY] = targetY;
  return shot;
}

TActor& NewPolarShot(int32_t image, int32_t x, int32_t y, int32_t angle, int32_t speed) {
  TActor& shot = NewEnemyShot(image, x, y, speed, PolarShotMove);
  shot.Work[kShotAngle] = angle;
  return shot;
}

TActor& SpawnRay(int32_t x, int32_t y, int32_t targetX, int32_t targetY) {
  TActor& ray = NewPolarShot(kRayImage, x, y, Angle256Toward(x, y, targetX, targetY), kRaySpeed);
  ray.Draw = RayDraw;
  return ray;
}

void AimedShotMove(TActor& actor) {
  const auto& w = actor.Work;
  const int32_t distance = NextDistance(actor);
  const double direction = DirectionToward(w[kOriginX], w[kOriginY], w[kTargetX], w[kTargetY]);
  actor.X = w[kOriginX] + RoundToInt(std::cos(direction) * distance);
  actor.Y = w[kOriginY] + RoundToInt(std::sin(direction) * distance);
  if (IsOffScreen(actor, osAnySide) != 0) actor.Active = 0;
}

void PolarShotMove(TActor& actor) {
  FlyPolar(actor);
  if (IsOffScreen(actor, osAnySide) != 0) actor.Active = 0;
}

void GrowingShotMove(TActor& actor) {
  FlyPolar(actor);
  const int32_t frames = actor.Work[kShotFrames];
  if (frames == kFirstGrowth || frames == kSecondGrowth) {
    actor.Pattern += 1;
    actor.HitScale += kGrowthHitScale;
  }
  if (IsOffScreen(actor, osAnySide) != 0) actor.Active = 0;
}

void RayDraw(TActor& actor) {
  pres::Display* display = pres::Services().display;
  if (display == nullptr) return;
  display->DrawPatternRotated(actor.Image, actor.X - actor.CenterX, actor.Y - actor.CenterY,
                              kRayWidth, kRayHeight, 0, kRayPivot, kRayPivot,
                              actor.Work[kShotAngle]);
}

}  // namespace tolvane
