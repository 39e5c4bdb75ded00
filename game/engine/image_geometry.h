#pragma once
// Reading pattern geometry from the image archive for actors. A bad image index
// (no archive, negative, past the end) gives no entry and a size of 0 instead of a crash.
#include <cstdint>

#include "game/engine/actor.h"
#include "presentation/image_archive.h"

namespace tolvane {

// The archive entry for an index, or nullptr when there is none.
const pres::ImageEntry* ImageEntryAt(int32_t image);
// Pattern count of an image; 0 when it has no entry.
int32_t ImagePatternCount(int32_t image);
// Width, Height, CenterX, CenterY from the image's pattern size (Image is not changed).
void TakeImageGeometry(TActor& actor, int32_t image);

}  // namespace tolvane
