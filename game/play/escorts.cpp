#include "game/play/escorts.h"

#include "game/engine/motion.h"
#include "game/play/game_state.h"
#include "game/play/play_field.h"
#include "game/play/speed_tables.h"

namespace tolvane {

namespace {

// Where they come from: above the field, or from its left edge.
constexpr int32_t kEscortLevelX = 80;
constexpr int32_t kEscortLevelY = -50;
constexpr int32_t kEscortSideX = -50;
constexpr int32_t kEscortAboveY = 80;
constexpr int32_t kEscortBelowY = 240;

constexpr int32_t kStayFrames = 50;  // frames spent near the player
constexpr int32_t kLevelX = 70;
constexpr int32_t kAheadOfPlayer = 50;
constexpr int32_t kAboveY = 36;
constexpr int32_t kBelowY = 284;
constexpr int32_t kLeaveX = kOffFieldRight;
constexpr int32_t kLeaveY = 160;

void Escort(TActor& actor, int32_t nearX, int32_t nearY) {
  actor.Work[kEscortFrames] += 1;
  if (actor.Work[kEscortFrames] <= kStayFrames) {
    MoveToward(actor, nearX, nearY, GlideTable);
    return;
  }
  MoveToward(actor, kLeaveX, kLeaveY, GlideTable);
  if (IsOffScreen(actor, osRight) != 0) actor.Active = 0;
}

}  // namespace

void EscortToPlayer(TActor& actor) {
  Escort(actor, kLevelX, PlayerActor->Y);
}
void EscortAbove(TActor& actor) {
  Escort(actor, PlayerActor->X + kAheadOfPlayer, kAboveY);
}
void EscortBelow(TActor& actor) {
  Escort(actor, PlayerActor->X + kAheadOfPlayer, kBelowY);
}

void SpawnEscortLevel(TActor& actor) {
  actor.X = kEscortLevelX;
  actor.Y = kEscortLevelY;
  actor.Work[kEscortFrames] = 0;
}

void SpawnEscortAbove(TActor& actor) {
  actor.X = kEscortSideX;
  actor.Y = kEscortAboveY;
  actor.Work[kEscortFrames] = 0;
}

void SpawnEscortBelow(TActor& actor) {
  actor.X = kEscortSideX;
  actor.Y = kEscortBelowY;
  actor.Work[kEscortFrames] = 0;
}

}  // namespace tolvane
