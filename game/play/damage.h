#pragma once
// Damage and kills: the only way an enemy loses hit points. Whatever hits an enemy sets
// its PendingDamage and calls ApplyDamage with the combo level of what dealt the damage
// (0 for direct hits, the blast's level for blasts).
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// Applies and clears the enemy's PendingDamage. Nothing happens once the last tail is
// lost, with nothing pending, or while the enemy is still beyond the right edge (x > 480;
// its PendingDamage then stays). At 0 hit points the enemy dies: ScoreValue x (level + 1)
// points with their number shown at the enemy, a big blast for enemies worth more than
// 999, three blasts of level + 1 (or, for an enemy worth exactly 3, only a sound), the end
// of the boss fight for a boss, the item of its DropCode, and the enemy is freed.
void ApplyDamage(TActor& enemy, int32_t level);

// Frames of the big blast for an enemy of this worth; 0 = none.
int32_t BigBlastFrames(int32_t scoreValue);

}  // namespace tolvane
