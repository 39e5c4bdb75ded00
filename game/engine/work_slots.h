#pragma once
// The Work words the engine itself uses. Any other word is private to the behaviour
// that owns the actor. Text actors use 0..4 (gliding letters also 5..54); an actor
// that calls ReadMenuKey lends it 0, 1, 2 and 51..56.
#include <cstdint>

namespace tolvane {

// Text and picture actors.
inline constexpr int kTextSlotWord = 0;     // TextSlot number
inline constexpr int kTextHoldWord = 1;     // frames to stay after the entrance; <= 0 = for ever
inline constexpr int kTextDelayWord = 2;    // frames to wait before the entrance
inline constexpr int kTextStepWord = 3;     // effect step (per family)
inline constexpr int kTextStep2Word = 4;    // second effect step (zoom family)
inline constexpr int kGlideLetterWord = 5;  // x of gliding letter k is Work[5 + k]
inline constexpr int kGlideLetters = 50;    // letters 0..49 move; later ones are not drawn

// ReadMenuKey's state in the calling actor.
inline constexpr int kMenuCounterWord = 0;    // calls since the last output
inline constexpr int kMenuRepeatingWord = 1;  // 0 = waiting for the first repeat
inline constexpr int kMenuCurrentWord = 2;    // input being repeated, 1..6; 0 = none
inline constexpr int kMenuHeldWord = 50;      // Work[50 + j] = input j held last call, j = 1..6

}  // namespace tolvane
