// The player's volleys of its three weapons and the weapon switch.
#include <algorithm>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/play/game_state.h"
#include "game/play/missiles.h"
#include "game/play/player.h"
#include "game/play/player_parts.h"
#include "game/play/player_shots.h"

namespace tolvane {

namespace {

// Every shot starts 70 pixels ahead of and 5 above the hot spot.
constexpr int32_t kMuzzleAhead = 70;
constexpr int32_t kMuzzleUp = 5;

// Weapon 0: the main shot, from step 2 two side shots, at step 5 two rear shots.
constexpr int32_t kMainImage = pic::kShotMain;
constexpr int32_t kMainHitScale = 80;
constexpr int32_t kMainSpeed = 8;
constexpr int32_t kSideUpImage = pic::kSideA;
constexpr int32_t kSideDownImage = pic::kSideB;
constexpr int32_t kSideHitScale = 60;
constexpr int32_t kSideSpeedX = 6;
constexpr int32_t kSideSpeedY = 8;
constexpr int32_t kSideFromStep = 2;
constexpr int32_t kRearSpeedX = -1;
constexpr int32_t kRearSpeedY = 12;
constexpr int32_t kRearFromStep = 5;
// Cooldowns: a base, less one from level 30 (weapons 0 and 2) or one per step (weapon 1).
constexpr int32_t kMainCooldown = 3;
constexpr int32_t kSpreadCooldown = 5;
constexpr int32_t kMissileCooldown = 2;
constexpr int32_t kFasterFromLevel = 30;
constexpr int32_t kMainCharge = 10;
constexpr int32_t kOtherCharge = 5;
constexpr int32_t kSlideInIconX = 550;
constexpr int32_t kSlideInLevelX = 600;

void FireMainVolley(int32_t x, int32_t y, int32_t step) {
  NewMainShot(x, y, kMainImage, kMainHitScale, kMainSpeed, 0, 3 * step + 10);
  if (step >= kSideFromStep) {
    NewMainShot(x, y, kSideUpImage, kSideHitScale, kSideSpeedX, -kSideSpeedY, 3 * step + 8);
    NewMainShot(x, y, kSideDownImage, kSideHitScale, kSideSpeedX, kSideSpeedY, 3 * step + 8);
  }
  if (step >= kRearFromStep) {
    NewMainShot(x, y, kSideDownImage, kSideHitScale, kRearSpeedX, -kRearSpeedY, 2 * step + 15);
    NewMainShot(x, y, kSideUpImage, kSideHitScale, kRearSpeedX, kRearSpeedY, 2 * step + 15);
  }
}

void FireVolley(TActor& player) {
  auto& w = player.Work;
  const int32_t weapon = SelectedWeapon(player);
  const int32_t level = WeaponLevel(player, weapon);
  const int32_t step = level / 10;
  const int32_t x = player.X + kMuzzleAhead;
  const int32_t y = player.Y - kMuzzleUp;
  if (weapon == 0) {
    w[kFireCooldown] = kMainCooldown - level / kFasterFromLevel;
    ShotCharge += kMainCharge;
    FireMainVolley(x, y, step);
  } else if (weapon == 1) {
    w[kFireCooldown] = kSpreadCooldown - step;
    ShotCharge += kOtherCharge;
    NewSpreadShot(x, y, step);
  } else {
    w[kFireCooldown] = kMissileCooldown - level / kFasterFromLevel;
    ShotCharge += kOtherCharge;
    LaunchMissile(player.X, player.Y, step);
  }
}

// The next weapon with a level above 0; with every level at 0 the selection stays.
void SelectNextWeapon(TActor& player) {
  int32_t weapon = SelectedWeapon(player);
  for (int32_t tries = 0; tries < kWeaponCount; ++tries) {
    weapon = (weapon + 1) % kWeaponCount;
    if (WeaponLevel(player, weapon) != 0) break;
  }
  player.Work[kWeapon] = weapon;
  // The three HUD actors slide in again from the right.
  ActorAt(player.Work[kWeaponIcon]).X = kSlideInIconX;
  ActorAt(player.Work[kLevelGauge]).X = kSlideInLevelX;
  ActorAt(player.Work[kLevelDigit]).X = kSlideInLevelX;
  ShowSelectedWeapon(player);
}

}  // namespace

void FireAndSwitch(TActor& player, const TPadState& pad) {
  auto& w = player.Work;
  if (w[kFireCooldown] > 0) w[kFireCooldown] -= 1;
  if (PadHeld(pad, PadButton1) && w[kFireCooldown] == 0) FireVolley(player);
  if (!PadHeld(pad, PadButton2)) {
    w[kSwitchLatch] = 0;
  } else if (w[kSwitchLatch] == 0) {
    w[kSwitchLatch] = 1;
    SelectNextWeapon(player);
  }
}

}  // namespace tolvane
