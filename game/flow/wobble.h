#pragma once
// Menu pictures that wobble gently: their scales swing 5 % around a base scale on a
// circle, so a picture looks alive; a screen highlights one by raising its base.
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// Work words of a wobbling picture.
inline constexpr int kWobbleAngle = 0;  // 256ths of a turn
inline constexpr int kWobbleBase = 1;   // base scale, percent

// Base scales: plain and highlighted menu pictures; the name-entry letters and heading.
inline constexpr int32_t kWobblePlain = 60;
inline constexpr int32_t kWobbleChosen = 100;
inline constexpr int32_t kWobbleLetter = 40;
inline constexpr int32_t kWobbleHeading = 70;

// The angle advances 15 each frame; ScaleX = base + round(5 sin), ScaleY = base + round(5 cos).
void WobbleMove(TActor& actor);

// A LayerFront picture at (x, y) with a random start angle and the base scale, wobbling.
TActor& NewWobblePicture(int32_t image, int32_t x, int32_t y, int32_t base);

}  // namespace tolvane
