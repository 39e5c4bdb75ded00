// The ending's start, its wait for the tune, and its timeline of pictures.
#include "game/flow/ending.h"

#include <array>
#include <string>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/text_actors.h"
#include "game/flow/flow_state.h"
#include "game/flow/game_progress.h"
#include "game/flow/music.h"
#include "game/play/game_state.h"
#include "game/play/player.h"

namespace tolvane {

namespace {

constexpr int64_t kBudget = 150000;
constexpr int64_t kGoodBalance = 49999;  // above: the best verdict
constexpr int64_t kBadBalance = -50000;  // below: the worst
constexpr int32_t kGoodVerdict = pic::kCaption287;
constexpr int32_t kFairVerdict = pic::kCaption288;
constexpr int32_t kBadVerdict = pic::kCaption289;

constexpr int32_t kFullScale = 100;

// Captions and numbers sit at the bottom: left edge x 10, centre y 266.
constexpr int32_t kBottomLeft = 10;
constexpr int32_t kBottomCentreY = 266;
constexpr int32_t kCaptionLifeCut = 5;  // a caption goes 5 frames before its scene
constexpr int32_t kScreenCentreX = 240;
constexpr int32_t kForever = -1;

constexpr int32_t kDigitsImage = pic::kDigits;  // pattern k shows digit k
constexpr int32_t kChargeUnit = pic::kSum283;
constexpr int32_t kBalanceLabel = pic::kSum284;
constexpr int32_t kBalanceUnit = pic::kSum285;
constexpr int32_t kDebtUnit = pic::kSum304;

enum class Step {
  Scene,         // image top-left at (0, 0) for life frames
  Caption,       // image at the bottom for life - 5 frames
  ShotCharge,    // label image, ShotCharge, unit
  LossCharge,    // label image, LossCharge, unit
  Balance,       // label, the balance (its size when negative), unit by sign
  Verdict,       // a caption chosen by the balance
  FinalScene,    // image top-left at (0, 0), stays
  FinalCaption,  // image centred at (240, 266), stays
};

struct TimelineRow {
  int32_t frame;
  Step step;
  int32_t image;
  int32_t life;
};

constexpr std::array<TimelineRow, 19> kTimeline = {{
    {0, Step::Scene, pic::kSceneTowerFallen, 160},
    {9, Step::Caption, pic::kCaption274, 150},
    {159, Step::Scene, pic::kScenePrincessFree, 150},
    {164, Step::Caption, pic::kCaption275, 150},
    {309, Step::Scene, pic::kSceneFlightHome, 200},
    {314, Step::Caption, pic::kCaption276, 200},
    {509, Step::Scene, pic::kSceneChinaTown, 150},
    {514, Step::Caption, pic::kCaption277, 150},
    {659, Step::Scene, pic::kScenePeace, 200},
    {664, Step::Caption, pic::kCaption278, 200},
    {859, Step::Caption, pic::kCaption279, 100},
    {959, Step::ShotCharge, pic::kSum280, 95},
    {1059, Step::LossCharge, pic::kSum281, 95},
    {1159, Step::Caption, pic::kCaption282, 100},
    {1259, Step::Balance, kBalanceLabel, 145},
    {1409, Step::Caption, pic::kCaption286, 100},
    {1509, Step::Verdict, 0, 200},
    {1709, Step::FinalScene, pic::kSceneTogether, kForever},
    {1714, Step::FinalCaption, pic::kThankYou, kForever},
}};

// A LayerBack picture; with a life it frees itself after life + 1 frames.
TActor& NewPicture(int32_t image, int32_t life) {
  TActor& picture = NewActor(LayerBack);
  SetImage(picture, image);
  if (life != kForever) {
    picture.Work[kPictureLife] = life;
    picture.Move = TimedPictureMove;
  }
  return picture;
}

void Scene(int32_t image, int32_t life) {
  TActor& scene = NewPicture(image, life);
  scene.X = scene.CenterX;
  scene.Y = scene.CenterY;
}

// At the bottom with its left edge at x; returns the x after it.
int32_t AtBottom(TActor& picture, int32_t x) {
  picture.X = x + picture.CenterX;
  picture.Y = kBottomCentreY;
  return x + picture.Width;
}

void Caption(int32_t image, int32_t life) {
  AtBottom(NewPicture(image, life - kCaptionLifeCut), kBottomLeft);
}

void RunStep(const TimelineRow& row) {
  switch (row.step) {
    case Step::Scene:
    case Step::FinalScene:
      Scene(row.image, row.life);
      break;
    case Step::Caption:
      Caption(row.image, row.life);
      break;
    case Step::ShotCharge:
      NumberPicture(row.image, ShotCharge, kChargeUnit, row.life);
      break;
    case Step::LossCharge:
      NumberPicture(row.image, LossCharge, kChargeUnit, row.life);
      break;
    case Step::Balance: {
      const int64_t balance = EndingBalance();
      if (balance >= 0) {
        NumberPicture(row.image, balance, kBalanceUnit, row.life);
      } else {
        NumberPicture(row.image, -balance, kDebtUnit, row.life);
      }
      break;
    }
    case Step::Verdict:
      Caption(VerdictImage(EndingBalance()), row.life);
      break;
    case Step::FinalCaption: {
      TActor& caption = NewPicture(row.image, row.life);
      caption.X = kScreenCentreX;
      caption.Y = kBottomCentreY;
      break;
    }
  }
}

}  // namespace

int64_t EndingBalance() {
  return kBudget - ShotCharge - LossCharge;
}

int32_t VerdictImage(int64_t balance) {
  if (balance < kBadBalance) return kBadVerdict;
  if (balance > kGoodBalance) return kGoodVerdict;
  return kFairVerdict;
}

void EndingStart(TActor& /*actor*/) {
  ClearAllActors();
  GlideText(0, 0, "", kFullScale, kFullScale, 0, 0);
  GlideText(0, 1, "", kFullScale, kFullScale, 0, 0);
  if (MusicEnabled) StopMusic();
  // The game-over test with its counter past the game-over picture: the final score is
  // placed at once, then ContinueSetup sees the counter and goes on to EndingWait.
  TActor& placement = NewActor(LayerBack);
  placement.Work[kDeathTimer] = kEndingCounter;
  placement.Move = GameOverMove;
}

void EndingWait(TActor& actor) {
  int32_t& left = actor.Work[kEndingWaitCounter];
  left -= 1;
  if (left != 0) return;
  actor.Work[kTimelineFrame] = 0;
  actor.Move = EndingTimeline;
  TActor& holder = NewActor(LayerBack);
  holder.Work[kCreditsFrame] = 0;
  for (int32_t k = 0; k < kClosingPictures; ++k) {
    holder.Work[static_cast<size_t>(kClosingPictureWord + k)] = SlotOf(NewActor(LayerTop));
  }
  holder.Move = CreditsRoll;
}

void EndingTimeline(TActor& actor) {
  const int32_t t = actor.Work[kTimelineFrame];
  actor.Work[kTimelineFrame] = t + 1;
  for (const TimelineRow& row : kTimeline) {
    if (row.frame == t) RunStep(row);
  }
}

void NumberPicture(int32_t label, int64_t value, int32_t unit, int32_t life) {
  int32_t x = AtBottom(NewPicture(label, life), kBottomLeft);
  for (const char c : std::to_string(value)) {
    if (c < '0' || c > '9') continue;
    TActor& digit = NewPicture(kDigitsImage, life);
    digit.Pattern = c - '0';
    x = AtBottom(digit, x);
  }
  AtBottom(NewPicture(unit, life), x);
}

void TimedPictureMove(TActor& actor) {
  int32_t& life = actor.Work[kPictureLife];
  if (life == 0) {
    actor.Active = 0;
    return;
  }
  life -= 1;
}

}  // namespace tolvane
