#include "game/play/bosses/wanderer_boss.h"

#include "content/images/picture_ids.h"
#include "game/engine/random_streams.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/speed_tables.h"

namespace tolvane {

namespace {

constexpr uint32_t kFirstTargetYRange = 360;
constexpr int32_t kWandererFirstSmoke = 5500;

// A new target after each arrival: x 200-479, y 0-319.
constexpr int32_t kTargetMinX = 200;
constexpr uint32_t kTargetXRange = 280;
constexpr uint32_t kTargetYRange = 320;

constexpr int32_t kHurtImage = pic::kWandererHurt;
constexpr int32_t kHurtFlashImage = pic::kWandererHurtFlash;
constexpr int32_t kAlways = 1000;  // the hurt answer always fires

constexpr uint32_t kSeedRange = 1000;
constexpr int32_t kSeedChance = 100;  // per mille, a little over one frame in ten
constexpr int32_t kSeedSpeed = 3;

void DropSeed(const TActor& boss) {
  TActor& seed = NewShootableBullet(kSeedImage, boss.X, boss.Y, PlayerActor->X, PlayerActor->Y,
                                    kSeedSpeed, kWandererSeedScore, kWandererSeedHitPoints);
  seed.PatternPeriod = kSeedPatternPeriod;
}

}  // namespace

void WandererBoss(TActor& actor) {
  auto& w = actor.Work;
  HitFlash(actor, kWandererLastHitPoints);
  MoveToward(actor, w[kWandererTargetX], w[kWandererTargetY], SoftGlideTable);
  if (actor.X == w[kWandererTargetX] && actor.Y == w[kWandererTargetY]) {
    w[kWandererTargetX] =
        kTargetMinX + static_cast<int32_t>(RandomNext(kBossStream, kTargetXRange));
    w[kWandererTargetY] = static_cast<int32_t>(RandomNext(kBossStream, kTargetYRange));
  }
  if (DamageSmoke(actor, kWandererSmoke)) {
    ChangeLook(actor, kHurtImage, kHurtFlashImage);
    EnemyFire(actor, kAlways, kBossFireSpeed);
  }
  if (static_cast<int32_t>(RandomNext(kBossStream, kSeedRange)) <= kSeedChance) DropSeed(actor);
}

// Its first target: x 200-479, y 0-359.
void SpawnWandererBoss(TActor& actor) {
  auto& w = actor.Work;
  w[kWandererTargetX] = kTargetMinX + static_cast<int32_t>(RandomNext(kBossStream, kTargetXRange));
  w[kWandererTargetY] = static_cast<int32_t>(RandomNext(kBossStream, kFirstTargetYRange));
  w[kWandererSmoke] = kWandererFirstSmoke;
  w[kWandererLastHitPoints] = w[kHitPoints];
}

}  // namespace tolvane
