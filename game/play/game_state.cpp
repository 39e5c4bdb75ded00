#include "game/play/game_state.h"

#include "game/engine/actor_pool.h"

namespace tolvane {

int32_t Score = 0;
int32_t Tails = 0;
int32_t MaxCombo = 0;
int32_t ShotCharge = 0;
int32_t LossCharge = 0;

TActor* StageActor = &ScratchActor;
TActor* PlayerActor = &ScratchActor;
TActor* BackdropActor = &ScratchActor;
TActor* DummyTarget = &ScratchActor;
std::array<TActor*, kProtectionCount> ProtectionActors = {
    &ScratchActor, &ScratchActor, &ScratchActor, &ScratchActor,
    &ScratchActor, &ScratchActor, &ScratchActor, &ScratchActor};

char* HudLine1 = nullptr;
char* HudLine2 = nullptr;

bool BackgroundShown = true;
bool BackgroundBothLayers = true;

MoveProc StageClearHook = nullptr;
MoveProc GameOverHook = nullptr;

int32_t StageNumber() {
  return StageActor->Work[kStageNumber];
}

void ResetGameState() {
  Score = 0;
  Tails = 0;
  MaxCombo = 0;
  ShotCharge = 0;
  LossCharge = 0;
  StageActor = &ScratchActor;
  PlayerActor = &ScratchActor;
  BackdropActor = &ScratchActor;
  DummyTarget = &ScratchActor;
  ProtectionActors.fill(&ScratchActor);
  HudLine1 = nullptr;
  HudLine2 = nullptr;
  BackgroundShown = true;
  BackgroundBothLayers = true;
  StageClearHook = nullptr;
  GameOverHook = nullptr;
}

}  // namespace tolvane
