#include "game/engine/render_pass.h"

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/image_geometry.h"
#include "game/engine/screen_setup.h"
#include "presentation/services.h"

namespace tolvane {

namespace {

bool IsEndRow(const AnimRow& row) {
  return row.image == kAnimEnd;
}

// Advances table animation by one drawn frame. Returns the image to draw, or kNoImage
// when the actor was freed at the end of its table (or has no usable table).
int32_t AdvanceAnimation(TActor& a) {
  const AnimRow* table = a.AnimTable;
  if (table == nullptr || IsEndRow(table[0])) return kNoImage;
  if (a.AnimIndex < 0) a.AnimIndex = 0;  // only a behaviour's stray write gets here

  a.AnimCount += 1;
  if (a.AnimCount >= table[a.AnimIndex].frames) {
    a.AnimCount = 0;
    a.AnimIndex += a.AnimStep;
    if (a.AnimIndex < 0) {
      // A reversed walk ran off the front: go on forward from row 1. A one-row table has
      // no row 1, so it stays on row 0 instead of reading past its end.
      a.AnimIndex = IsEndRow(table[1]) ? 0 : 1;
      a.AnimStep = 1;
    } else if (IsEndRow(table[a.AnimIndex])) {
      switch (a.AnimMode) {
        case AnimPingPong:
          a.AnimIndex -= 1;
          a.AnimStep = -1;
          break;
        case AnimFree:
          a.Active = 0;
          return kNoImage;
        default:
          a.AnimIndex = 0;
          a.AnimStep = 1;
          break;
      }
    }
  }
  const int32_t image = table[a.AnimIndex].image;
  TakeImageGeometry(a, image);
  return image;
}

pres::Rect DrawingRect(const TActor& a) {
  const int32_t left = a.X - a.CenterX * a.ScaleX / 100;
  const int32_t top = a.Y - a.CenterY * a.ScaleY / 100;
  const int32_t w = a.Width * a.ScaleX / 100;
  const int32_t h = a.Height * a.ScaleY / 100;
  return {left, top, left + w, top + h};
}

// Draws the actor's picture by its blink, flash, scale and alpha.
void DrawSprite(pres::Display& display, const TActor& a, int32_t image) {
  const pres::Rect rect = DrawingRect(a);
  const bool offFrame = (a.Blink != 0 || a.Flash != 0) && a.BlinkPhase == 0;
  if (offFrame) {
    if (a.Flash != 0 && a.FlashImage == kNoImage) {
      display.DrawPatternAdd(image, rect, a.Pattern, 255);
    } else if (a.Flash != 0 && ImageEntryAt(a.FlashImage) != nullptr) {
      display.DrawPattern(a.FlashImage, rect.left, rect.top, a.Pattern);
    }
  } else if (a.Alpha != 255) {
    display.DrawPatternAlpha(image, rect, a.Pattern, a.Alpha);
  } else if (a.ScaleX != 100 || a.ScaleY != 100) {
    display.StretchPattern(image, rect, a.Pattern);
  } else {
    display.DrawPattern(image, rect.left, rect.top, a.Pattern);
  }
}

void DrawDefault(pres::Display& display, TActor& a) {
  int32_t image = a.Image;
  if (image == kAnimatedImage) {
    image = AdvanceAnimation(a);
    if (a.Active == 0) return;
  }
  // Only "no image" stands still; an index the archive lacks keeps its pattern cycle and
  // blink phase going and just draws nothing.
  if (image == kNoImage) return;

  if (a.PatternPeriod > 0) {
    const int32_t count = ImagePatternCount(image);
    if (count > 0) a.Pattern = (FrameCount / a.PatternPeriod) % count;
  }
  if (ImageEntryAt(image) != nullptr) DrawSprite(display, a, image);
  a.BlinkPhase ^= 1;
}

}  // namespace

void DrawActors() {
  pres::Display* display = pres::Services().display;
  if (display == nullptr || !display->CanDraw()) return;
  display->Fill(ClearColor);
  for (TActor& a : ActorPool) {
    if (a.Active == 0) continue;
    if (a.Draw != nullptr) {
      a.Draw(a);
    } else {
      DrawDefault(*display, a);
    }
  }
  display->Flip();
}

}  // namespace tolvane
