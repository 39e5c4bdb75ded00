#include "tools/headless/play_log.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"

namespace tolvane::headless {
namespace {

// An item that vanishes this close to the player was taken, not lost off the edge.
constexpr int32_t kTakeDistance = 48;

bool ScriptHalted() {
  if (ScriptPos < 0 || ScriptPos >= ScriptLength) return false;
  const StageRecord& r = StageScript[static_cast<size_t>(ScriptPos)];
  return r.Code == kCodeHalt && r.Time == ScriptClock;
}

int32_t FilledOrbs() {
  int32_t count = 0;
  for (const TActor* orb : ProtectionActors) count += orb->Image != kNoImage ? 1 : 0;
  return count;
}

}  // namespace

void PlayLog::Observe(int32_t frame) {
  const bool running = StageActor->Active != 0 && StageActor->Move == RunStageScript;
  // A stage begins when the script starts from its first record: after a stage start, or
  // after a continue, which starts the stage again while the script may still be running.
  if (running && ScriptPos == 0 && (!running_ || lastPos_ > 0)) {
    StageLog log;
    log.stage = StageNumber();
    log.again = !stages_.empty() && stages_.back().stage == log.stage && !stages_.back().Cleared();
    log.startFrame = frame;
    stages_.push_back(log);
    halted_ = false;
    tails_ = Tails;
    orbs_ = FilledOrbs();
    gameOver_ = false;
  }
  StageLog* current = stages_.empty() ? nullptr : &stages_.back();
  if (current != nullptr && current->clearFrame < 0) {
    if (running) {
      const bool halted = ScriptHalted();
      if (halted && !halted_) current->waits.push_back({frame - 1, ScriptClock, -1});
      if (!halted && halted_ && !current->waits.empty()) current->waits.back().endFrame = frame - 1;
      halted_ = halted;
    }
    if (running_ && !running && StageActor->Move == StageClearHook && StageClearHook != nullptr) {
      current->clearFrame = frame - 1;
      current->clearClock = lastClock_;  // the clear record set the clock to 0
      current->score = Score;
      if (halted_ && !current->waits.empty()) current->waits.back().endFrame = frame - 1;
      clearSeen_ = true;
    }
    if (Tails < tails_) current->tailsLost += tails_ - Tails;
    const int32_t orbs = FilledOrbs();
    for (int32_t lost = std::max(0, tails_ - Tails) + std::max(0, orbs_ - orbs); lost > 0; --lost) {
      current->lossClocks.push_back(ScriptClock);
      current->lossFrames.push_back(frame - 1);
    }
    if (running && Tails > 0) {
      current->lastFrame = frame - 1;
      current->lastClock = ScriptClock;
    }
    tails_ = Tails;
    const TActor& player = *PlayerActor;
    for (int32_t w = 0; w < kWeaponCount; ++w)
      current->levels[static_cast<size_t>(w)] = player.Work[static_cast<size_t>(kWeaponLevel + w)];
    current->orbs = orbs;
    if (current->orbs < orbs_) current->orbsLost += orbs_ - current->orbs;
    orbs_ = current->orbs;
    if (current->clearFrame < 0) current->score = Score;
    if (player.Move == GameOverHook && GameOverHook != nullptr) gameOver_ = true;
  }
  const bool playing = current != nullptr && PlayerActor->Active != 0;
  TrackItems(playing, PlayerActor->X, PlayerActor->Y);
  running_ = running;
  lastPos_ = ScriptPos;
  lastClock_ = ScriptClock;
}

void PlayLog::TrackItems(bool playing, int32_t playerX, int32_t playerY) {
  for (size_t slot = 0; slot < item_.size(); ++slot) {
    const TActor& a = ActorPool[slot];
    const bool item = a.Active != 0 && a.Kind == KindItem;
    if (item_[slot] && !item && playing && std::abs(itemX_[slot] - playerX) <= kTakeDistance &&
        std::abs(itemY_[slot] - playerY) <= kTakeDistance)
      stages_.back().itemsTaken += 1;
    item_[slot] = item;
    itemX_[slot] = a.X;
    itemY_[slot] = a.Y;
  }
}

int32_t PlayLog::Continues() const {
  return static_cast<int32_t>(
      std::count_if(stages_.begin(), stages_.end(), [](const StageLog& s) { return s.again; }));
}

bool PlayLog::TakeClear() {
  const bool seen = clearSeen_;
  clearSeen_ = false;
  return seen;
}

void PlayLog::Write(std::ostream& out) const {
  for (const StageLog& s : stages_) {
    char line[256];
    std::snprintf(line, sizeof line, "stage %d%s: start %d", s.stage, s.again ? " (again)" : "",
                  s.startFrame);
    out << line;
    for (const BossWait& w : s.waits) {
      std::snprintf(line, sizeof line, " | boss at %d (clock %d) fell %d", w.frame, w.clock,
                    w.endFrame);
      out << line;
    }
    if (s.Cleared()) {
      std::snprintf(line, sizeof line, " | clear %d (%d frames)", s.clearFrame,
                    s.clearFrame - s.startFrame);
    } else {
      std::snprintf(line, sizeof line, " | not cleared");
    }
    out << line;
    if (!s.lossClocks.empty()) {
      out << " | losses at clock";
      for (int32_t clock : s.lossClocks) out << ' ' << clock;
    }
    std::snprintf(line, sizeof line,
                  " | score %d tails-lost %d orbs-lost %d items %d levels %d/%d/%d orbs %d\n",
                  s.score, s.tailsLost, s.orbsLost, s.itemsTaken, s.levels[0], s.levels[1],
                  s.levels[2], s.orbs);
    out << line;
  }
}

}  // namespace tolvane::headless
