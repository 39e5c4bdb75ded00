#pragma once
// Splitters: enemies that glide in to the middle of the field and there split into two
// halves that fly apart, one up and one down, while moving left.
#include "content/images/picture_ids.h"
#include "game/engine/actor.h"
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// The Splitter's look (code 3, and its twin): two pictures, 5 drawn frames each.
inline constexpr AnimRow kSplitterAnim[] = {
    {pic::kSplitterA, 5}, {pic::kSplitterB, 5}, {kAnimEnd, 0}};

// Scatterer Work word: the half's vertical speed.
inline constexpr int kScatterDY = kPrivateWords + 0;

// Each half of a split splitter: moves left at 5 and apart at 6 pixels per frame.
void Scatterer(TActor& actor);

}  // namespace tolvane
