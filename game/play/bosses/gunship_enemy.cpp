#include "game/play/bosses/gunship_enemy.h"

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/motion.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/play_math.h"

namespace tolvane {

namespace {

constexpr int32_t kGunshipFirstFanAngle = 90;

constexpr int32_t kApproachSpeed = 2;
constexpr int32_t kAttackImage = pic::kGunshipAttack;  // keeps the approach's flash picture
constexpr int32_t kDriftSpeed = 1;
constexpr int32_t kFirstShotClock = 20;  // the clock starts here, so the first fan is short
constexpr int32_t kLastShotClock = 30;   // past this the clock starts again
constexpr int32_t kFireSpeed = 8;

}  // namespace

void GunshipEnemy(TActor& actor) {
  if (actor.X > kGunshipAttackX) actor.X -= kApproachSpeed;
  if (actor.X > kGunshipAttackX) return;
  auto& w = actor.Work;
  ChangeLook(actor, kAttackImage, actor.FlashImage);
  w[kHitPoints] = kGunshipAttackHitPoints;
  w[kGunshipFireClock] = kFirstShotClock;
  w[kGunshipFanAngle] = Angle256Toward(actor.X + kGunshipMuzzleX, actor.Y + kGunshipMuzzleY,
                                       PlayerActor->X, PlayerActor->Y) -
                        kGunshipFanLead;
  actor.Move = GunshipAttack;
}

void GunshipAttack(TActor& actor) {
  auto& w = actor.Work;
  actor.X -= kDriftSpeed;
  HitFlash(actor, kGunshipLastHitPoints);
  w[kGunshipFireClock] += 1;
  if (w[kGunshipFireClock] < kFirstShotClock) return;
  w[kGunshipFanAngle] += kGunshipFanStep;
  TActor& shot = NewPolarShot(kBulletImage, actor.X + kGunshipMuzzleX, actor.Y + kGunshipMuzzleY,
                              w[kGunshipFanAngle], kFireSpeed);
  shot.PatternPeriod = kBulletPatternPeriod;
  if (w[kGunshipFireClock] > kLastShotClock) w[kGunshipFireClock] = 0;
  if (w[kGunshipFanAngle] > kGunshipFanHigh) w[kGunshipFanAngle] = kGunshipFanLow;
  if (IsOffScreen(actor, osLeft) != 0) actor.Active = 0;
}

void SpawnGunshipEnemy(TActor& actor) {
  actor.Work[kGunshipLastHitPoints] = actor.Work[kHitPoints];
  actor.Work[kGunshipFireClock] = 0;
  actor.Work[kGunshipFanAngle] = kGunshipFirstFanAngle;
}

}  // namespace tolvane
