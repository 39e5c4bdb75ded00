#pragma once
// The contact scan every shot, blast and the player make: each active actor of one Kind
// whose hit box touches the scanning actor, in slot order.
#include <cstdint>

#include "game/engine/actor_pool.h"
#include "game/engine/motion.h"

namespace tolvane {

// Calls visit(other) for every active actor of the kind that passes HitTest with self,
// from slot 0 to 329. Each slot is looked at when the scan reaches it, so an actor freed
// by an earlier visit is passed over. visit returns false to end the scan early.
template <typename Visit>
void ScanContacts(const TActor& self, uint8_t kind, Visit visit) {
  for (TActor& other : ActorPool) {
    if (other.Active == 0 || other.Kind != kind || HitTest(self, other) == 0) continue;
    if (!visit(other)) return;
  }
}

}  // namespace tolvane
