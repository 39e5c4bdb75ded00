// The 13 closing pictures: started one every 130 frames, each scrolling up and fading in;
// the last stops in the middle of the screen and waits for button 1.
#include <cstddef>
#include <cstdint>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/flow/ending.h"
#include "game/flow/title_screen.h"

namespace tolvane {

namespace {

constexpr int32_t kFirstClosingImage = pic::kCredit291;
constexpr int32_t kLastClosingImage = kFirstClosingImage + kClosingPictures - 1;
constexpr int32_t kInterval = 130;    // frames between two pictures
constexpr int32_t kStartPhase = 100;  // the first starts at frame 100
constexpr int32_t kRollEndFrame = 1680;

constexpr int32_t kClosingScale = 70;  // percent, across only
constexpr int32_t kClosingLeft = 250;
constexpr int32_t kStartY = 213;
constexpr int32_t kFadeInEndY = 181;  // fully opaque from here up
constexpr int32_t kFadeStep = 8;      // alpha per pixel risen
constexpr int32_t kOpaque = 255;
constexpr int32_t kGoneY = -100;
constexpr int32_t kStopY = 100;  // where the last picture waits

void StartClosingPicture(TActor& picture, int32_t k) {
  SetImage(picture, kFirstClosingImage + k);
  picture.Alpha = 0;
  picture.ScaleX = kClosingScale;
  picture.X = picture.CenterX * kClosingScale / 100 + kClosingLeft;
  picture.Y = kStartY;
  picture.Move = ClosingPictureMove;
}

}  // namespace

void CreditsRoll(TActor& holder) {
  const int32_t c = holder.Work[kCreditsFrame] + 1;
  holder.Work[kCreditsFrame] = c;
  const int32_t k = c / kInterval;
  if (c % kInterval == kStartPhase && k < kClosingPictures) {
    StartClosingPicture(ActorAt(holder.Work[static_cast<size_t>(kClosingPictureWord + k)]), k);
  }
  if (c == kRollEndFrame) holder.Move = nullptr;
}

void ClosingPictureMove(TActor& actor) {
  actor.Y -= 1;
  if (actor.Y < kGoneY) {
    actor.Image = kNoImage;
    actor.Move = nullptr;
    return;
  }
  actor.Alpha = actor.Y > kFadeInEndY ? (kStartY - actor.Y) * kFadeStep : kOpaque;
  if (actor.Y == kStopY && actor.Image == kLastClosingImage) actor.Move = ClosingWaitMove;
}

void ClosingWaitMove(TActor& actor) {
  TPadState pad{};
  ReadPad(pad);
  if (PadHeld(pad, PadButton1)) actor.Move = TitleSetup;
}

}  // namespace tolvane
