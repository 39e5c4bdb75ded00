#pragma once
// The title screen: a drifting field of persistent tiles, the logo, and a menu caption
// offering four choices (start, high scores, options, quit). Every other screen comes
// back here by installing TitleSetup as the Move of some actor.
#include <cstdint>

#include "game/engine/actor.h"

namespace tolvane {

// Menu choices, in menu order.
inline constexpr int32_t kChoiceStart = 0;
inline constexpr int32_t kChoiceRanking = 1;
inline constexpr int32_t kChoiceOptions = 2;
inline constexpr int32_t kChoiceQuit = 3;
inline constexpr int32_t kMenuChoices = 4;

// Work words of the menu caption: the caption picture of each choice, the choice, and
// the slot of its key reader.
inline constexpr int kCaptionImageWord = 0;  // Work[0..3]
inline constexpr int kMenuChoiceWord = 10;
inline constexpr int kMenuReaderWord = 11;
// Work words of a background tile: its base position.
inline constexpr int kTileBaseX = 0;
inline constexpr int kTileBaseY = 1;

// Builds the title: clears the pool (the actor running it too) and resets the start
// stage and weapon levels.
void TitleSetup(TActor& actor);
// The menu caption: glides in, changes choice on the cursor keys, acts on button 1.
void TitleMenuMove(TActor& actor);
// A background tile: drifts up and left one pixel a frame, repeating every 180 frames.
void TitleTileMove(TActor& actor);
// The logo: glides in; any input puts it in place at once.
void TitleLogoMove(TActor& actor);

}  // namespace tolvane
