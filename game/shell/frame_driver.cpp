#include "game/shell/frame_driver.h"

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/render_pass.h"
#include "game/host/program_state.h"
#include "presentation/services.h"

namespace tolvane {

uint32_t NextFrameTime = 0;
int32_t SkippedFrames = 0;

namespace {

uint32_t ClockNow() {
  const pres::Clock* clock = pres::Services().clock;
  return clock != nullptr ? clock->Now() : 0;
}

void SetInterval(uint32_t ms) {
  if (pres::FrameTimer* timer = pres::Services().timer) timer->SetInterval(ms);
}

void Draw(uint32_t nextFrameTime) {
  DrawActors();
  SetInterval(kFrameIntervalMs);
  NextFrameTime = nextFrameTime;
  SkippedFrames = 0;
}

void Skip() {
  SetInterval(0);  // the next tick comes as soon as the program is idle
  SkippedFrames += 1;
}

// Draws the frame or skips it to catch up with the schedule. True when it was drawn.
bool DrawOrSkip(uint32_t now) {
  const DrawChoice choice = ReplayTap.choose != nullptr ? ReplayTap.choose() : DrawChoice::Schedule;
  if (choice == DrawChoice::Skip) {
    Skip();
    return false;
  }
  if (choice == DrawChoice::Draw || NextFrameTime == 0 || SkippedFrames >= MaxSkip) {
    Draw(now + kFrameIntervalMs);
    return true;
  }
  const uint32_t t = ClockNow();
  // Signed difference modulo 2^32, so the clock's wrap-around is harmless.
  const auto late = static_cast<int32_t>(t - NextFrameTime);
  if (late < static_cast<int32_t>(kFrameIntervalMs)) {
    Draw(NextFrameTime + kFrameIntervalMs);
    return true;
  }
  NextFrameTime = late <= kScheduleGiveUpMs ? NextFrameTime + kFrameIntervalMs : t;
  Skip();
  return false;
}

}  // namespace

void DXTimerTimer() {
  if (FrameBusy != 0) {
    // A tick nested inside a modal question, or inside another tick: nothing runs.
    SetInterval(0);
  } else {
    FrameBusy = 1;
    SetInterval(kFrameIntervalMs);
    if (const pres::FrameTimer* timer = pres::Services().timer) FrameRate = timer->Rate();
    FrameCount += 1;
    if (ReplayTap.begin != nullptr) ReplayTap.begin();
    if (SceneProc != nullptr) SceneProc();
    MoveActors();
    const bool drawn = DrawOrSkip(ClockNow());
    if (ReplayTap.end != nullptr) ReplayTap.end(drawn);
    FrameBusy = 0;
  }
  if (QuitRequested != 0) CloseMainForm();
}

void ResetFrameDriver() {
  NextFrameTime = 0;
  SkippedFrames = 0;
  ReplayTap = {nullptr, nullptr, nullptr};
}

}  // namespace tolvane
