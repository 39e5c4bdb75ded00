// The blink family: BlinkText.
#include "game/engine/screen_setup.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_common.h"
#include "game/engine/work_slots.h"

namespace tolvane {

char* BlinkText(int32_t x, int32_t y, std::string_view text, int32_t scaleY, int32_t scaleX,
                int32_t hold, int32_t delay) {
  TActor* a = nullptr;
  char* buffer = CreateTextActor(text, BlinkWait, hold, delay, &a);
  if (a != nullptr) {
    // Centred as if unscaled.
    a->X = x < 0 ? CentredX(static_cast<int64_t>(text.size()) * GlyphAdvance()) : x;
    a->Y = y;
    a->ScaleX = scaleX;
    a->ScaleY = scaleY;
    a->Work[kTextStepWord] = 0;
  }
  return buffer;
}

void BlinkWait(TActor& a) {
  if (DelayUsedUp(a)) a.Draw = BlinkShow;
}

// Work[3] is 1 after a shown frame, so the next frame is left out.
void BlinkShow(TActor& a) {
  if (a.Work[kTextStepWord] != 0) {
    a.Work[kTextStepWord] = 0;
  } else {
    const int32_t w = GlyphWidth * a.ScaleX / 100;
    const int32_t h = GlyphHeight * a.ScaleY / 100;
    int32_t pen = a.X;
    for (char c : ActorText(a)) {
      StretchGlyph(GlyphPattern(c), {pen, a.Y, pen + w, a.Y + h});
      pen += GlyphAdvance() * a.ScaleX / 100;
    }
    a.Work[kTextStepWord] = 1;
  }
  if (HoldRunsOut(a)) EndTextActor(a);
}

}  // namespace tolvane
