#pragma once
// Values the main window computes once at start-up and the engine draws with: the
// black pixel value and the font's cell size.
#include <cstdint>

namespace tolvane {

// Name of the archive entry that holds the bitmap font.
inline constexpr const char* kFontEntryName = "ImageListFont";
// The font picture is 16 glyphs across and 6 down: characters 32..127, row by row.
inline constexpr int32_t kFontColumns = 16;
inline constexpr int32_t kFontRows = 6;

extern uint32_t ClearColor;  // back-buffer pixel value for black
extern int32_t GlyphWidth;   // font cell size, pixels
extern int32_t GlyphHeight;
extern int32_t FontImage;  // archive index of the font entry; -1 before InitFontCells

// Finds the font entry by name, derives GlyphWidth/GlyphHeight from its whole-picture
// pattern size and writes the cell size back so each pattern is one glyph. Throws the
// archive's not-found error when the entry is missing.
void InitFontCells();

// Back to the start-of-run values (tests).
void ResetScreenSetup();

}  // namespace tolvane
