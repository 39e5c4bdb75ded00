#pragma once
// The state of the game in progress that the gameplay and the game flow share: score and
// counters, the persistent actors of the play screen, and the two hand-offs from play to
// the flow. The flow's new game fills the actor references and counters; the stage start
// resets MaxCombo. ResetGameState puts everything back to its start-of-run value.
#include <array>
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

extern int32_t Score;       // points; raised by kills and the stage clear tally
extern int32_t Tails;       // tails (lives) left; at 0 enemies can no longer be hurt
extern int32_t MaxCombo;    // highest blast level created in the current stage
extern int32_t ShotCharge;  // +10 per main-weapon volley, +5 per volley of the others
extern int32_t LossCharge;  // +2000 per tail lost and regained, +10000 per continue

// The persistent actors. After a reset each points at ScratchActor, so a read before the
// new game made them is harmless.
extern TActor* StageActor;  // runs StageStart, RunStageScript, StageClear in turn
extern TActor* PlayerActor;
extern TActor* BackdropActor;  // draws both background layers (BackdropDraw)
extern TActor* DummyTarget;    // at (550, 160), never drawn: what a missile aims at with no enemy
inline constexpr int kProtectionCount = 8;
extern std::array<TActor*, kProtectionCount> ProtectionActors;

// The HUD's two text buffers (from GlideText), rewritten every frame by RunStageScript;
// nullptr until the stage start creates them.
extern char* HudLine1;
extern char* HudLine2;

// StageActor's Work words that both the flow and the play read.
inline constexpr int kStageNumber = 50;  // 1-5
// The current stage, 1-5, from StageActor.
int32_t StageNumber();

// The background options (set by the options screen; both on at boot).
extern bool BackgroundShown;
extern bool BackgroundBothLayers;

// Hand-offs to the game flow, which sits above this module: code 999 of the stage script
// installs StageClearHook on StageActor, and the player's death after the last tail installs
// GameOverHook on PlayerActor. The flow stores its procedures here at start-up; while a hook
// is empty the actor simply stops moving.
extern MoveProc StageClearHook;
extern MoveProc GameOverHook;

void ResetGameState();

}  // namespace tolvane
