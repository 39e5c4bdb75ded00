#pragma once
// Input sampling: the keyboard's input states as a TPadState, and ReadMenuKey, which
// turns held inputs into single presses with auto-repeat for menus.
#include <array>
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// 36 input states packed in 5 bytes: state n is bit (n mod 8) of byte (n div 8).
// The layout is fixed (behaviours test bits by these numbers); do not reorder.
using TPadState = std::array<uint8_t, 5>;
inline constexpr int PadUp = 0;
inline constexpr int PadDown = 1;
inline constexpr int PadLeft = 2;
inline constexpr int PadRight = 3;
inline constexpr int PadButton1 = 4;
inline constexpr int PadButton2 = 5;
inline constexpr int PadButton3 = 6;  // buttons 4..32 are bits 7..35
inline constexpr int kPadStates = 36;

// True when the state's bit is set.
bool PadHeld(const TPadState& pad, int bit);

// Reads the keyboard (updating the input device) and copies its state set. Nothing
// held when there is no input device.
void ReadPad(TPadState& state);

// At most one of up, down, left, right, button 1, button 2 per call: an input on the
// call it goes down (the first in that order wins), then, while it stays held, on every
// 6th call and after that every 2nd. Keeps its state in the actor's Work words 0, 1, 2
// and 51..56 (see work_slots.h).
void ReadMenuKey(TActor& actor, TPadState& keys);

// A menu screen's key reader: a bare LayerBack actor with ReadMenuKey's words zeroed,
// primed with one discarded call so an input still held when the screen opens is not
// taken as a press. Call ReadMenuKey on it once per frame.
TActor& NewMenuKeyReader();

}  // namespace tolvane
