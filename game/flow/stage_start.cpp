// StageStart: the stage file, captions, tune, background, opening pictures and the
// player's entry; and the opening pictures' slide.
#include <array>
#include <string>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/motion.h"
#include "game/engine/random_streams.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_slots.h"
#include "game/engine/work_slots.h"
#include "game/flow/file_names.h"
#include "game/flow/flow_state.h"
#include "game/flow/flow_texts.h"
#include "game/flow/game_progress.h"
#include "game/flow/music.h"
#include "game/host/host_services.h"
#include "game/host/program_paths.h"
#include "game/host/program_state.h"
#include "game/play/backdrop.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/speed_tables.h"
#include "game/play/stage_script.h"

namespace tolvane {

namespace {

// Stage title on row 6 for 100 frames; "Start!!" on row 9 after it, for 20 frames.
constexpr int32_t kCentred = -1;
constexpr int32_t kTitleRow = 6;
constexpr int32_t kTitleHold = 100;
constexpr int32_t kStartRow = 9;
constexpr int32_t kStartHold = 20;
constexpr int32_t kStartDelay = 100;

// The HUD lines glide in on rows 0 and 1 after 20 frames and stay.
constexpr int32_t kHudDelay = 20;
constexpr int32_t kFullScale = 100;

struct Panel {
  int32_t image;
  int32_t x;
  int32_t y;
  int32_t hold;
  int32_t targetX;
};
constexpr std::array<Panel, 2> kOpeningPanels = {
    {{pic::kReady, 240, 160, 10, 240}, {pic::kControls, -200, 305, 200, 120}}};
constexpr int32_t kPanelLaunchX = 800;
constexpr int32_t kPanelGone = -80;  // hold count at which a launched picture disappears

// Ends a HUD line left from the stage before (its glide text has Hold 0 and would stay
// for ever, frozen, under the new one) and frees its text slot.
void EndHudLine(char* buffer) {
  if (buffer == nullptr) return;
  for (int32_t slot = 0; slot < kTextSlotCount; ++slot) {
    if (TextSlot[static_cast<size_t>(slot)].data() != buffer) continue;
    for (TActor& actor : ActorPool) {
      const bool glide = actor.Draw == GlideWait || actor.Draw == GlideIn || actor.Draw == GlideOut;
      if (actor.Active != 0 && glide && actor.Work[kTextSlotWord] == slot) actor.Active = 0;
    }
    FreeTextSlot(slot);
  }
}

void StartOpeningPanels() {
  for (size_t i = 0; i < kOpeningPanels.size(); ++i) {
    const Panel& panel = kOpeningPanels[i];
    TActor& actor = *SpareActors[i];
    SetImage(actor, panel.image);
    actor.X = panel.x;
    actor.Y = panel.y;
    actor.Work[kPanelHold] = panel.hold;
    actor.Work[kPanelTargetX] = panel.targetX;
    actor.Move = PanelSlideMove;
  }
}

// The weapon and levels the stage actor carries over from the stage before.
void TakeNextWeapons(const TActor& stage, TActor& player) {
  player.Work[kWeapon] = stage.Work[kNextWeapon];
  for (int32_t w = 0; w < kWeaponCount; ++w) {
    WeaponLevel(player, w) = stage.Work[static_cast<size_t>(kNextWeaponLevel + w)];
  }
}

}  // namespace

void PlayerEntry(TActor& player) {
  ShowSelectedWeapon(player);
  player.Blink = 1;
  player.Work[kGuardTimer] = kEntryGuardFrames;
  player.Work[kFireCooldown] = 0;
  player.X = kPlayerStartX;
  player.Y = kPlayerStartY;
  player.Move = PlayerEnter;
}

void StartHudLines() {
  EndHudLine(HudLine1);
  EndHudLine(HudLine2);
  HudLine1 = GlideText(0, 0, "", kFullScale, kFullScale, 0, kHudDelay);
  HudLine2 = GlideText(0, 1, "", kFullScale, kFullScale, 0, kHudDelay);
}

void StageStart(TActor& actor) {
  const int32_t stage = actor.Work[kStageNumber];
  RandomReset();
  const char* fileName = StageFileName(stage);
  if (*fileName == '\0' || !LoadStageFile(JoinProgramPath(Host().dataFolder(), fileName))) {
    // The only failure the game reports; the program then closes. The actor stops, so
    // the box is shown once.
    ShowMessageBox(kStageFileError);
    QuitRequested = 1;
    actor.Move = nullptr;
    return;
  }
  MaxCombo = 0;
  actor.Move = RunStageScript;

  TextAtCell(kCentred, kTitleRow, StageTitle(stage), kTitleHold, 0);
  TextAtCell(kCentred, kStartRow, kStartCaption, kStartHold, kStartDelay);
  if (MusicEnabled) PlayTune(stage, kPlayLooping);
  StartBackdrop(*BackdropActor, stage);

  for (TActor* banner : BannerActors) banner->Image = kNoImage;
  for (TActor* orb : ProtectionActors) orb->Image = kNoImage;
  for (char* line : TallyText) line[0] = '\0';
  StartOpeningPanels();
  TakeNextWeapons(actor, *PlayerActor);
  PlayerEntry(*PlayerActor);
  StartHudLines();
}

void PanelSlideMove(TActor& actor) {
  int32_t& hold = actor.Work[kPanelHold];
  hold -= 1;
  if (hold > 0) {
    MoveToward(actor, actor.Work[kPanelTargetX], actor.Y, GlideTable);
    return;
  }
  if (hold <= kPanelGone) {
    actor.Move = nullptr;
    actor.Image = kNoImage;
    return;
  }
  MoveToward(actor, kPanelLaunchX, actor.Y, LaunchTable);
}

}  // namespace tolvane
