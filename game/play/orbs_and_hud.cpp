// The protection orbs circling the player and the sliding weapon display.
#include <cstdint>

#include "game/engine/frame_state.h"
#include "game/play/game_state.h"
#include "game/play/play_math.h"
#include "game/play/player.h"
#include "game/play/speed_tables.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr int64_t kOrbTurnPerFrame = 29;  // 256ths of a turn, backwards
constexpr int32_t kOrbRadius = 70;
constexpr int64_t kTurn = 256;

}  // namespace

void OrbMove(TActor& actor) {
  const auto angle = static_cast<int32_t>(
      (actor.Work[kOrbPhase] - int64_t{FrameCount} * kOrbTurnPerFrame) % kTurn);
  actor.X = PlayerActor->X + RoundToInt(pres::Sin256(angle) * kOrbRadius);
  actor.Y = PlayerActor->Y + RoundToInt(pres::Cos256(angle) * kOrbRadius);
}

void HudSlideMove(TActor& actor) {
  MoveToward(actor, actor.Work[kSlideTargetX], actor.Y, GlideTable);
}

}  // namespace tolvane
