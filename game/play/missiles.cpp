#include "game/play/missiles.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/play/contact_scan.h"
#include "game/play/damage.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/player_shots.h"

namespace tolvane {

namespace {

constexpr int32_t kMissileImage = pic::kMissile;
constexpr int32_t kMissilePatternPeriod = 2;
constexpr int32_t kMissileHitScale = 80;
// Launched 70 pixels ahead and 5 up of the player, with a horizontal speed of -50..150
// (in 14ths of a pixel).
constexpr int32_t kLaunchAhead = 70;
constexpr int32_t kLaunchUp = 5;
constexpr int32_t kLaunchSpeedRange = 201;
constexpr int32_t kLaunchSpeedShift = 50;

constexpr int32_t kSpeedScale = 14;  // velocity words are pixels x 14
constexpr int32_t kMaxGain = 100;    // the gain is a percentage
constexpr int32_t kBounce = -2;      // velocity factor on a hit
constexpr int32_t kMaxSpeedX = 290;
constexpr int32_t kMaxSpeedY = 190;
// Freed beyond these bounds (it may swing wide of the screen on the left and vertically).
constexpr int32_t kLeftBound = -150;
constexpr int32_t kRightBound = 480;
constexpr int32_t kTopBound = -150;
constexpr int32_t kBottomBound = 470;

// PickTarget: squared distances of "near" and "close enough to share".
constexpr int64_t kNearDistance = 20000;
constexpr int64_t kCloseDistance = 10000;

int64_t SquaredDistance(const TActor& a, const TActor& b) {
  const int64_t dx = int64_t{a.X} - b.X;
  const int64_t dy = int64_t{a.Y} - b.Y;
  return dx * dx + dy * dy;
}

TActor& TargetOf(int32_t slot) {
  return slot == kNoTarget ? *DummyTarget : ActorAt(slot);
}

}  // namespace

int32_t PickTarget(const TActor& reference) {
  int64_t best = std::numeric_limits<int32_t>::max();
  int32_t result = kNoTarget;
  bool bigSeen = false;
  for (int32_t slot = 0; slot < kPoolSize; ++slot) {
    const TActor& enemy = ActorAt(slot);
    if (enemy.Active == 0 || enemy.Kind != KindEnemy) continue;
    if (enemy.Work[kScoreValue] <= kBigScore || best <= kNearDistance) {
      const int64_t d = SquaredDistance(enemy, reference);
      if (best >= d && (d <= kNearDistance || !bigSeen) &&
          (enemy.Work[kLockCount] == 0 || d <= kCloseDistance)) {
        result = slot;
        best = d;
      }
    } else {
      // A big enemy while nothing lies near: take it, and from now on only near ones beat it.
      result = slot;
      bigSeen = true;
    }
  }
  if (result == kNoTarget) {
    // Every enemy was passed over (all locked on and far): the nearest one, later slots
    // winning ties.
    int64_t nearest = std::numeric_limits<int64_t>::max();
    for (int32_t slot = 0; slot < kPoolSize; ++slot) {
      const TActor& enemy = ActorAt(slot);
      if (enemy.Active == 0 || enemy.Kind != KindEnemy) continue;
      const int64_t d = SquaredDistance(enemy, reference);
      if (d <= nearest) {
        nearest = d;
        result = slot;
      }
    }
    if (result == kNoTarget) return kNoTarget;
  }
  ActorAt(result).Work[kLockCount] += 1;
  return result;
}

TActor& LaunchMissile(int32_t x, int32_t y, int32_t step) {
  TActor& missile = NewActor(LayerBack);
  SetImage(missile, kMissileImage);
  missile.Kind = KindPlayerShot;
  missile.PatternPeriod = kMissilePatternPeriod;
  missile.HitScale = kMissileHitScale;
  missile.X = x + kLaunchAhead;
  missile.Y = y - kLaunchUp;
  auto& w = missile.Work;
  w[kMissileTarget] = PickTarget(*PlayerActor);
  w[kMissileSpeedX] = static_cast<int32_t>(RandomNext(0, kLaunchSpeedRange)) - kLaunchSpeedShift;
  w[kMissileSpeedY] = 0;
  w[kMissileGain] = 1;
  w[kMissileHits] = step + 2;
  w[kShotDamage] = step / 3 + 2;
  missile.Move = MissileMove;
  return missile;
}

void MissileMove(TActor& actor) {
  auto& w = actor.Work;
  if (w[kMissileTarget] == kNoTarget) w[kMissileTarget] = PickTarget(actor);
  TActor* target = &TargetOf(w[kMissileTarget]);
  if (target->Active == 0 || target->Kind != KindEnemy) {
    w[kMissileTarget] = PickTarget(actor);
    target = &TargetOf(w[kMissileTarget]);
  }

  actor.X += w[kMissileSpeedX] / kSpeedScale;
  actor.Y += w[kMissileSpeedY] / kSpeedScale;

  // Every enemy touched in this frame takes its hit, even past the one that spends the
  // missile's last hit; the missile is freed once the scan is over.
  ScanContacts(actor, KindEnemy, [&](TActor& enemy) {
    enemy.Work[kPendingDamage] = w[kShotDamage];
    ApplyDamage(enemy, 0);
    target->Work[kLockCount] = 0;
    w[kMissileSpeedX] *= kBounce;
    w[kMissileSpeedY] *= kBounce;
    w[kMissileHits] -= 1;
    return true;
  });
  if (w[kMissileHits] <= 0) {
    actor.Active = 0;
    return;
  }

  const int32_t gain = w[kMissileGain];
  if (w[kMissileGain] < kMaxGain) w[kMissileGain] += 1;
  w[kMissileSpeedX] += (target->X - actor.X) * gain / kMaxGain;
  w[kMissileSpeedY] += gain * (target->Y - actor.Y) / kMaxGain;
  w[kMissileSpeedX] = std::clamp(w[kMissileSpeedX], -kMaxSpeedX, kMaxSpeedX);
  w[kMissileSpeedY] = std::clamp(w[kMissileSpeedY], -kMaxSpeedY, kMaxSpeedY);

  if (actor.X < kLeftBound || actor.X >= kRightBound || actor.Y < kTopBound ||
      actor.Y > kBottomBound) {
    actor.Active = 0;
    target->Work[kLockCount] = 0;
  }
}

}  // namespace tolvane
