#pragma once
// The steps of PlayerMove kept in their own files, and the tail loss they share.
#include "game/engine/actor.h"
#include "game/engine/pad_input.h"

namespace tolvane {

// Counts the fire cooldown down, fires a volley of the selected weapon while button 1 is
// held, and selects the next weapon once per press of button 2.
void FireAndSwitch(TActor& player, const TPadState& pad);
// The contact scan against enemies, enemy shots and orb-costing objects.
void CheckContacts(TActor& player);
// A tail is lost: the hit picture, the sound, one tail less, and the dying state.
void LoseTail(TActor& player);

}  // namespace tolvane
