#pragma once
// The player: one actor steered by the pad inside the play field. It enters from the
// left, fires volleys of the selected weapon, switches weapons, and loses a tail on
// contact with an enemy or enemy shot unless a protection orb takes the hit.
#include <array>
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"

namespace tolvane {

// PlayerActor's Work words.
inline constexpr int kDeathTimer = 28;    // frames left in the dying sequence
inline constexpr int kGuardTimer = 29;    // guarded frames left while Blink is set
inline constexpr int kFireCooldown = 30;  // frames until the next volley
inline constexpr int kWeapon = 31;        // selected weapon 0-2
inline constexpr int kWeaponLevel = 32;   // levels of weapons 0, 1, 2 in Work[32..34], 0-50
inline constexpr int kWeaponIcon = 50;    // slots of the three HUD actors
inline constexpr int kLevelGauge = 51;
inline constexpr int kLevelDigit = 52;
inline constexpr int kSwitchLatch = 60;  // 1 while button 2 is held since a switch

inline constexpr int32_t kWeaponCount = 3;  // 0 main shot, 1 spread shot, 2 missiles
inline constexpr int32_t kMaxWeaponLevel = 50;

// The player's picture and its hot spot, 23 pixels left of and 5 above the picture's
// centre (the hit box is smaller than the picture).
inline constexpr int32_t kPlayerImage = pic::kShip;
inline constexpr int32_t kPlayerHitScale = 20;
inline constexpr int32_t kPlayerHotSpotLeft = 23;
inline constexpr int32_t kPlayerHotSpotUp = 5;
// Where the player comes back from after a lost tail, and where it enters to.
inline constexpr int32_t kPlayerStartX = -100;
inline constexpr int32_t kPlayerStartY = 160;
inline constexpr int32_t kPlayerEntryX = 30;
inline constexpr int32_t kEntryGuardFrames = 100;

// The weapon display: icon image 34 + weapon, gauge image 38 (pattern = level div 10),
// digit image 308 (pattern = level mod 10, or 10 at level 50).
inline constexpr int32_t kWeaponIconImage = pic::kWeaponBolt;
inline constexpr int32_t kLevelGaugeImage = pic::kGauge;
inline constexpr int32_t kLevelDigitImage = pic::kLevelDigit;
// HUD slide: the target X is each HUD actor's Work[kSlideTargetX].
inline constexpr int kSlideTargetX = 0;

// Protection orbs: Work[kOrbPhase] holds each orb's fixed phase, in 256ths of a turn, so
// that orbs filled from slot 0 up spread evenly around the player.
inline constexpr int kOrbPhase = 0;
inline constexpr std::array<int32_t, 8> kOrbPhases = {0, 128, 64, 192, 32, 160, 96, 224};
inline constexpr int32_t kOrbImage = pic::kOrb;  // a filled orb; an empty one has Image -1

// The player's MoveProcs: entering, playing, dying.
void PlayerEnter(TActor& actor);
void PlayerMove(TActor& actor);
void PlayerDying(TActor& actor);
// MoveProc of each protection orb: circles the player at 70 pixels.
void OrbMove(TActor& actor);
// MoveProc of the three weapon HUD actors: glides toward (Work[kSlideTargetX], Y).
void HudSlideMove(TActor& actor);

// The selected weapon (0-2 whatever the word holds) and a weapon's level word.
int32_t SelectedWeapon(const TActor& player);
int32_t& WeaponLevel(TActor& player, int32_t weapon);
// Image 30 with the shifted hot spot.
void SetPlayerLook(TActor& player);
// The weapon display shows the selected weapon: the icon's image, the gauge's and the
// digit's patterns.
void ShowSelectedWeapon(TActor& player);
// Gauge and digit patterns of the selected weapon's level.
void ShowWeaponLevel(TActor& player);
// The highest filled protection orb, or nullptr when all are empty.
TActor* HighestFilledOrb();

}  // namespace tolvane
