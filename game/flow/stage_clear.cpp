// StageClear: the tally at the end of a stage, frame by frame on the script's clock,
// then the next stage or, after the fifth, the ending.
#include <cstdio>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/sound.h"
#include "game/engine/text_slots.h"
#include "game/flow/ending.h"
#include "game/flow/file_names.h"
#include "game/flow/flow_state.h"
#include "game/flow/flow_texts.h"
#include "game/flow/game_progress.h"
#include "game/flow/music.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/speed_tables.h"
#include "game/play/stage_script.h"

namespace tolvane {

namespace {

// Frames of the tally, counted from 0 when the script's last record ran.
constexpr int32_t kFadeFrame = 0;
constexpr int32_t kLastGlideFrame = 59;
constexpr int32_t kPlayerStopFrame = 60;
constexpr int32_t kTailLineFrame = 69;
constexpr int32_t kComboLineFrame = 79;
constexpr int32_t kProtectionLineFrame = 89;
constexpr int32_t kThirdBannerFrame = 129;
constexpr int32_t kFourthBannerFrame = 159;
constexpr int32_t kNextStageFrame = 199;

constexpr int32_t kFadeTimeMs = 5000;

// Points per remaining tail, per step of the stage's highest combo, per filled orb.
constexpr int32_t kTailBonus = 10000;
constexpr int32_t kComboBonus = 1000;
constexpr int32_t kProtectionBonus = 10000;

// Banner 1 reads "stage clear" in the look of the stage; banner 2 rides beside it.
constexpr int32_t kBannerEarlyStages = pic::kStagePlate1;   // stages 1-2
constexpr int32_t kBannerMiddleStages = pic::kStagePlate3;  // stages 3-4
constexpr int32_t kBannerLastStage = pic::kStagePlate5;
constexpr int32_t kLastMiddleStage = 4;
constexpr int32_t kLastEarlyStage = 2;
constexpr int32_t kSecondBannerImage = pic::kClear;
constexpr int32_t kThirdBannerImage = pic::kBonus;
constexpr int32_t kFourthBannerImage = pic::kWellDone;
constexpr int32_t kBannerStartX = 720;
constexpr int32_t kBannerStartY = -160;
constexpr int32_t kBannerX = 240;
constexpr int32_t kBannerY = 160;
constexpr int32_t kSecondBannerDx = 90;
constexpr int32_t kSecondBannerDy = -15;

TActor& Banner(int number) {
  return *BannerActors[static_cast<size_t>(number - 1)];
}

void WriteTallyLine(int line, const char* format, int32_t amount) {
  std::snprintf(TallyText[static_cast<size_t>(line)], kTextSlotSize, format, amount);
}

void FollowFirstBanner() {
  Banner(2).X = Banner(1).X + kSecondBannerDx;
  Banner(2).Y = Banner(1).Y + kSecondBannerDy;
}

void StartBanners(int32_t stage) {
  const int32_t image = stage <= kLastEarlyStage    ? kBannerEarlyStages
                        : stage <= kLastMiddleStage ? kBannerMiddleStages
                                                    : kBannerLastStage;
  SetImage(Banner(1), image);
  Banner(1).X = kBannerStartX;
  Banner(1).Y = kBannerStartY;
  SetImage(Banner(2), kSecondBannerImage);
  FollowFirstBanner();
}

int32_t FilledOrbs() {
  int32_t count = 0;
  for (const TActor* orb : ProtectionActors) count += orb->Image != kNoImage ? 1 : 0;
  return count;
}

void NextStage(TActor& stageActor) {
  if (MusicEnabled) StopMusic();
  const int32_t cleared = stageActor.Work[kStageNumber];
  stageActor.Work[kStageNumber] = cleared + 1;
  if (cleared >= kStageCount) {
    NewActor(LayerBack).Move = EndingStart;
    return;
  }
  TActor& player = *PlayerActor;
  stageActor.Work[kNextWeapon] = SelectedWeapon(player);
  for (int32_t w = 0; w < kWeaponCount; ++w) {
    stageActor.Work[static_cast<size_t>(kNextWeaponLevel + w)] = WeaponLevel(player, w);
  }
  stageActor.Move = StageStart;
}

}  // namespace

void StageClear(TActor& actor) {
  const int32_t t = ScriptClock;
  ScriptClock = t + 1;
  if (t > kFadeFrame && t <= kLastGlideFrame) {
    MoveToward(Banner(1), kBannerX, kBannerY, SoftGlideTable);
    FollowFirstBanner();
    return;
  }
  switch (t) {
    case kFadeFrame:
      if (MusicEnabled) FadeoutMusic(kFadeTimeMs);
      StartBanners(actor.Work[kStageNumber]);
      break;
    case kPlayerStopFrame:
      PlayerActor->Move = nullptr;
      break;
    case kTailLineFrame:
      PlaySound(kSoundTally);
      WriteTallyLine(0, kTallyTailFormat, Tails * kTailBonus);
      break;
    case kComboLineFrame:
      PlaySound(kSoundTally);
      WriteTallyLine(1, kTallyComboFormat, MaxCombo * kComboBonus);
      break;
    case kProtectionLineFrame: {
      const int32_t orbs = FilledOrbs();
      PlaySound(kSoundTally);
      WriteTallyLine(2, kTallyProtectionFormat, orbs * kProtectionBonus);
      Score += Tails * kTailBonus + MaxCombo * kComboBonus + orbs * kProtectionBonus;
      break;
    }
    case kThirdBannerFrame:
      PlaySound(kSoundTally);
      SetImage(Banner(3), kThirdBannerImage);
      break;
    case kFourthBannerFrame:
      PlaySound(kSoundTally);
      SetImage(Banner(4), kFourthBannerImage);
      break;
    case kNextStageFrame:
      NextStage(actor);
      break;
    default:
      break;
  }
}

}  // namespace tolvane
