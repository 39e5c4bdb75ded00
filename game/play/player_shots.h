#pragma once
// The player's shots: main shots (weapon 0) that speed up as they fly and damage every
// enemy they touch, and spread shots (weapon 1) whose hit makes a damaging blast.
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// Player shot Work words.
inline constexpr int kShotSpeedX = 50;
inline constexpr int kShotSpeedY = 51;
inline constexpr int kShotDamage = 52;  // main shots and missiles

// A main shot (back layer, Kind 2) at (x, y).
TActor& NewMainShot(int32_t x, int32_t y, int32_t image, int32_t hitScale, int32_t speedX,
                    int32_t speedY, int32_t damage);
// A spread shot of the weapon step (level div 10): vertical speed -2S-5 .. 2S+4 at random,
// horizontal speed 16 - |vertical|.
TActor& NewSpreadShot(int32_t x, int32_t y, int32_t step);

void MainShotMove(TActor& actor);
void SpreadShotMove(TActor& actor);

}  // namespace tolvane
