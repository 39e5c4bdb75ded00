#pragma once
// Pieces shared by the text actor families (internal to the engine).
#include <cstdint>
#include <string_view>

#include "game/engine/actor.h"
#include "presentation/display.h"

namespace tolvane {

// Pixels one character advances the pen at 100 %: the font cells overlap by 5.
int32_t GlyphAdvance();
// Glyph pattern of a character, or -1 for one outside 32..127 (drawn as nothing).
int32_t GlyphPattern(char c);
// The text of the actor's slot, up to its NUL and never past the buffer.
std::string_view ActorText(const TActor& actor);
// x that centres a text of this many characters at this advance on the screen.
int32_t CentredX(int64_t width);

// Takes a text slot and an actor on LayerFront with the first DrawProc, Hold and Delay.
// Returns the slot's buffer, or SpareTextBuffer (and *actor nullptr) when slots run out.
char* CreateTextActor(std::string_view text, DrawProc first, int32_t hold, int32_t delay,
                      TActor** actor);
// Frees the actor and its text slot.
void EndTextActor(TActor& actor);
// Counts Hold down by one frame; true on the frame it runs out (never for Hold <= 0).
bool HoldRunsOut(TActor& actor);
// Counts Delay down; true (and nothing else changes) once it is used up.
bool DelayUsedUp(TActor& actor);

// Font draws that skip glyphs with no pattern; nothing without a display.
void DrawGlyph(int32_t pattern, int32_t x, int32_t y);
void StretchGlyph(int32_t pattern, const pres::Rect& rect);
void DrawGlyphAlpha(int32_t pattern, const pres::Rect& rect, int32_t alpha);

}  // namespace tolvane
