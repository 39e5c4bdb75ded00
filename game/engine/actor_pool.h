#pragma once
// The fixed pool of 330 actors, the scratch record handed out on exhaustion, and the
// operations that take, reset, clear and move actors. Slot order is move order and
// drawing order: a higher slot moves later and is drawn over a lower one.
#include <array>
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

inline constexpr int32_t kPoolSize = 330;
// Slot number of ScratchActor, for Work words that hold actor references.
inline constexpr int32_t kScratchSlot = 330;

// Layers choose where NewActor looks for a free slot, hence the drawing order.
inline constexpr uint8_t LayerFront = 0;  // scans 300 down to 1
inline constexpr uint8_t LayerBack = 1;   // scans 0 up to 328
inline constexpr uint8_t LayerTop = 2;    // scans 329 down to 1 (any other value too)

extern std::array<TActor, kPoolSize> ActorPool;
// Returned when no tested slot is free. Never moved, drawn or cleared, so whatever a
// caller writes into it has no effect on the game.
extern TActor ScratchActor;

// Takes the first free slot of the layer's scan and resets it; AnimTable and Work keep
// what the previous occupant left. Returns ScratchActor, untouched, when none is free.
TActor& NewActor(uint8_t layer);

// Gives the actor an archive image and takes its pattern size; centres the hot spot.
void SetImage(TActor& actor, int32_t image);

// Frees every slot and every text slot.
void ClearAllActors();
// Frees every slot except those with Active exactly 1 and Kind KindPersistent, and
// every text slot (also those of kept actors).
void ClearSceneActors();

// The move pass: each active slot with a MoveProc, in slot order, reading each slot's
// state when the pass reaches it.
void MoveActors();

// Actor references in Work words. SlotOf gives 0..329 or kScratchSlot; ActorAt maps a
// slot number back, and any number outside the pool to ScratchActor.
int32_t SlotOf(const TActor& actor);
TActor& ActorAt(int32_t slot);

// Zero-fills the pool and the scratch actor, as at program start (tests).
void ResetActorPool();

}  // namespace tolvane
