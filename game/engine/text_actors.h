#pragma once
// Text and picture actors: ordinary actors whose DrawProc draws a TextSlot's characters
// with the bitmap font (or, for PopPicture, a picture). Each waits Delay drawn frames,
// plays its entrance, holds Hold frames (0 or less = for ever), plays its exit and frees
// itself and its slot. Positions are the top-left of the first character, in pixels;
// a negative x centres the text on the 480-pixel screen.
//
// Each text creation returns its slot's buffer so the caller can rewrite the text in
// place (at most 63 characters and a NUL, see kTextSlotSize). With all 64 slots in use
// nothing is created and SpareTextBuffer is returned; writes to it show nowhere.
// A character outside 32..127 draws nothing but still advances the pen.
#include <cstdint>
#include <string_view>

#include "game/engine/actor.h"

namespace tolvane {

// Zooms in (narrowing and fading in over 11 frames), shows, then stretches out
// vertically while fading (10 frames).
char* TextAt(int32_t x, int32_t y, std::string_view text, int32_t hold, int32_t delay);
// TextAt at a font cell: col * (GlyphWidth - 5), row * GlyphHeight; col < 0 centres.
char* TextAtCell(int32_t col, int32_t row, std::string_view text, int32_t hold, int32_t delay);
// Letters glide in from the right one after another, bob gently, and after Hold fly out
// to the left. Scales in percent. Only the first 50 letters are drawn.
char* GlideText(int32_t col, int32_t row, std::string_view text, int32_t scaleY, int32_t scaleX,
                int32_t hold, int32_t delay);
// Shows on every other frame from the end of the wait until Hold runs out.
char* BlinkText(int32_t x, int32_t y, std::string_view text, int32_t scaleY, int32_t scaleX,
                int32_t hold, int32_t delay);
// A picture (pattern 0 of image) centred on (x, y), x < 0 meaning 240, that pops in with
// an expanding, fading echo, holds, and pops out. Takes no text slot.
void PopPicture(int32_t x, int32_t y, int32_t image, int32_t hold, int32_t delay);

// The families' DrawProcs, in the order each family runs through them.
void ZoomTextWait(TActor& actor);
void ZoomTextIn(TActor& actor);
void TextShow(TActor& actor);
void ZoomTextOut(TActor& actor);
void GlideWait(TActor& actor);
void GlideIn(TActor& actor);
void GlideOut(TActor& actor);
void BlinkWait(TActor& actor);
void BlinkShow(TActor& actor);
void PopWait(TActor& actor);
void PopIn(TActor& actor);
void PopHold(TActor& actor);
void PopOut(TActor& actor);

}  // namespace tolvane
