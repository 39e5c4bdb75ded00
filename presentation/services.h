#pragma once
// The presentation services the game runs on, installed once by the program
// (window or headless) and reached by the engine through Services().
#include "presentation/clock.h"
#include "presentation/display.h"
#include "presentation/frame_timer.h"
#include "presentation/image_archive.h"
#include "presentation/input_device.h"
#include "presentation/wave_list.h"

namespace pres {

struct ServiceSet {
  ImageArchive* archive = nullptr;
  Display* display = nullptr;
  WaveList* waves = nullptr;
  InputDevice* input = nullptr;
  FrameTimer* timer = nullptr;
  const Clock* clock = nullptr;
};

ServiceSet& Services();

}  // namespace pres
