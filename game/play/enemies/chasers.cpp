// Glider (code 2), Charger (code 4), Lunger (code 12) and Popper (code 9).
#include "game/play/enemies/chasers.h"

#include <cstdlib>

#include "game/engine/sound.h"
#include "game/play/enemies/drifters.h"
#include "game/play/enemies/enemy_common.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"
#include "game/play/speed_tables.h"

namespace tolvane {

namespace {

constexpr uint32_t kGliderTargetRange = 360;  // the first target height: 0-359

constexpr int32_t kGliderTargetX = -100;  // well beyond the left edge
constexpr int32_t kGliderChance = 15;
constexpr int32_t kLungerChance = 30;

// Charger and Lunger change course once this close to the player's X.
constexpr int32_t kCloseX = 100;
// The charger turns back to the right at this speed.
constexpr int32_t kChargerBackDX = 16;
// The lunger flies on at the player's position at this speed.
constexpr int32_t kLungeSpeed = 8;

// The popper bursts at its first damage into two shots fired back to the left, a little
// up and a little down.
constexpr int32_t kPopperWholeHitPoints = 2000;
constexpr int32_t kBurstBack = 2;
constexpr int32_t kBurstSpread = 1;
constexpr int32_t kBurstSpeed = 10;

bool NearPlayerX(const TActor& actor) {
  return std::abs(actor.X - PlayerActor->X) < kCloseX;
}

void BurstShot(const TActor& popper, int32_t dy) {
  TActor& shot = NewAimedShot(kBulletImage, popper.X, popper.Y, popper.X - kBurstBack,
                              popper.Y + dy, kBurstSpeed);
  shot.PatternPeriod = kBulletPatternPeriod;
}

}  // namespace

void Glider(TActor& actor) {
  MoveToward(actor, kGliderTargetX, actor.Work[kGliderTargetY], RetreatTable);
  EnemyFire(actor, kGliderChance, kAimedShotSpeed);
  LeaveIfOff(actor, osLeft);
}

void Charger(TActor& actor) {
  MoveToward(actor, PlayerActor->X, PlayerActor->Y, SoftGlideTable);
  if (NearPlayerX(actor)) {
    BecomeDrifter(actor, TurnAwayDrift(actor), kChargerBackDX, kNeverFire, kAimedShotSpeed);
  }
}

// Once near, it flies on in a straight line at where the player is now, still an enemy
// that can be shot and scores; the line motion leaves the field on any edge.
void Lunger(TActor& actor) {
  MoveToward(actor, PlayerActor->X, PlayerActor->Y, SoftGlideTable);
  if (NearPlayerX(actor)) {
    auto& w = actor.Work;
    w[kOriginX] = actor.X;
    w[kOriginY] = actor.Y;
    w[kTargetX] = PlayerActor->X;
    w[kTargetY] = PlayerActor->Y;
    w[kShotSpeed] = kLungeSpeed;
    w[kShotFrames] = 0;
    actor.Move = AimedShotMove;
  }
  EnemyFire(actor, kLungerChance, kAimedShotSpeed);
}

// Freed without dying, so the burst gives no score.
void Popper(TActor& actor) {
  MoveToward(actor, PlayerActor->X, PlayerActor->Y, RetreatTable);
  if (actor.Work[kHitPoints] < kPopperWholeHitPoints) {
    PlaySound(kSoundLetter);
    BurstShot(actor, -kBurstSpread);
    BurstShot(actor, kBurstSpread);
    actor.Active = 0;
  }
}

void SpawnGlider(TActor& actor) {
  actor.Work[kGliderTargetY] = static_cast<int32_t>(RandomNext(kPlaceStream, kGliderTargetRange));
}

}  // namespace tolvane
