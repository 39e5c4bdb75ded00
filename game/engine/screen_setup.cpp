#include "game/engine/screen_setup.h"

#include "presentation/services.h"

namespace tolvane {

uint32_t ClearColor = 0;
int32_t GlyphWidth = 0;
int32_t GlyphHeight = 0;
int32_t FontImage = -1;

void InitFontCells() {
  pres::ImageArchive& archive = *pres::Services().archive;
  pres::ImageEntry& font = archive.Find(kFontEntryName);
  GlyphWidth = pres::PatternWidth(font) / kFontColumns;
  GlyphHeight = pres::PatternHeight(font) / kFontRows;
  font.patternWidth = GlyphWidth;
  font.patternHeight = GlyphHeight;
  const pres::ImageArchive& entries = archive;  // reading the list decodes no picture
  FontImage = static_cast<int32_t>(&font - entries.Entries().data());
}

void ResetScreenSetup() {
  ClearColor = 0;
  GlyphWidth = 0;
  GlyphHeight = 0;
  FontImage = -1;
}

}  // namespace tolvane
