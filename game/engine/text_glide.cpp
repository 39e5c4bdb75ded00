// The glide family: GlideText.
#include <algorithm>

#include "game/engine/frame_state.h"
#include "game/engine/motion.h"
#include "game/engine/screen_setup.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_common.h"
#include "game/engine/work_slots.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr int32_t kGlideStartOffset = 500;  // letter i starts i*i + 500 right of its place
constexpr int32_t kLaunchTarget = -300;
constexpr int32_t kGoneLeftOf = -30;

int32_t& LetterX(TActor& a, int32_t k) {
  return a.Work[static_cast<size_t>(kGlideLetterWord + k)];
}

// Only the first kGlideLetters letters have a position word; later ones are not drawn
// (their words would run into other uses of Work and past its end).
int32_t DrawnLetters(const TActor& a) {
  return std::min(static_cast<int32_t>(ActorText(a).size()), kGlideLetters);
}

// Each letter bobs by up to 2 pixels in a wave that runs along the text.
void DrawGlidingLetters(TActor& a) {
  const std::string_view text = ActorText(a);
  const int32_t w = GlyphWidth * a.ScaleX / 100;
  const int32_t h = GlyphHeight * a.ScaleY / 100;
  for (int32_t k = 0; k < DrawnLetters(a); ++k) {
    // Only the angle mod 256 matters; unsigned arithmetic keeps a long run from overflowing.
    const uint32_t angle = static_cast<uint32_t>(k + 5) * 10u + static_cast<uint32_t>(a.Y) * 10u +
                           static_cast<uint32_t>(FrameCount) * 20u;
    const int32_t x = LetterX(a, k);
    const int32_t y =
        a.Y + static_cast<int32_t>(2 * pres::Sin256(static_cast<int32_t>(angle & 255u)));
    StretchGlyph(GlyphPattern(text[static_cast<size_t>(k)]), {x, y, x + w, y + h});
  }
}

}  // namespace

char* GlideText(int32_t col, int32_t row, std::string_view text, int32_t scaleY, int32_t scaleX,
                int32_t hold, int32_t delay) {
  TActor* a = nullptr;
  char* buffer = CreateTextActor(text, GlideWait, hold, delay, &a);
  if (a != nullptr) {
    a->X =
        col < 0
            ? CentredX(int64_t{scaleX} * static_cast<int64_t>(text.size()) * GlyphAdvance() / 100)
            : col * GlyphAdvance();
    a->Y = row * GlyphHeight;
    a->ScaleX = scaleX;
    a->ScaleY = scaleY;
  }
  return buffer;
}

void GlideWait(TActor& a) {
  if (!DelayUsedUp(a)) return;
  a.Draw = GlideIn;
  for (int32_t i = kGlideLetterWord; i < kGlideLetterWord + kGlideLetters; ++i) {
    a.Work[static_cast<size_t>(i)] = a.X + i * i + kGlideStartOffset;
  }
}

void GlideIn(TActor& a) {
  for (int32_t k = 0; k < kGlideLetters; ++k) {
    const int32_t place = k * GlyphAdvance() * a.ScaleX / 100 + a.X;
    LetterX(a, k) += SpeedStep(LetterX(a, k), place, GlideTable, kTextTableHigh);
  }
  DrawGlidingLetters(a);
  if (HoldRunsOut(a)) a.Draw = GlideOut;
}

void GlideOut(TActor& a) {
  for (int32_t k = 0; k < kGlideLetters; ++k) {
    LetterX(a, k) += SpeedStep(LetterX(a, k), kLaunchTarget, LaunchTable, kTextTableHigh);
  }
  DrawGlidingLetters(a);
  // An empty text has no last letter: it ends at once.
  const int32_t letters = DrawnLetters(a);
  if (letters == 0 || LetterX(a, letters - 1) < kGoneLeftOf) EndTextActor(a);
}

}  // namespace tolvane
