#include "game/engine/text_common.h"

#include <cstring>

#include "game/engine/actor_pool.h"
#include "game/engine/screen_setup.h"
#include "game/engine/text_slots.h"
#include "game/engine/work_slots.h"
#include "presentation/services.h"

namespace tolvane {

namespace {

constexpr int32_t kGlyphOverlap = 5;
constexpr unsigned char kFirstGlyph = 32;
constexpr unsigned char kLastGlyph = 127;

pres::Display* FontDisplay() {
  pres::Display* display = pres::Services().display;
  return FontImage >= 0 ? display : nullptr;
}

}  // namespace

int32_t GlyphAdvance() {
  return GlyphWidth - kGlyphOverlap;
}

int32_t GlyphPattern(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code < kFirstGlyph || code > kLastGlyph) return -1;
  return code - kFirstGlyph;
}

std::string_view ActorText(const TActor& actor) {
  const char* text = TextSlotText(actor.Work[kTextSlotWord]);
  if (text == nullptr) return {};
  // A caller writing in place may leave no NUL: stop at the buffer's end.
  const void* nul = std::memchr(text, '\0', kTextSlotSize);
  const size_t length =
      nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - text) : kTextSlotSize;
  return {text, length};
}

int32_t CentredX(int64_t width) {
  return static_cast<int32_t>((pres::kScreenWidth - width) / 2);
}

char* CreateTextActor(std::string_view text, DrawProc first, int32_t hold, int32_t delay,
                      TActor** actor) {
  const int32_t slot = TakeTextSlot(text);
  if (slot < 0) {
    *actor = nullptr;
    return SpareTextBuffer;
  }
  TActor& a = NewActor(LayerFront);
  a.Active = 1;
  a.Kind = KindNeutral;
  a.Draw = first;
  a.Work[kTextSlotWord] = slot;
  a.Work[kTextHoldWord] = hold;
  a.Work[kTextDelayWord] = delay;
  *actor = &a;
  return TextSlot[static_cast<size_t>(slot)].data();
}

void EndTextActor(TActor& actor) {
  actor.Active = 0;
  FreeTextSlot(actor.Work[kTextSlotWord]);
}

bool HoldRunsOut(TActor& actor) {
  int32_t& hold = actor.Work[kTextHoldWord];
  if (hold <= 0) return false;
  hold -= 1;
  return hold == 0;
}

bool DelayUsedUp(TActor& actor) {
  int32_t& delay = actor.Work[kTextDelayWord];
  if (delay <= 0) return true;
  delay -= 1;
  return false;
}

void DrawGlyph(int32_t pattern, int32_t x, int32_t y) {
  if (pres::Display* d = FontDisplay(); d != nullptr && pattern >= 0) {
    d->DrawPattern(FontImage, x, y, pattern);
  }
}

void StretchGlyph(int32_t pattern, const pres::Rect& rect) {
  if (pres::Display* d = FontDisplay(); d != nullptr && pattern >= 0) {
    d->StretchPattern(FontImage, rect, pattern);
  }
}

void DrawGlyphAlpha(int32_t pattern, const pres::Rect& rect, int32_t alpha) {
  if (pres::Display* d = FontDisplay(); d != nullptr && pattern >= 0) {
    d->DrawPatternAlpha(FontImage, rect, pattern, alpha);
  }
}

}  // namespace tolvane
