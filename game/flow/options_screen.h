#pragma once
// The options screen: four rows (background detail, music, sound effects, done), each a
// label and its values as wobbling pictures. The cursor keys choose; button 1 on the
// "done" row sets the four switches and returns to the title. Nothing is stored.
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

inline constexpr int32_t kOptionRows = 4;
inline constexpr int32_t kDetailRow = 0;  // values: both layers, one layer, none
inline constexpr int32_t kMusicRow = 1;   // values: on, off
inline constexpr int32_t kSoundRow = 2;   // values: on, off
inline constexpr int32_t kDoneRow = 3;

// Work words of the options controller (a persistent actor made by the title menu).
inline constexpr int kRowLabelWord = 10;     // Work[10..13]: label of rows 0-3 (slots)
inline constexpr int kDetailValueWord = 14;  // Work[14..16]: row 0 values (slots)
inline constexpr int kMusicValueWord = 17;   // Work[17..18]: row 1 values (slots)
inline constexpr int kSoundValueWord = 19;   // Work[19..20]: row 2 values (slots)
inline constexpr int kOptionsReaderWord = 21;
inline constexpr int kOptionRowWord = 22;
inline constexpr int kRowValueWord = 23;  // Work[23..25]: chosen value of rows 0-2

// Builds the screen on the controller, which survives the clear with the title tiles.
void OptionsSetup(TActor& controller);
void OptionsMove(TActor& controller);

}  // namespace tolvane
