#pragma once
// The frame driver's globals that behaviours read and write. They live in the engine,
// below every behaviour; the driver itself (DXTimerTimer) is in the shell.
#include <cstdint>

namespace tolvane {

using SceneProcType = void (*)();

extern int32_t FrameCount;       // +1 at the start of every tick, before anything else runs
extern SceneProcType SceneProc;  // called once per tick before the move pass; nullptr = none
extern uint8_t FrameBusy;        // set while a frame runs or a modal question is open
extern uint8_t QuitRequested;    // any behaviour may set it; the program closes after the tick
extern int32_t MaxSkip;          // most consecutive undrawn frames (frame-skip menu)
extern int32_t FrameRate;        // the timer's measured ticks per second, copied every tick
extern int32_t MenuKeysFrame;    // FrameCount when a menu screen last read its keys; 0 = never

// What a replay puts around every frame: a recording samples the input and notes what each
// frame did; a playback feeds the recorded input and repeats the recorded drawing decisions
// (drawing moves animations on, so it is part of the game's state). Any entry may be nullptr.
enum class DrawChoice { Schedule, Draw, Skip };
struct FrameTap {
  void (*begin)();          // after FrameCount is counted, before SceneProc
  DrawChoice (*choose)();   // whether this frame is drawn; Schedule: the driver decides
  void (*end)(bool drawn);  // after the frame, before a requested quit closes the window
};
extern FrameTap ReplayTap;

// Back to the start-of-run values (tests).
void ResetFrameState();

}  // namespace tolvane
