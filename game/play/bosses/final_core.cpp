// The final boss's core: a shootable target that circles above the middle of the screen in
// a figure that widens as the boss weakens, firing at the player every 8 frames. It breaks
// after 1001 points of damage, and the boss may then summon another.
#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/motion.h"
#include "game/engine/sound.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/bosses/final_boss.h"
#include "game/play/damage.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/play_math.h"
#include "game/play/speed_tables.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr int32_t kCoreFlashImage = pic::kFinalCoreFlash;
constexpr int32_t kCorePatternPeriod = 5;

// Its figure: about (250, 50), radius 30 while the boss is strong, then 70 less 1 per 500
// hit points the boss has left.
constexpr int32_t kCentreX = 250;
constexpr int32_t kCentreY = 50;
constexpr int32_t kStrongRadius = 30;
constexpr int32_t kWeakRadius = 70;
constexpr int32_t kWeakRadiusStep = 500;
constexpr int32_t kStepU = 1;
constexpr int32_t kStepV = 4;
constexpr int32_t kStepW = 2;

constexpr int32_t kShotInterval = 7;  // fires when its clock passes this
constexpr int32_t kAlways = 1000;
constexpr int32_t kFireSpeed = 6;

// Damage that finishes a broken core whatever it has left.
constexpr int32_t kBreakDamage = 5000;

}  // namespace

void SummonFinalCore(TActor& boss) {
  if (boss.Work[kFinalCoreFlag] != 0) return;
  TActor& core = NewActor(LayerBack);
  SetImage(core, kCoreImage);
  core.FlashImage = kCoreFlashImage;
  core.PatternPeriod = kCorePatternPeriod;
  core.X = boss.X;
  core.Y = boss.Y;
  core.Kind = KindEnemy;
  SetEnemyWords(core, 0, kCoreScore, kCoreHitPoints);
  auto& w = core.Work;
  w[kCoreAngleU] = w[kCoreAngleV] = w[kCoreAngleW] = 0;
  w[kCoreShotClock] = 0;
  w[kCoreBoss] = SlotOf(boss);
  w[kCoreLastHitPoints] = kCoreHitPoints;
  core.Move = FinalCore;
  boss.Work[kFinalCoreFlag] = 1;
  PlaySound(kSoundBossAction);
}

void FinalCore(TActor& actor) {
  auto& w = actor.Work;
  TActor& boss = ActorAt(w[kCoreBoss]);
  HitFlash(actor, kCoreLastHitPoints);
  const int32_t bossHitPoints = boss.Work[kHitPoints];
  const int32_t reach =
      bossHitPoints > kFinalStrong ? kStrongRadius : kWeakRadius - bossHitPoints / kWeakRadiusStep;
  const int32_t r = RoundToInt(pres::Sin256(w[kCoreAngleW]) * reach);
  const int32_t targetX = kCentreX + RoundToInt(pres::Cos256(w[kCoreAngleU]) * r);
  const int32_t targetY = kCentreY + RoundToInt(r * pres::Cos256(w[kCoreAngleV]));
  w[kCoreAngleU] += kStepU;
  w[kCoreAngleV] += kStepV;
  w[kCoreAngleW] += kStepW;
  MoveToward(actor, targetX, targetY, GlideTable);
  w[kCoreShotClock] += 1;
  if (w[kCoreShotClock] > kShotInterval) {
    EnemyFire(actor, kAlways, kFireSpeed);
    w[kCoreShotClock] = 0;
  }
  if (w[kHitPoints] <= kCoreBreaks) {
    boss.Work[kFinalCoreFlag] = 0;
    w[kPendingDamage] = kBreakDamage;
    ApplyDamage(actor, 0);
  }
}

}  // namespace tolvane
