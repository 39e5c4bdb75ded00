#pragma once
// What presses the keys in a headless run: a key script, or a player that decides by
// itself from the game's state (an autopilot). Called once before every frame.
#include <cstdint>

#include "presentation/input_device.h"

namespace tolvane::headless {

class PadSource {
 public:
  virtual ~PadSource() = default;
  // Before frame `frame` (FrameCount it will have, from 1) runs: press or release keys.
  virtual void BeforeFrame(int32_t frame, pres::InputDevice& input) = 0;
};

}  // namespace tolvane::headless
