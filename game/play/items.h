#pragma once
// Items dropped by killed enemies: a weapon item raises its weapon's level, a protection
// item fills the first empty orb. They bob leftward and are taken by touching the player.
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"

namespace tolvane {

// Item Work words.
inline constexpr int kItemType = 0;    // 1-3 weapon type - 1 raised, 4 protection
inline constexpr int kItemBaseY = 1;   // the Y it bobs about
inline constexpr int kItemBornAt = 2;  // FrameCount at its creation

inline constexpr int32_t kProtectionItem = 4;
inline constexpr int32_t kProtectionItemImage = pic::kProtection;
// Weapon w's item is image kWeaponItemImage + w, type w + 1.
inline constexpr int32_t kWeaponItemImage = pic::kWeaponBolt;

// An item (back layer, Kind 5) at the enemy's position.
TActor& SpawnItem(const TActor& enemy, int32_t image, int32_t type);
void ItemMove(TActor& actor);

}  // namespace tolvane
