#pragma once
// The frame driver: one game frame per timer tick. The game logic (SceneProc and the
// move pass) always runs; drawing is dropped for up to MaxSkip consecutive frames when
// the ticks fall behind the 32 ms schedule.
#include <cstdint>

namespace tolvane {

inline constexpr uint32_t kFrameIntervalMs = 32;
// A skipped frame later than this gives the schedule up and restarts it from now.
inline constexpr int32_t kScheduleGiveUpMs = 96;

extern uint32_t NextFrameTime;  // when the next frame is due to be drawn; 0 = not scheduled
extern int32_t SkippedFrames;   // consecutive frames run without drawing

// The frame timer's handler. Reads the clock through pres::Services().clock and sets the
// interval of pres::Services().timer; when QuitRequested is set at the end of a tick it
// closes the main window installed in Host() (none installed: nothing to close).
void DXTimerTimer();

// Back to the start-of-run values (tests).
void ResetFrameDriver();

}  // namespace tolvane
