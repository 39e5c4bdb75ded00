// The flickering overlay of stage codes 111 and 112: on every drawn frame one of six noise
// pictures, picked at random, is blended over the screen around the overlay actor.
#include "content/images/picture_ids.h"
#include "game/engine/image_geometry.h"
#include "game/engine/random_streams.h"
#include "game/play/boss_behaviours.h"
#include "presentation/services.h"

namespace tolvane {

namespace {

constexpr int32_t kFirstNoiseImage = pic::kNoise1;
constexpr uint32_t kNoiseImages = 6;
constexpr int32_t kNoiseStream = 0;
constexpr int32_t kNoiseAlpha = 180;

}  // namespace

void NoiseDraw(TActor& actor) {
  const int32_t image =
      kFirstNoiseImage + static_cast<int32_t>(RandomNext(kNoiseStream, kNoiseImages));
  const pres::ImageEntry* entry = ImageEntryAt(image);
  actor.Width = entry != nullptr ? pres::PatternWidth(*entry) : 0;
  actor.Height = entry != nullptr ? pres::PatternHeight(*entry) : 0;
  pres::Display* display = pres::Services().display;
  if (display == nullptr || entry == nullptr) return;
  const int32_t left = actor.X - actor.Width / 2;
  const int32_t top = actor.Y - actor.Height / 2;
  display->DrawPatternAlpha(image, {left, top, left + actor.Width, top + actor.Height}, 0,
                            kNoiseAlpha);
}

}  // namespace tolvane
