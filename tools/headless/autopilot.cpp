#include "tools/headless/autopilot.h"

#include "game/engine/actor_pool.h"
#include "game/flow/ending.h"
#include "game/flow/flow_state.h"
#include "game/flow/game_progress.h"
#include "game/flow/name_entry.h"
#include "game/flow/title_screen.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "presentation/virtual_keys.h"

namespace tolvane::headless {
namespace {

constexpr int kFireKey = pres::vk::Letter('Z');
constexpr int kSwitchKey = pres::vk::Letter('X');
// Where "*" (end the entry) lies in the name grid.
constexpr int32_t kEndColumn = 12;
constexpr int32_t kEndRow = 4;

// The first actor running `move`, or nullptr.
const TActor* Running(MoveProc move) {
  for (const TActor& a : ActorPool)
    if (a.Active != 0 && a.Move == move) return &a;
  return nullptr;
}

bool InPlay() {
  const TActor& p = *PlayerActor;
  return p.Active != 0 && StageActor->Active != 0 &&
         (p.Move == PlayerMove || p.Move == PlayerEnter || p.Move == PlayerDying);
}

bool EndingRuns() {
  for (MoveProc move :
       {EndingStart, EndingWait, EndingTimeline, CreditsRoll, ClosingPictureMove, ClosingWaitMove})
    if (Running(move) != nullptr) return true;
  return false;
}

}  // namespace

Autopilot::Autopilot(const AutopilotOptions& options) : options_(options) {
  if (options.human) human_.emplace(*options.human, options.lag);
}

void Autopilot::Set(pres::InputDevice& input, int key, bool down) {
  if (down) {
    input.KeyDown(key);
  } else {
    input.KeyUp(key);
  }
}

void Autopilot::Pulse(pres::InputDevice& input, int key) {
  if (pulseDown_) {
    input.KeyUp(pulseKey_);
    pulseDown_ = false;
  } else {
    input.KeyDown(key);
    pulseKey_ = key;
    pulseDown_ = true;
  }
}

void Autopilot::BeforeFrame(int32_t frame, pres::InputDevice& input) {
  log_.Observe(frame);
  PilotStep step;
  if (human_) {
    step = human_->Step(brain_);
  } else {
    steps_.push_back(brain_.Decide());
    step = steps_.front();
    if (static_cast<int32_t>(steps_.size()) > options_.lag) steps_.pop_front();
  }
  if (!InPlay()) {
    for (int key :
         {pres::vk::kLeft, pres::vk::kRight, pres::vk::kUp, pres::vk::kDown, kFireKey, kSwitchKey})
      Set(input, key, false);
    AnswerScreens(input);
    return;
  }
  if (pulseDown_) Pulse(input, pulseKey_);
  SkipAhead();
  Set(input, pres::vk::kLeft, step.dx < 0);
  Set(input, pres::vk::kRight, step.dx > 0);
  Set(input, pres::vk::kUp, step.dy < 0);
  Set(input, pres::vk::kDown, step.dy > 0);
  Set(input, kFireKey, true);
  // Button 2 switches on its press; release it between presses.
  TActor& player = *PlayerActor;
  const bool wanted =
      SelectedWeapon(player) != options_.weapon && WeaponLevel(player, options_.weapon) > 0;
  Set(input, kSwitchKey, wanted && !input.KeyIsDown(kSwitchKey));
}

void Autopilot::AnswerScreens(pres::InputDevice& input) {
  if (EndingRuns()) endingSeen_ = true;
  if (Running(TitleMenuMove) != nullptr) {
    if (endingSeen_) titleAfterEnding_ = true;
    if (gaveUp_) {
      titleAfterGivingUp_ = true;
      return;
    }
    if (options_.stage > 0 && !jumped_) {
      // What the title's start does, with the stage and the levels chosen here.
      jumped_ = true;
      StartStage = options_.stage;
      StartWeaponLevel.fill(options_.weaponLevel);
      NewActor(LayerFront).Move = NewGame;
      return;
    }
    Pulse(input, kFireKey);
    return;
  }
  if (const TActor* entry = Running(NameEntryMove)) {
    if (entry->Work[kCursorRowWord] != kEndRow) {
      Pulse(input, pres::vk::kUp);
    } else if (entry->Work[kCursorColumnWord] != kEndColumn) {
      Pulse(input, pres::vk::kLeft);
    } else {
      Pulse(input, kFireKey);
    }
    return;
  }
  if (Running(ContinueMove) != nullptr) {
    // Continue while allowed; else give up: choose it (right) and confirm.
    gaveUp_ = options_.continues >= 0 && log_.Continues() >= options_.continues;
    Set(input, pres::vk::kRight, gaveUp_);
    Pulse(input, kFireKey);
    return;
  }
  if (Running(ClosingWaitMove) != nullptr) {
    Pulse(input, kFireKey);
    return;
  }
  if (pulseDown_) Pulse(input, pulseKey_);
}

void Autopilot::SkipAhead() {
  if (options_.fromTime <= 0 || log_.Stages().empty()) return;
  const StageLog& stage = log_.Stages().back();
  if (stage.startFrame == skippedStart_ || StageActor->Move != RunStageScript || ScriptPos != 0)
    return;
  skippedStart_ = stage.startFrame;
  int32_t pos = 0;
  while (pos < ScriptLength && StageScript[static_cast<size_t>(pos)].Time < options_.fromTime)
    ++pos;
  ScriptPos = pos;
  ScriptClock = options_.fromTime;
}

}  // namespace tolvane::headless
