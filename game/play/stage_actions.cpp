// The stage codes that spawn no enemy: the noise overlay, pictures, captions and the
// scroll speeds.
#include <cstddef>

#include "game/engine/actor_pool.h"
#include "game/engine/text_actors.h"
#include "game/play/backdrop.h"
#include "game/play/boss_behaviours.h"
#include "game/play/game_state.h"
#include "game/play/stage_parts.h"
#include "game/play/stage_script.h"
#include "game/play/stage_texts.h"

namespace tolvane {

namespace {

constexpr int32_t kNoiseX = 370;
constexpr int32_t kNoiseY = 170;
constexpr int32_t kPictureX = 240;
constexpr int32_t kPictureY = 260;
// Captions: centred glide text on row 6 at 100 %, shown 100 frames; the final boss's
// name follows on row 8 after 20 frames.
constexpr int32_t kCentred = -1;
constexpr int32_t kCaptionRow = 6;
constexpr int32_t kNameRow = 8;
constexpr int32_t kCaptionScale = 100;
constexpr int32_t kCaptionHold = 100;
constexpr int32_t kNameDelay = 20;
// Scroll speeds (back, front).
constexpr int32_t kSlowBack = 1;
constexpr int32_t kSlowFront = 3;
constexpr int32_t kFastBack = 10;
constexpr int32_t kFastFront = 14;

void NoiseOn() {
  TActor& noise = NewActor(LayerBack);
  noise.X = kNoiseX;
  noise.Y = kNoiseY;
  noise.Kind = KindNeutral;
  noise.Draw = NoiseDraw;
  StageActor->Work[kNoiseOverlay] = SlotOf(noise);
}

// Frees the overlay only if the slot still holds it: a second "off", or an "off" with no
// "on" before it, leaves whatever else lives in that slot alone.
void NoiseOff() {
  TActor& noise = ActorAt(StageActor->Work[kNoiseOverlay]);
  if (noise.Active != 0 && noise.Draw == NoiseDraw) noise.Active = 0;
  StageActor->Work[kNoiseOverlay] = kScratchSlot;
}

// Picture ArgX (1-91) of the list; a number outside the list shows nothing (ArgX 0
// becomes 550 before the code acts, which would otherwise read far past the list).
void ShowPicture(const StageRecord& record) {
  if (Tails < 1) return;
  if (record.ArgX < 1 || record.ArgX > static_cast<int32_t>(kPictureList.size())) return;
  PopPicture(kPictureX, kPictureY, kPictureList[static_cast<size_t>(record.ArgX - 1)], record.ArgY,
             record.Extra);
}

void Caption(const char* text, int32_t row, int32_t delay) {
  GlideText(kCentred, row, text, kCaptionScale, kCaptionScale, kCaptionHold, delay);
}

void BossCaption(const StageRecord& record) {
  SetScrollSpeeds(kSlowBack, kSlowFront);
  if (Tails < 1) return;
  if (record.ArgX < 1 || record.ArgX > static_cast<int32_t>(kBossCaptions.size())) return;
  Caption(kBossCaptions[static_cast<size_t>(record.ArgX - 1)], kCaptionRow, 0);
}

void FinalCaption() {
  if (Tails <= 0) return;
  Caption(kFinalBossCaption, kCaptionRow, 0);
  Caption(kFinalBossName, kNameRow, kNameDelay);
}

}  // namespace

void PerformRecord(const StageRecord& record) {
  const StageCode* code = FindStageCode(record.Code);
  if (code == nullptr) return;
  switch (code->action) {
    case CodeAction::Spawn:
      SpawnFromRecord(*code, record);
      break;
    case CodeAction::NoiseOn:
      NoiseOn();
      break;
    case CodeAction::NoiseOff:
      NoiseOff();
      break;
    case CodeAction::Picture:
      ShowPicture(record);
      break;
    case CodeAction::BossCaption:
      BossCaption(record);
      break;
    case CodeAction::SlowScroll:
      SetScrollSpeeds(kSlowBack, kSlowFront);
      break;
    case CodeAction::FastScroll:
      SetScrollSpeeds(kFastBack, kFastFront);
      break;
    case CodeAction::FinalCaption:
      FinalCaption();
      break;
    case CodeAction::Halt:        // handled by RunStageScript
    case CodeAction::StageClear:  // likewise
      break;
  }
}

}  // namespace tolvane
