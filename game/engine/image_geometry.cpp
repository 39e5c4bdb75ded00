#include "game/engine/image_geometry.h"

#include "presentation/services.h"

namespace tolvane {

const pres::ImageEntry* ImageEntryAt(int32_t image) {
  const pres::ImageArchive* archive = pres::Services().archive;
  if (archive == nullptr || image < 0 || image >= archive->Count()) return nullptr;
  return &archive->Entry(image);
}

int32_t ImagePatternCount(int32_t image) {
  const pres::ImageEntry* entry = ImageEntryAt(image);
  return entry != nullptr ? pres::PatternCount(*entry) : 0;
}

void TakeImageGeometry(TActor& actor, int32_t image) {
  const pres::ImageEntry* entry = ImageEntryAt(image);
  actor.Width = entry != nullptr ? pres::PatternWidth(*entry) : 0;
  actor.Height = entry != nullptr ? pres::PatternHeight(*entry) : 0;
  actor.CenterX = actor.Width / 2;
  actor.CenterY = actor.Height / 2;
}

}  // namespace tolvane
