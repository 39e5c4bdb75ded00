// Drifter (stage code 10 and the end state of others) and Swooper (code 1).
#include "game/play/enemies/drifters.h"

#include "game/engine/motion.h"
#include "game/play/enemies/enemy_common.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"
#include "game/play/play_field.h"

namespace tolvane {

namespace {

constexpr int32_t kDrifterStartDX = -16;
constexpr int32_t kDrifterChancePerStage = 20;  // fire chance 20 × (stage + 1)

// Swooper: flies left until x 150, then turns back to the right, diagonally.
constexpr int32_t kSwoopSpeed = 6;
constexpr int32_t kSwoopTurnX = 150;
constexpr int32_t kSwoopBackDX = 2;
constexpr int32_t kTurnAwayDY = 3;

}  // namespace

void BecomeDrifter(TActor& actor, int32_t dy, int32_t dx, int32_t chance, int32_t shotSpeed) {
  actor.Work[kDrifterDY] = dy;
  actor.Work[kDrifterDX] = dx;
  actor.Work[kDrifterChance] = chance;
  actor.Work[kDrifterShotSpeed] = shotSpeed;
  actor.Move = Drifter;
}

int32_t TurnAwayDrift(const TActor& actor) {
  return actor.Y >= kFieldHeight / 2 ? kTurnAwayDY : -kTurnAwayDY;
}

// Freed once off any edge, so a drifter must start within reach of the screen: a code-10
// record at the default x 550 is gone on its first frame. Stages place them at x 512 or less.
void Drifter(TActor& actor) {
  const int32_t dx = actor.Work[kDrifterDX];
  const int32_t dy = actor.Work[kDrifterDY];
  actor.X += dx;
  actor.Y += dy;
  EnemyFire(actor, actor.Work[kDrifterChance], actor.Work[kDrifterShotSpeed]);
  LeaveIfOff(actor, osAnySide);
}

void Swooper(TActor& actor) {
  actor.X -= kSwoopSpeed;
  if (actor.X < kSwoopTurnX) {
    BecomeDrifter(actor, TurnAwayDrift(actor), kSwoopBackDX, kNeverFire, kAimedShotSpeed);
  }
}

// Straight left at 16 pixels a frame, firing more often in later stages.
void SpawnDrifter(TActor& actor) {
  actor.Work[kDrifterDY] = 0;
  actor.Work[kDrifterDX] = kDrifterStartDX;
  actor.Work[kDrifterChance] = kDrifterChancePerStage * StageNumber() + kDrifterChancePerStage;
  actor.Work[kDrifterShotSpeed] = kAimedShotSpeed;
}

}  // namespace tolvane
