// The pop family: PopPicture, a picture with an expanding, fading echo.
#include "game/engine/actor_pool.h"
#include "game/engine/image_geometry.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_common.h"
#include "game/engine/work_slots.h"
#include "presentation/services.h"

namespace tolvane {

namespace {

constexpr int32_t kScreenCentreX = 240;
constexpr int32_t kEchoStep = 30;  // 0, 30, ..., 240: 9 frames
constexpr int32_t kEchoEnd = 255;

// The display to draw the actor's picture on, or nullptr when there is nothing to draw.
pres::Display* PictureDisplay(const TActor& a) {
  pres::Display* d = pres::Services().display;
  return ImageEntryAt(a.Image) != nullptr ? d : nullptr;
}

void DrawPlain(const TActor& a) {
  if (pres::Display* d = PictureDisplay(a)) {
    d->DrawPattern(a.Image, a.X - a.CenterX, a.Y - a.CenterY, 0);
  }
}

// The echo grows from 1 to about 3.8 times the picture while fading from 255 to 15.
void DrawEcho(const TActor& a) {
  pres::Display* d = PictureDisplay(a);
  if (d == nullptr) return;
  const int32_t step = a.Work[kTextStepWord];
  const int32_t s = step * 3 + 256;
  const int32_t left = a.X - s * a.CenterX / 256;
  const int32_t top = a.Y - s * a.CenterY / 256;
  d->DrawPatternAlpha(a.Image, {left, top, left + s * a.Width / 256, top + s * a.Height / 256}, 0,
                      255 - step);
}

// Advances the echo; true once it has run its course.
bool EchoDone(TActor& a) {
  a.Work[kTextStepWord] += kEchoStep;
  return a.Work[kTextStepWord] > kEchoEnd;
}

}  // namespace

void PopPicture(int32_t x, int32_t y, int32_t image, int32_t hold, int32_t delay) {
  TActor& a = NewActor(LayerTop);
  a.Active = 1;
  a.Kind = KindNeutral;
  a.X = x < 0 ? kScreenCentreX : x;
  a.Y = y;
  SetImage(a, image);
  a.Work[kTextHoldWord] = hold;
  a.Work[kTextDelayWord] = delay;
  a.Draw = PopWait;
}

void PopWait(TActor& a) {
  if (!DelayUsedUp(a)) return;
  a.Draw = PopIn;
  a.Work[kTextStepWord] = 0;
}

void PopIn(TActor& a) {
  DrawPlain(a);
  DrawEcho(a);
  if (EchoDone(a)) a.Draw = PopHold;
}

void PopHold(TActor& a) {
  DrawPlain(a);
  if (HoldRunsOut(a)) {
    a.Work[kTextStepWord] = 0;
    a.Draw = PopOut;
  }
}

// The echo alone; the picture itself is gone. No text slot to free.
void PopOut(TActor& a) {
  DrawEcho(a);
  if (EchoDone(a)) a.Active = 0;
}

}  // namespace tolvane
