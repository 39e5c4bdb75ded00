// Gunner (code 17): approach, firing, leaving.
#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/play/enemies/enemy_common.h"
#include "game/play/enemies/gunners.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"
#include "game/play/play_math.h"

namespace tolvane {

namespace {

// It comes in 10 pixels a frame until x 400.
constexpr int32_t kApproachSpeed = 10;
constexpr int32_t kStopX = 400;
// Its muzzle, 20 left of and 10 below its hot spot; the aim is taken from 30 left of its
// position before the last step, 10 below it.
constexpr int32_t kMuzzleLeft = 20;
constexpr int32_t kMuzzleDown = 10;
constexpr int32_t kAimFromLeft = 30;
// 50 frames of two shots each, spread up to 10/256 of a turn either side of the aim.
constexpr int32_t kFiringFrames = 50;
constexpr int32_t kShotsPerFrame = 2;
constexpr uint32_t kSpreadRange = 20;
constexpr int32_t kSpreadHalf = 10;
constexpr int32_t kGunnerShotSpeed = 11;
// Then it backs out to the right at 20 a frame.
constexpr int32_t kLeaveSpeed = 20;
// Its looks: the firing look and the leaving look, each with its flash picture.
constexpr int32_t kFiringImage = pic::kGunner;
constexpr int32_t kFiringFlash = 140;
constexpr int32_t kLeavingImage = pic::kGunnerLeaving;
constexpr int32_t kLeavingFlash = 138;
constexpr int32_t kGunnerHitScale = 60;

void SetLook(TActor& actor, int32_t image, int32_t flash) {
  SetImage(actor, image);
  actor.HitScale = kGunnerHitScale;
  actor.FlashImage = flash;
}

}  // namespace

void Gunner(TActor& actor) {
  HitFlash(actor, kGunnerHitPoints);
  const int32_t before = actor.X;
  actor.X -= kApproachSpeed;
  if (actor.X > kStopX) return;
  actor.Work[kGunnerAim] =
      Angle256Toward(before - kAimFromLeft, actor.Y + kMuzzleDown, PlayerActor->X, PlayerActor->Y);
  actor.Work[kGunnerBursts] = kFiringFrames;
  SetLook(actor, kFiringImage, kFiringFlash);
  actor.Move = GunnerFiring;
}

void GunnerFiring(TActor& actor) {
  HitFlash(actor, kGunnerHitPoints);
  for (int i = 0; i < kShotsPerFrame; ++i) {
    const int32_t angle =
        actor.Work[kGunnerAim] + static_cast<int32_t>(RandomNext(0, kSpreadRange)) - kSpreadHalf;
    TActor& shot = NewPolarShot(kBulletImage, actor.X - kMuzzleLeft, actor.Y + kMuzzleDown, angle,
                                kGunnerShotSpeed);
    shot.PatternPeriod = kBulletPatternPeriod;
  }
  actor.Work[kGunnerBursts] -= 1;
  if (actor.Work[kGunnerBursts] <= 0) {
    SetLook(actor, kLeavingImage, kLeavingFlash);
    actor.Move = GunnerLeaving;
  }
}

void GunnerLeaving(TActor& actor) {
  HitFlash(actor, kGunnerHitPoints);
  actor.X += kLeaveSpeed;
  LeaveIfOff(actor, osRight);
}

void SpawnGunner(TActor& actor) {
  actor.Work[kGunnerHitPoints] = actor.Work[kHitPoints];
  actor.Work[kGunnerAim] = 0;
  actor.Work[kGunnerBursts] = 0;
}

}  // namespace tolvane
