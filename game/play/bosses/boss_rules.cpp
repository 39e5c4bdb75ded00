#include "game/play/bosses/boss_rules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/engine/actor_pool.h"
#include "game/play/blasts.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/speed_tables.h"
#include "game/play/stage_script.h"

namespace tolvane {

namespace {

// The smoke blast strikes at once for 50 points, without drift, at level 0.
constexpr int32_t kSmokeDamage = 50;

double Radians(int32_t degrees) {
  return degrees * std::numbers::pi / 180;
}

}  // namespace

void HitFlash(TActor& boss, int rememberedWord) {
  const int32_t hitPoints = boss.Work[kHitPoints];
  boss.Flash = hitPoints != boss.Work[rememberedWord] ? 1 : 0;
  boss.Work[rememberedWord] = hitPoints;
}

bool DamageSmoke(TActor& boss, int thresholdWord) {
  if (boss.Work[kHitPoints] >= boss.Work[thresholdWord]) return false;
  boss.Work[thresholdWord] -= kSmokeStep;
  SpawnBlast(boss, 0, kSmokeDamage, 0, 0);
  return true;
}

TActor& NewShootableBullet(int32_t image, int32_t x, int32_t y, int32_t targetX, int32_t targetY,
                           int32_t speed, int32_t scoreValue, int32_t hitPoints) {
  TActor& bullet = NewAimedShot(image, x, y, targetX, targetY, speed);
  bullet.Kind = KindEnemy;
  SetEnemyWords(bullet, 0, scoreValue, hitPoints);
  return bullet;
}

void ChangeLook(TActor& boss, int32_t image, int32_t flashImage) {
  if (boss.Image != image) SetImage(boss, image);
  boss.FlashImage = flashImage;
}

int32_t StepToward(int32_t value, int32_t target, int32_t step) {
  return value + std::clamp(target - value, -step, step);
}

int32_t NextSweepTarget(int32_t target, int32_t base, int32_t end1, int32_t end2) {
  if (target != base) return target;
  return target == end1 ? end2 : end1;
}

double SinDeg(int32_t degrees) {
  return std::sin(Radians(degrees));
}

double CosDeg(int32_t degrees) {
  return std::cos(Radians(degrees));
}

void PullPlayer(int32_t x, int32_t y, bool strong) {
  if (Tails <= 0) return;
  MoveToward(*PlayerActor, x, y, strong ? SpeedTable(StrongPullTable) : SpeedTable(PullTable));
}

int32_t CurrentRecordDrop() {
  // Past the terminator (a boss killed after the last record) the terminator stands.
  const bool inside = ScriptPos >= 0 && ScriptPos <= ScriptLength;
  return StageScript[static_cast<size_t>(inside ? ScriptPos : ScriptLength)].Extra;
}

TActor* StillThere(int32_t slot, int32_t image) {
  TActor& actor = ActorAt(slot);
  if (actor.Active == 0 || actor.Image != image || &actor == &ScratchActor) return nullptr;
  return &actor;
}

}  // namespace tolvane
