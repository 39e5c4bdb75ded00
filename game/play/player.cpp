// The player's states: entering from the left, playing, dying; and the weapon display.
#include "game/play/player.h"

#include <algorithm>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/engine/sound.h"
#include "game/play/game_state.h"
#include "game/play/play_field.h"
#include "game/play/player_parts.h"
#include "game/play/speed_tables.h"

namespace tolvane {

namespace {

constexpr int32_t kStep = 12;  // pixels per frame on each axis
// The hot spot keeps 40 % of its half extents inside the field.
constexpr int32_t kClampPercent = 40;

constexpr int32_t kPlayingPatternPeriod = 5;
// Dying: the hit picture for 40 frames, blinking over the last 20.
constexpr int32_t kHitImage = pic::kHit;
constexpr int32_t kHitPatternPeriod = 3;
constexpr int32_t kDeathFrames = 40;
constexpr int32_t kDeathBlinkFrom = 20;
constexpr int32_t kTailRegained = 2000;  // LossCharge for each tail lost and played on

constexpr int32_t kDigitPatternAtMax = 10;

void MoveByPad(TActor& player, const TPadState& pad) {
  if (PadHeld(pad, PadUp)) player.Y -= kStep;
  if (PadHeld(pad, PadDown)) player.Y += kStep;
  if (PadHeld(pad, PadLeft)) player.X -= kStep;
  if (PadHeld(pad, PadRight)) player.X += kStep;
  const int32_t marginX = player.CenterX * kClampPercent / 100;
  const int32_t marginY = player.CenterY * kClampPercent / 100;
  player.X = std::clamp(player.X, marginX, std::max(marginX, kFieldWidth - marginX));
  player.Y = std::clamp(player.Y, marginY, std::max(marginY, kFieldHeight - marginY));
}

}  // namespace

int32_t SelectedWeapon(const TActor& player) {
  return std::clamp(player.Work[kWeapon], 0, kWeaponCount - 1);
}

int32_t& WeaponLevel(TActor& player, int32_t weapon) {
  return player.Work[static_cast<size_t>(kWeaponLevel + std::clamp(weapon, 0, kWeaponCount - 1))];
}

void SetPlayerLook(TActor& player) {
  SetImage(player, kPlayerImage);
  player.CenterX -= kPlayerHotSpotLeft;
  player.CenterY -= kPlayerHotSpotUp;
}

void ShowWeaponLevel(TActor& player) {
  const int32_t level = WeaponLevel(player, SelectedWeapon(player));
  ActorAt(player.Work[kLevelGauge]).Pattern = level / 10;
  ActorAt(player.Work[kLevelDigit]).Pattern =
      level == kMaxWeaponLevel ? kDigitPatternAtMax : level % 10;
}

void ShowSelectedWeapon(TActor& player) {
  SetImage(ActorAt(player.Work[kWeaponIcon]), kWeaponIconImage + SelectedWeapon(player));
  ShowWeaponLevel(player);
}

TActor* HighestFilledOrb() {
  for (auto orb = ProtectionActors.rbegin(); orb != ProtectionActors.rend(); ++orb) {
    if ((*orb)->Image != kNoImage) return *orb;
  }
  return nullptr;
}

void PlayerEnter(TActor& actor) {
  MoveToward(actor, kPlayerEntryX, actor.Y, GlideTable);
  if (actor.X == kPlayerEntryX) actor.Move = PlayerMove;
}

void PlayerMove(TActor& actor) {
  auto& w = actor.Work;
  if (actor.Blink != 0) {
    w[kGuardTimer] -= 1;
    if (w[kGuardTimer] < 0) actor.Blink = 0;
  }
  TPadState pad{};
  ReadPad(pad);
  MoveByPad(actor, pad);
  FireAndSwitch(actor, pad);
  if (actor.Blink != 0) return;  // guarded: no contact
  CheckContacts(actor);
}

void LoseTail(TActor& player) {
  SetImage(player, kHitImage);
  player.PatternPeriod = kHitPatternPeriod;
  player.Work[kDeathTimer] = kDeathFrames;
  PlaySound(kSoundPlayerHit);
  Tails -= 1;
  player.Move = PlayerDying;
}

void PlayerDying(TActor& actor) {
  auto& w = actor.Work;
  w[kDeathTimer] -= 1;
  if (w[kDeathTimer] < kDeathBlinkFrom) actor.Blink = 1;
  if (w[kDeathTimer] > 0) return;
  actor.PatternPeriod = kPlayingPatternPeriod;
  actor.Pattern = 0;
  SetPlayerLook(actor);
  actor.X = kPlayerStartX;
  actor.Y = kPlayerStartY;
  actor.Blink = 1;
  w[kGuardTimer] = kEntryGuardFrames;
  w[kFireCooldown] = 0;
  if (Tails <= 0) {
    w[kDeathTimer] = 0;
    actor.Move = GameOverHook;
  } else {
    LossCharge += kTailRegained;
    actor.Move = PlayerEnter;
  }
}

}  // namespace tolvane
