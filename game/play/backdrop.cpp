#include "game/play/backdrop.h"

#include <array>

#include "content/images/picture_ids.h"
#include "game/engine/actor.h"
#include "game/play/game_state.h"
#include "presentation/services.h"

namespace tolvane {

namespace {

constexpr int32_t kLoopWidth = 480;
constexpr int32_t kTileWidth = 60;
constexpr int32_t kTilePatterns = 8;  // patterns per layer picture, one loop
constexpr int32_t kTilesDrawn = 9;    // one more than a screen, for the partly shown tile

// Layer pictures of stages 1-5.
constexpr std::array<int32_t, 5> kStageFrontImage = {
    pic::kStage1Front, pic::kStage2Front, pic::kStage3Front, pic::kStage4Front, pic::kStage5Front};
constexpr std::array<int32_t, 5> kStageBackImage = {
    pic::kStage1Back, pic::kStage2Back, pic::kStage3Back, pic::kStage4Back, pic::kStage5Back};

int32_t Advance(int32_t pos, int32_t speed) {
  return (pos + speed) % kLoopWidth;
}

void DrawLayer(pres::Display& display, int32_t image, int32_t pos) {
  for (int32_t k = 0; k < kTilesDrawn; ++k) {
    const int32_t x = -(pos % kTileWidth) + kTileWidth * k;
    display.DrawPattern(image, x, 0, (pos / kTileWidth + k) % kTilePatterns);
  }
}

}  // namespace

void BackdropDraw(TActor& actor) {
  if (!BackgroundShown) return;
  auto& w = actor.Work;
  w[kFrontPos] = Advance(w[kFrontPos], w[kFrontSpeed]);
  const int32_t backStep = BackgroundBothLayers ? w[kBackSpeed] : 2 * w[kBackSpeed];
  w[kBackPos] = Advance(w[kBackPos], backStep);
  pres::Display* display = pres::Services().display;
  if (display == nullptr) return;
  DrawLayer(*display, w[kBackImageWord], w[kBackPos]);
  if (BackgroundBothLayers) DrawLayer(*display, w[kFrontImageWord], w[kFrontPos]);
}

void StartBackdrop(TActor& backdrop, int32_t stage) {
  const bool known = stage >= 1 && stage <= static_cast<int32_t>(kStageFrontImage.size());
  auto& w = backdrop.Work;
  w[kFrontImageWord] = known ? kStageFrontImage[static_cast<size_t>(stage - 1)] : kNoImage;
  w[kBackImageWord] = known ? kStageBackImage[static_cast<size_t>(stage - 1)] : kNoImage;
  w[kFrontPos] = 0;
  w[kBackPos] = 0;
  w[kFrontSpeed] = kStartFrontSpeed;
  w[kBackSpeed] = kStartBackSpeed;
  backdrop.Draw = BackdropDraw;
}

void SetScrollSpeeds(int32_t back, int32_t front) {
  BackdropActor->Work[kBackSpeed] = back;
  BackdropActor->Work[kFrontSpeed] = front;
}

int32_t BackSpeed() {
  return BackdropActor->Work[kBackSpeed];
}

}  // namespace tolvane
