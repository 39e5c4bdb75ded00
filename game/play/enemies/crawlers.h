#pragma once
// Crawlers: enemies thrown up from the field that land on the ceiling (or the floor) and
// crawl along it to the left, firing.
#include "game/play/enemy_behaviours.h"

namespace tolvane {

// Crawler Work word: the vertical speed of the throw, away from the surface it lands
// on; it falls by 2 a frame.
inline constexpr int kCrawlerThrow = kPrivateWords + 0;

}  // namespace tolvane
