#include "game/flow/wobble.h"

#include <cmath>

#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr int32_t kAngleStep = 15;
constexpr int32_t kTurn = 256;
constexpr double kSwing = 5.0;  // percent
constexpr int32_t kStartAngleStream = 0;

}  // namespace

void WobbleMove(TActor& actor) {
  // Kept within one turn: the scales depend only on the angle modulo 256.
  int32_t& angle = actor.Work[kWobbleAngle];
  angle = ((angle % kTurn) + kAngleStep) % kTurn;
  const int32_t base = actor.Work[kWobbleBase];
  actor.ScaleX = static_cast<int32_t>(std::lround(kSwing * pres::Sin256(angle))) + base;
  actor.ScaleY = static_cast<int32_t>(std::lround(kSwing * pres::Cos256(angle))) + base;
}

TActor& NewWobblePicture(int32_t image, int32_t x, int32_t y, int32_t base) {
  TActor& picture = NewActor(LayerFront);
  SetImage(picture, image);
  picture.X = x;
  picture.Y = y;
  picture.Work[kWobbleAngle] = static_cast<int32_t>(RandomNext(kStartAngleStream, kTurn));
  picture.Work[kWobbleBase] = base;
  picture.Move = WobbleMove;
  return picture;
}

}  // namespace tolvane
