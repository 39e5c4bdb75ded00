#include "game/play/damage.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/engine/sound.h"
#include "game/engine/text_actors.h"
#include "game/play/blasts.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/items.h"
#include "game/play/play_field.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"

namespace tolvane {

namespace {

// An enemy still beyond the right edge cannot be hurt.
constexpr int32_t kHurtableRight = kFieldWidth;

// Worth above which a kill leaves a big blast, and its lengths.
constexpr int32_t kBigBlastScore = 999;
constexpr int32_t kLargerBlastScore = 9999;
constexpr int32_t kLargestBlastScore = 29999;
constexpr int32_t kBigBlastShort = 10;
constexpr int32_t kBigBlastMedium = 50;
constexpr int32_t kBigBlastLong = 130;

// Enemies of exactly this worth (a boss's bullets) die with a sound and no blasts.
constexpr int32_t kQuietKillScore = 3;
// The three blasts of a kill: delay 5, damage 7/6/7, drifting up, not, down.
constexpr int32_t kKillBlastDelay = 5;
constexpr int32_t kKillBlastSideDamage = 7;
constexpr int32_t kKillBlastMiddleDamage = 6;
constexpr int32_t kKillBlastDrift = 2;

// The kill's number: up-left of the enemy, 70 %, shown 50 frames.
constexpr int32_t kPointsOffset = 10;
constexpr int32_t kPointsScale = 70;
constexpr int32_t kPointsHold = 50;

int32_t SaturatingAdd(int32_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(
      int64_t{a} + b, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void ShowPoints(const TActor& enemy, int64_t points) {
  char text[24];
  const auto end = std::to_chars(text, text + sizeof text, points).ptr;
  // A negative x would centre the number on the screen, far from the kill: keep it at
  // the left edge instead.
  const int32_t x = std::max(0, enemy.X - kPointsOffset);
  BlinkText(x, enemy.Y - kPointsOffset, std::string_view(text, static_cast<size_t>(end - text)),
            kPointsScale, kPointsScale, kPointsHold, 0);
}

// A boss's death: the script goes on, and every enemy and enemy shot leaves the screen,
// the enemies with a blast.
void EndBossFight() {
  ResumeAfterBoss();
  for (TActor& other : ActorPool) {
    if (other.Active == 0) continue;
    if (other.Kind == KindEnemy) {
      SpawnBlast(other, 0, 0, 0, 0);
      other.Active = 0;
    } else if (other.Kind == KindEnemyShot) {
      other.Active = 0;
    }
  }
}

// Drop codes 1-3 give the selected weapon's item, or at level 50 one of the two others.
void DropItem(const TActor& enemy) {
  const int32_t drop = enemy.Work[kDropCode];
  if (drop >= 1 && drop <= kWeaponCount) {
    int32_t weapon = SelectedWeapon(*PlayerActor);
    if (WeaponLevel(*PlayerActor, weapon) == kMaxWeaponLevel) {
      weapon = (static_cast<int32_t>(RandomNext(2, 2)) + weapon + 1) % kWeaponCount;
    }
    SpawnItem(enemy, kWeaponItemImage + weapon, weapon + 1);
  } else if (drop == kProtectionItem) {
    SpawnItem(enemy, kProtectionItemImage, kProtectionItem);
  }
}

void Kill(TActor& enemy, int32_t level) {
  const int32_t worth = enemy.Work[kScoreValue];
  const int64_t points = int64_t{worth} * (int64_t{level} + 1);
  Score = SaturatingAdd(Score, points);
  ShowPoints(enemy, points);
  if (const int32_t frames = BigBlastFrames(worth); frames > 0) SpawnBigBlast(enemy, frames);
  if (worth == kQuietKillScore) {
    PlaySound(kSoundLetter);
  } else {
    SpawnBlast(enemy, kKillBlastDelay, kKillBlastSideDamage, -kKillBlastDrift, level);
    SpawnBlast(enemy, kKillBlastDelay, kKillBlastMiddleDamage, 0, level);
    SpawnBlast(enemy, kKillBlastDelay, kKillBlastSideDamage, kKillBlastDrift, level);
  }
  if (worth > kBossScoreThreshold) EndBossFight();
  DropItem(enemy);
  enemy.Active = 0;
}

}  // namespace

int32_t BigBlastFrames(int32_t scoreValue) {
  if (scoreValue > kLargestBlastScore) return kBigBlastLong;
  if (scoreValue > kLargerBlastScore) return kBigBlastMedium;
  if (scoreValue > kBigBlastScore) return kBigBlastShort;
  return 0;
}

void ApplyDamage(TActor& enemy, int32_t level) {
  auto& w = enemy.Work;
  if (Tails <= 0 || w[kPendingDamage] == 0 || enemy.X > kHurtableRight) return;
  w[kHitPoints] -= w[kPendingDamage];
  w[kPendingDamage] = 0;
  if (w[kHitPoints] >= 1) return;
  Kill(enemy, level);
}

}  // namespace tolvane
