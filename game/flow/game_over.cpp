// The loss of the last tail: the game-over picture, the placement of the score, and the
// continue screen with its shrinking countdown.
#include <array>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/engine/sound.h"
#include "game/engine/text_actors.h"
#include "game/flow/ending.h"
#include "game/flow/file_names.h"
#include "game/flow/game_progress.h"
#include "game/flow/high_scores.h"
#include "game/flow/music.h"
#include "game/flow/name_entry.h"
#include "game/flow/title_screen.h"
#include "game/play/boss_behaviours.h"
#include "game/play/game_state.h"
#include "game/play/player.h"

namespace tolvane {

namespace {

constexpr int32_t kGameOverImage = pic::kGameOver;
constexpr int32_t kGameOverX = 240;
constexpr int32_t kGameOverY = 160;
constexpr int32_t kGameOverHold = 150;
constexpr int32_t kLastGameOverFrame = 199;  // 200 frames before the placement

// Work words of the continue screen, on the same actor as the name entry before it.
constexpr int kContinueChoiceWord = 40;
constexpr int kCountdownWord = 41;
constexpr int kCountdownPictureWord = 42;
constexpr int kContinuePictureWord = 43;
constexpr int kGiveUpPictureWord = 44;
constexpr int kContinueReaderWord = 45;

constexpr int32_t kChoiceContinue = 0;
constexpr int32_t kChoiceGiveUp = 1;

constexpr int32_t kCountdownFrames = 280;
struct Picture {
  int32_t image;
  int32_t x;
  int32_t y;
};
constexpr Picture kCountdownPicture = {pic::kContinueQuestion, 240, 100};
constexpr Picture kContinuePicture = {pic::kContinueYes, 60, 280};
constexpr Picture kGiveUpPicture = {pic::kContinueNo, 200, 280};
constexpr int32_t kChosenScale = 100;
constexpr int32_t kOtherScale = 60;

constexpr int32_t kEndingWaitFrames = 100;
constexpr int32_t kStartTails = 3;
constexpr int32_t kContinueCharge = 10000;

TActor& NewPicture(const Picture& p) {
  TActor& picture = NewActor(LayerFront);
  SetImage(picture, p.image);
  picture.X = p.x;
  picture.Y = p.y;
  return picture;
}

void SetScale(TActor& actor, int32_t scale) {
  actor.ScaleX = scale;
  actor.ScaleY = scale;
}

void GiveUp() {
  StopMusic();
  ClearAllActors();
  NewActor(LayerFront).Move = TitleSetup;
}

// The stage starts again from its beginning, with the weapons the player had when it began.
void Continue(TActor& actor) {
  StopMusic();
  for (int word :
       {kCountdownPictureWord, kContinuePictureWord, kGiveUpPictureWord, kContinueReaderWord}) {
    ActorAt(actor.Work[static_cast<size_t>(word)]).Active = 0;
  }
  Tails = kStartTails;
  Score = 0;
  // The stage's noise overlay goes with the enemies: the stage starts again without it and
  // its script switches it on again when it gets there. Left on, it would cover the field
  // from the start and, switched on a second time, outlive the record that ends it.
  for (TActor& other : ActorPool) {
    const bool enemy = other.Kind == KindEnemy || other.Kind == KindEnemyShot;
    if (enemy || other.Draw == NoiseDraw) other.Active = 0;
  }
  LossCharge += kContinueCharge;
  StageActor->Move = StageStart;
  actor.Move = nullptr;  // the stage start puts the player back in
}

}  // namespace

void GameOverMove(TActor& actor) {
  int32_t& counter = actor.Work[kDeathTimer];
  if (counter == 0) PopPicture(kGameOverX, kGameOverY, kGameOverImage, kGameOverHold, 0);
  counter += 1;
  if (counter <= kLastGameOverFrame) return;
  const int32_t place = PlaceOf(Score);
  actor.Work[kPlaceWord] = place;
  actor.Move = place == kNotPlaced ? ContinueSetup : NameEntrySetup;
}

void ContinueSetup(TActor& actor) {
  if (actor.Work[kDeathTimer] > kEndingCounter) {
    actor.Work[kEndingWaitCounter] = kEndingWaitFrames;
    actor.Move = EndingWait;
    PlayTune(kEndingTune, kPlayOnce);  // whatever the music option says
    return;
  }
  actor.Work[kContinueChoiceWord] = kChoiceContinue;
  actor.Work[kCountdownPictureWord] = SlotOf(NewPicture(kCountdownPicture));
  actor.Work[kContinuePictureWord] = SlotOf(NewPicture(kContinuePicture));
  TActor& giveUp = NewPicture(kGiveUpPicture);
  SetScale(giveUp, kOtherScale);
  actor.Work[kGiveUpPictureWord] = SlotOf(giveUp);
  actor.Work[kContinueReaderWord] = SlotOf(NewMenuKeyReader());
  actor.Work[kCountdownWord] = kCountdownFrames;
  actor.Move = ContinueMove;
}

void ContinueMove(TActor& actor) {
  int32_t& choice = actor.Work[kContinueChoiceWord];
  int32_t& countdown = actor.Work[kCountdownWord];
  TPadState keys{};
  ReadMenuKey(ActorAt(actor.Work[kContinueReaderWord]), keys);
  const int32_t before = choice;
  if (PadHeld(keys, PadLeft)) choice = kChoiceContinue;
  if (PadHeld(keys, PadRight)) choice = kChoiceGiveUp;
  if (choice != before) PlaySound(kSoundBlip);

  const int32_t k = countdown;
  TActor& chosen =
      ActorAt(actor.Work[choice == kChoiceContinue ? kContinuePictureWord : kGiveUpPictureWord]);
  TActor& other =
      ActorAt(actor.Work[choice == kChoiceContinue ? kGiveUpPictureWord : kContinuePictureWord]);
  SetScale(chosen, k * kChosenScale / kCountdownFrames);
  SetScale(other, k * kOtherScale / kCountdownFrames);
  SetScale(ActorAt(actor.Work[kCountdownPictureWord]), k * kChosenScale / kCountdownFrames);

  countdown -= 1;
  if (countdown == 0) choice = kChoiceGiveUp;
  if (!PadHeld(keys, PadButton1) && countdown != 0) return;
  if (choice == kChoiceGiveUp) {
    GiveUp();
  } else {
    Continue(actor);
  }
}

}  // namespace tolvane
