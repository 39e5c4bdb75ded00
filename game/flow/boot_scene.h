#pragma once
// The first SceneProc (installed by the main window at start-up): switches every option
// on, loads the six tunes and the high-score table, builds the title on the next move
// pass, and leaves TitleKeyWatcher as the SceneProc for the rest of the run.
#include <array>
#include <cstdint>
#include <string_view>

#include "presentation/virtual_keys.h"

namespace tolvane {

// The developer key sequence, as virtual-key codes (the letters are their own codes,
// the blank is Space). Its eight letters typed in order arm the developer chords; the
// blank disarms them.
inline constexpr std::string_view kDeveloperKeys = "MOVRATIL ";
// KeySequenceIndex at which the chords work: the letters typed, the blank not yet.
inline constexpr int32_t kKeysArmed = 8;
// Both must be held for a chord to count.
inline constexpr std::array<int, 2> kGuardKeys = {pres::vk::kControl, pres::vk::kUp};
inline constexpr int kEndingKey = 'E';
// The stage chords: key, stage, level of all three weapons.
struct StageChord {
  int key;
  int32_t stage;
  int32_t weaponLevel;
};
inline constexpr std::array<StageChord, 4> kStageChords = {
    {{'2', 2, 17}, {'3', 3, 30}, {'4', 4, 40}, {'5', 5, 50}}};

void BootScene();

// Every frame, on every screen: follows the developer key sequence and, while it is
// armed and Ctrl and cursor-up are held, acts on the chords: E plays the ending; 2-5
// start a game at that stage with strong weapons (again on every frame they are held).
void TitleKeyWatcher();

}  // namespace tolvane
