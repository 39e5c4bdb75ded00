#include "presentation/input_device.h"

#include <SDL2/SDL_keycode.h>

#include "presentation/virtual_keys.h"

namespace pres {

InputDevice::InputDevice() {
  bindings_[kInputUp] = {vk::Letter('K'), vk::kUp, vk::Numpad(8)};
  bindings_[kInputDown] = {vk::Letter('J'), vk::kDown, vk::Numpad(2)};
  bindings_[kInputLeft] = {vk::Letter('H'), vk::kLeft, vk::Numpad(4)};
  bindings_[kInputRight] = {vk::Letter('L'), vk::kRight, vk::Numpad(6)};
  bindings_[kInputButton1 + 8] = {vk::kF2, 0, 0};  // button 9
}

void InputDevice::KeyDown(int virtualKey) {
  if (active_ && virtualKey > 0 && virtualKey < int(keys_.size())) keys_[size_t(virtualKey)] = true;
}

void InputDevice::KeyUp(int virtualKey) {
  if (virtualKey > 0 && virtualKey < int(keys_.size())) keys_[size_t(virtualKey)] = false;
}

void InputDevice::ReleaseAll() {
  keys_.fill(false);
  padKeys_.fill(false);
}

void InputDevice::SetPadKeys(std::span<const int> keysDown) {
  padKeys_.fill(false);
  if (!active_) return;
  for (int key : keysDown) {
    if (key > 0 && key < int(padKeys_.size())) padKeys_[size_t(key)] = true;
  }
}

bool InputDevice::KeyIsDown(int virtualKey) const {
  if (virtualKey <= 0 || virtualKey >= int(keys_.size())) return false;
  const size_t key = size_t(virtualKey);
  return fed_ ? fedKeys_[key] : keys_[key] || padKeys_[key];
}

void InputDevice::Feed(uint64_t states, std::span<const int> keysDown) {
  fed_ = true;
  fedStates_ = states;
  fedKeys_.fill(false);
  for (int key : keysDown) {
    if (key > 0 && key < int(fedKeys_.size())) fedKeys_[size_t(key)] = true;
  }
}

// Key releases are not seen while in the background, so everything counts as released.
void InputDevice::SetActive(bool active) {
  active_ = active;
  if (!active) ReleaseAll();
}

void InputDevice::Update() {
  if (fed_) {
    states_ = fedStates_;
    return;
  }
  states_ = 0;
  if (!active_) return;
  for (int s = 0; s < kInputStateCount; ++s) {
    for (int key : bindings_[size_t(s)]) {
      if (KeyIsDown(key)) states_ |= uint64_t{1} << s;
    }
  }
}

int VirtualKeyFromSdl(int sdlKeycode) {
  if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return vk::kA + (sdlKeycode - SDLK_a);
  if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return vk::k0 + (sdlKeycode - SDLK_0);
  if (sdlKeycode >= SDLK_F1 && sdlKeycode <= SDLK_F12) return vk::kF1 + (sdlKeycode - SDLK_F1);
  if (sdlKeycode >= SDLK_KP_1 && sdlKeycode <= SDLK_KP_9)
    return vk::Numpad(1 + sdlKeycode - SDLK_KP_1);
  switch (sdlKeycode) {
    case SDLK_KP_0:
      return vk::Numpad(0);
    case SDLK_BACKSPACE:
      return vk::kBack;
    case SDLK_TAB:
      return vk::kTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return vk::kReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return vk::kControl;
    case SDLK_LALT:
    case SDLK_RALT:
      return vk::kMenu;
    case SDLK_PAUSE:
      return vk::kPause;
    case SDLK_CAPSLOCK:
      return vk::kCapital;
    case SDLK_ESCAPE:
      return vk::kEscape;
    case SDLK_SPACE:
      return vk::kSpace;
    case SDLK_PAGEUP:
      return vk::kPrior;
    case SDLK_PAGEDOWN:
      return vk::kNext;
    case SDLK_END:
      return vk::kEnd;
    case SDLK_HOME:
      return vk::kHome;
    case SDLK_LEFT:
      return vk::kLeft;
    case SDLK_UP:
      return vk::kUp;
    case SDLK_RIGHT:
      return vk::kRight;
    case SDLK_DOWN:
      return vk::kDown;
    case SDLK_INSERT:
      return vk::kInsert;
    case SDLK_DELETE:
      return vk::kDelete;
    case SDLK_KP_MULTIPLY:
      return vk::kMultiply;
    case SDLK_KP_PLUS:
      return vk::kAdd;
    case SDLK_KP_MINUS:
      return vk::kSubtract;
    case SDLK_KP_PERIOD:
      return vk::kDecimal;
    case SDLK_KP_DIVIDE:
      return vk::kDivide;
    case SDLK_SEMICOLON:
      return vk::kOemSemicolon;
    case SDLK_EQUALS:
      return vk::kOemPlus;
    case SDLK_COMMA:
      return vk::kOemComma;
    case SDLK_MINUS:
      return vk::kOemMinus;
    case SDLK_PERIOD:
      return vk::kOemPeriod;
    case SDLK_SLASH:
      return vk::kOemSlash;
    case SDLK_BACKQUOTE:
      return vk::kOemBackquote;
    case SDLK_LEFTBRACKET:
      return vk::kOemOpenBracket;
    case SDLK_BACKSLASH:
      return vk::kOemBackslash;
    case SDLK_RIGHTBRACKET:
      return vk::kOemCloseBracket;
    case SDLK_QUOTE:
      return vk::kOemQuote;
    default:
      return 0;
  }
}

}  // namespace pres
