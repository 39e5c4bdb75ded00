#include "game/engine/frame_state.h"

namespace tolvane {

int32_t FrameCount = 0;
SceneProcType SceneProc = nullptr;
uint8_t FrameBusy = 0;
uint8_t QuitRequested = 0;
int32_t MaxSkip = 0;
int32_t FrameRate = 0;
int32_t MenuKeysFrame = 0;
FrameTap ReplayTap = {nullptr, nullptr, nullptr};

void ResetFrameState() {
  FrameCount = 0;
  SceneProc = nullptr;
  FrameBusy = 0;
  QuitRequested = 0;
  MaxSkip = 0;
  FrameRate = 0;
  MenuKeysFrame = 0;
  ReplayTap = {nullptr, nullptr, nullptr};
}

}  // namespace tolvane
