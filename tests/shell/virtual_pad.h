#pragma once
// A pad made by SDL for tests: every button and axis of its game-controller layer, in that
// layer's order, set by the test and seen by the program at the next event pump.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

namespace tolvane::testing {

class VirtualPad {
 public:
  VirtualPad() {
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    EXPECT_GE(index, 0) << SDL_GetError();
    joystick_ = SDL_JoystickOpen(index);
    EXPECT_NE(joystick_, nullptr) << SDL_GetError();
  }
  ~VirtualPad() { Unplug(); }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  void Press(SDL_GameControllerButton button, bool down = true) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
  }
  void Tilt(SDL_GameControllerAxis axis, int16_t value) {
    SDL_JoystickSetVirtualAxis(joystick_, axis, value);
  }
  void Unplug() {
    if (joystick_ == nullptr) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
      if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
    }
  }

 private:
  SDL_Joystick* joystick_ = nullptr;
};

}  // namespace tolvane::testing
