// The player's contact scan: what touches it costs a protection orb or a tail.
#include "game/engine/actor_pool.h"
#include "game/engine/motion.h"
#include "game/play/blasts.h"
#include "game/play/damage.h"
#include "game/play/enemy_words.h"
#include "game/play/player.h"
#include "game/play/player_parts.h"

namespace tolvane {

namespace {

// An absorbed hit guards the player for 20 frames.
constexpr int32_t kAbsorbGuardFrames = 20;
// What a protected player does to an enemy it touches.
constexpr int32_t kRamDamage = 100;

// The orb bursts and is emptied.
void SpendOrb(TActor& orb) {
  SpawnBlast(orb, 0, 0, 0, 0);
  orb.Image = kNoImage;
}

}  // namespace

void CheckContacts(TActor& player) {
  for (TActor& other : ActorPool) {
    const uint8_t kind = other.Kind;
    if (other.Active == 0 || (kind != KindEnemyShot && kind != KindEnemy && kind != KindOrbCost))
      continue;
    if (HitTest(player, other) == 0) continue;
    TActor* orb = HighestFilledOrb();
    if (kind == KindOrbCost) {
      // Costs an orb if there is one, never a tail, and only once.
      if (orb != nullptr) SpendOrb(*orb);
      other.Kind = KindNeutral;
      continue;
    }
    if (orb == nullptr) {
      LoseTail(player);
      return;
    }
    if (kind == KindEnemy) {
      other.Work[kPendingDamage] = kRamDamage;
      ApplyDamage(other, 0);
    } else {
      other.Active = 0;
    }
    player.Work[kGuardTimer] = kAbsorbGuardFrames;
    player.Blink = 1;
    SpendOrb(*orb);
    return;
  }
}

}  // namespace tolvane
