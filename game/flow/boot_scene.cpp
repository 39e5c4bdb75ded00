#include "game/flow/boot_scene.h"

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/sound.h"
#include "game/flow/ending.h"
#include "game/flow/flow_state.h"
#include "game/flow/game_progress.h"
#include "game/flow/high_score_file.h"
#include "game/flow/music.h"
#include "game/flow/title_screen.h"
#include "game/play/game_state.h"
#include "presentation/services.h"

namespace tolvane {

namespace {

void FollowKeySequence(const pres::InputDevice& input) {
  if (KeySequenceIndex < 0 || KeySequenceIndex > kKeysArmed) KeySequenceIndex = 0;
  if (!input.KeyIsDown(kDeveloperKeys[static_cast<size_t>(KeySequenceIndex)])) return;
  KeySequenceIndex += 1;
  if (KeySequenceIndex > kKeysArmed) KeySequenceIndex = 0;
}

void ActOnChords(const pres::InputDevice& input) {
  for (int key : kGuardKeys) {
    if (!input.KeyIsDown(key)) return;
  }
  if (input.KeyIsDown(kEndingKey)) {
    NewActor(LayerBack).Move = EndingStart;
    return;
  }
  for (const StageChord& chord : kStageChords) {
    if (!input.KeyIsDown(chord.key)) continue;
    StartStage = chord.stage;
    StartWeaponLevel.fill(chord.weaponLevel);
    NewActor(LayerBack).Move = NewGame;
    return;
  }
}

}  // namespace

void BootScene() {
  KeySequenceIndex = 0;
  NewActor(LayerFront).Move = TitleSetup;
  BackgroundShown = true;
  BackgroundBothLayers = true;
  MusicEnabled = true;
  SoundEnabled = 1;
  LoadTunes();
  ReadHighScores();
  SceneProc = TitleKeyWatcher;
}

void TitleKeyWatcher() {
  pres::InputDevice* input = pres::Services().input;
  if (input == nullptr) return;
  input->Update();
  FollowKeySequence(*input);
  if (KeySequenceIndex == kKeysArmed) ActOnChords(*input);
}

}  // namespace tolvane
