// DartMove: a straight flight, each axis from the angle of the line to the target
// folded into the first quadrant, and the signs of the offsets.
#include "game/play/enemies/darts.h"

#include <cmath>

#include "game/play/enemies/enemy_common.h"
#include "game/play/enemy_behaviours.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"
#include "game/play/play_math.h"

namespace tolvane {

namespace {

constexpr int32_t kDartSpeed = 20;  // pixels per frame

constexpr int32_t kDartChance = 40;

int32_t SignOf(int64_t v) {
  return v < 0 ? -1 : 1;
}

}  // namespace

void AimDart(TActor& actor, int32_t targetX, int32_t targetY, int32_t speed) {
  auto& w = actor.Work;
  w[kOriginX] = actor.X;
  w[kOriginY] = actor.Y;
  w[kTargetX] = targetX;
  w[kTargetY] = targetY;
  w[kShotSpeed] = speed;
  w[kShotFrames] = 0;
  actor.Move = DartMove;
}

// A target straight above or below (no horizontal offset) sends the dart right along
// its row. A dart heading right is also freed past the right edge, where it would
// otherwise fly on for ever; darts launched from beyond the right edge head left.
void DartMove(TActor& actor) {
  auto& w = actor.Work;
  w[kShotFrames] += 1;
  const int32_t distance = w[kShotFrames] * w[kShotSpeed];
  const int64_t dx = int64_t{w[kTargetX]} - w[kOriginX];
  const int64_t dy = int64_t{w[kTargetY]} - w[kOriginY];
  const double angle =
      dx == 0 ? 0.0
              : std::atan(std::fabs(static_cast<double>(dy)) / std::fabs(static_cast<double>(dx)));
  actor.X = w[kOriginX] + RoundToInt(SignOf(dx) * std::cos(angle) * distance);
  actor.Y = w[kOriginY] + RoundToInt(SignOf(dy) * std::sin(angle) * distance);
  EnemyFire(actor, kDartChance, kAimedShotSpeed);
  const int32_t sides = osLeft + osTop + osBottom + (dx >= 0 ? osRight : 0);
  LeaveIfOff(actor, sides);
}

// Straight at where the player is at the spawn.
void SpawnDart(TActor& actor) {
  actor.Work[kOriginX] = actor.X;
  actor.Work[kOriginY] = actor.Y;
  actor.Work[kTargetX] = PlayerActor->X;
  actor.Work[kTargetY] = PlayerActor->Y;
  actor.Work[kShotSpeed] = kDartSpeed;
  actor.Work[kShotFrames] = 0;
}

}  // namespace tolvane
