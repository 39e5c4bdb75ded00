#pragma once
// The Work words every enemy carries from its spawn: what it drops, what it is worth, how
// much it can take, the damage waiting to be applied and how many missiles chase it.
// Damage reaches an enemy only through PendingDamage and ApplyDamage (damage.h).
#include <cstdint>

#include "game/engine/actor.h"
#include "game/play/stage_codes.h"  // kBossScoreThreshold: above it an enemy is a boss

namespace tolvane {

inline constexpr int kDropCode = 59;    // 1-3 a weapon item, 4 a protection item, else none
inline constexpr int kScoreValue = 60;  // above kBossScoreThreshold a boss, above kBigScore big
inline constexpr int kHitPoints = 61;
inline constexpr int kPendingDamage = 62;  // set by whatever hits, then ApplyDamage
inline constexpr int kLockCount = 63;      // missiles homing on it

// Enemies worth more than this are big: missiles prefer them unless something is near.
inline constexpr int32_t kBigScore = 9999;

// The enemy words of a fresh enemy: nothing pending, no missile locked on.
inline void SetEnemyWords(TActor& enemy, int32_t dropCode, int32_t scoreValue, int32_t hitPoints) {
  enemy.Work[kDropCode] = dropCode;
  enemy.Work[kScoreValue] = scoreValue;
  enemy.Work[kHitPoints] = hitPoints;
  enemy.Work[kPendingDamage] = 0;
  enemy.Work[kLockCount] = 0;
}

}  // namespace tolvane
