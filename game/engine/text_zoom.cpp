// The zoom family: TextAt and TextAtCell.
#include "game/engine/screen_setup.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_common.h"
#include "game/engine/work_slots.h"

namespace tolvane {

namespace {

constexpr int32_t kZoomInStart = 100;  // effect step counts down by 10 to below 0: 11 frames
constexpr int32_t kZoomOutStart = 99;  // 99 down to 9: 10 frames, alpha 198 .. 18
constexpr int32_t kZoomStepDown = 10;
constexpr int32_t kZoomAlphaUp = 20;

}  // namespace

char* TextAt(int32_t x, int32_t y, std::string_view text, int32_t hold, int32_t delay) {
  TActor* a = nullptr;
  char* buffer = CreateTextActor(text, ZoomTextWait, hold, delay, &a);
  if (a != nullptr) {
    // Centring uses the full length, even of a text cut to fit its slot.
    a->X = x < 0 ? CentredX(static_cast<int64_t>(text.size()) * GlyphAdvance()) : x;
    a->Y = y;
  }
  return buffer;
}

char* TextAtCell(int32_t col, int32_t row, std::string_view text, int32_t hold, int32_t delay) {
  return TextAt(col * GlyphAdvance(), row * GlyphHeight, text, hold, delay);
}

void ZoomTextWait(TActor& a) {
  if (!DelayUsedUp(a)) return;
  a.Draw = ZoomTextIn;
  a.Work[kTextStepWord] = kZoomInStart;
  a.Work[kTextStep2Word] = 0;
}

// Each glyph narrows from about 2.95 times its width to its own width about its centre
// while fading in.
void ZoomTextIn(TActor& a) {
  const int32_t step = a.Work[kTextStepWord];
  const int32_t s = step * step / 20 + 256;
  const int32_t w = s * GlyphWidth / 256;
  const int32_t cx = GlyphWidth / 2;
  int32_t pen = a.X;
  for (char c : ActorText(a)) {
    const int32_t left = pen + cx - s * cx / 256;
    DrawGlyphAlpha(GlyphPattern(c), {left, a.Y, left + w, a.Y + GlyphHeight},
                   a.Work[kTextStep2Word]);
    pen += GlyphAdvance();
  }
  a.Work[kTextStep2Word] += kZoomAlphaUp;
  a.Work[kTextStepWord] -= kZoomStepDown;
  if (a.Work[kTextStepWord] < 0) a.Draw = TextShow;
}

void TextShow(TActor& a) {
  int32_t pen = a.X;
  for (char c : ActorText(a)) {
    DrawGlyph(GlyphPattern(c), pen, a.Y);
    pen += GlyphAdvance();
  }
  if (HoldRunsOut(a)) {
    a.Work[kTextStepWord] = kZoomOutStart;
    a.Work[kTextStep2Word] = 0;
    a.Draw = ZoomTextOut;
  }
}

// The text stretches vertically about its middle line (1 + 10 N^2 / 256) while fading.
void ZoomTextOut(TActor& a) {
  const int32_t n = a.Work[kTextStep2Word];
  const int32_t t = GlyphHeight * (10 * n * n + 256);
  const int32_t top = a.Y + GlyphHeight / 2 - t / 512;
  int32_t pen = a.X;
  for (char c : ActorText(a)) {
    DrawGlyphAlpha(GlyphPattern(c), {pen, top, pen + GlyphWidth, top + t / 256},
                   2 * a.Work[kTextStepWord]);
    pen += GlyphAdvance();
  }
  a.Work[kTextStepWord] -= kZoomStepDown;
  if (a.Work[kTextStepWord] < 0) EndTextActor(a);
  a.Work[kTextStep2Word] += 1;
}

}  // namespace tolvane
