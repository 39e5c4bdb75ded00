#pragma once
// The scrolling background: two layers, each a 480-pixel loop of 8 patterns of 60 pixels,
// drawn by BackdropActor's DrawProc. The stage script steers the two speeds.
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// BackdropActor's Work words.
inline constexpr int kFrontImageWord = 58;
inline constexpr int kBackImageWord = 59;
inline constexpr int kFrontPos = 60;  // 0-479; rising positions move the picture left
inline constexpr int kBackPos = 61;
inline constexpr int kFrontSpeed = 62;
inline constexpr int kBackSpeed = 63;

// Speeds at every stage start.
inline constexpr int32_t kStartFrontSpeed = 12;
inline constexpr int32_t kStartBackSpeed = 8;

// The DrawProc: advances both positions and draws the back layer, then the front one.
// The positions advance only here, so frames the driver skips do not scroll, and with
// BackgroundShown cleared nothing moves. With one layer the back layer runs twice as fast.
void BackdropDraw(TActor& actor);

// Both layers of the stage (1-5) at position 0 with the start speeds, BackdropDraw
// installed. A stage outside 1-5 gets no pictures.
void StartBackdrop(TActor& backdrop, int32_t stage);

// The scroll speeds of BackdropActor.
void SetScrollSpeeds(int32_t back, int32_t front);
int32_t BackSpeed();

}  // namespace tolvane
