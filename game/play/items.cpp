#include "game/play/items.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/motion.h"
#include "game/engine/sound.h"
#include "game/play/game_state.h"
#include "game/play/play_math.h"
#include "game/play/player.h"

namespace tolvane {

namespace {

constexpr int32_t kItemPatternPeriod = 2;
constexpr int32_t kItemHitScale = 150;
constexpr int32_t kItemSpeed = 3;  // pixels left per frame
constexpr double kBobFramesPerHalfTurn = 20;
constexpr double kBobHeight = 5;

// The first empty orb from slot 0 up gets filled; with all eight filled, nothing.
void FillProtection() {
  for (TActor* orb : ProtectionActors) {
    if (orb->Image == kNoImage) {
      SetImage(*orb, kOrbImage);
      return;
    }
  }
}

// A weapon item raises its own weapon, while the display keeps showing the selected one.
void RaiseWeapon(int32_t weapon) {
  int32_t& level = WeaponLevel(*PlayerActor, weapon);
  level = std::min(level + 1, kMaxWeaponLevel);
  ShowWeaponLevel(*PlayerActor);
}

}  // namespace

TActor& SpawnItem(const TActor& enemy, int32_t image, int32_t type) {
  TActor& item = NewActor(LayerBack);
  item.X = enemy.X;
  item.Y = enemy.Y;
  SetImage(item, image);
  item.Kind = KindItem;
  item.PatternPeriod = kItemPatternPeriod;
  item.HitScale = kItemHitScale;
  item.Work[kItemType] = type;
  item.Work[kItemBaseY] = enemy.Y;
  item.Work[kItemBornAt] = FrameCount;
  item.Move = ItemMove;
  return item;
}

void ItemMove(TActor& actor) {
  auto& w = actor.Work;
  actor.X -= kItemSpeed;
  const double age = static_cast<double>(FrameCount) - w[kItemBornAt];
  actor.Y = w[kItemBaseY] +
            RoundToInt(std::sin(age / kBobFramesPerHalfTurn * std::numbers::pi) * kBobHeight);
  if (IsOffScreen(actor, osLeft) != 0) {
    actor.Active = 0;
    return;
  }
  if (HitTest(actor, *PlayerActor) == 0) return;
  PlaySound(kSoundBlip);
  const int32_t type = w[kItemType];
  if (type == kProtectionItem) {
    FillProtection();
  } else if (type >= 1 && type <= kWeaponCount) {
    RaiseWeapon(type - 1);
  }
  actor.Active = 0;
}

}  // namespace tolvane
