#pragma once
// The keyboard as 36 input states (up, down, left, right, buttons 1 to 32), each bound
// to up to three keys given as Windows virtual-key codes. Game pads press keys too, as a set
// of their own, so a pad and the keyboard never let go of each other's keys.
#include <array>
#include <cstdint>
#include <span>

namespace pres {

enum InputState : int {
  kInputUp = 0,
  kInputDown = 1,
  kInputLeft = 2,
  kInputRight = 3,
  kInputButton1 = 4,  // button n is state 3 + n
  kInputStateCount = 36,
};

using KeyBinding = std::array<int, 3>;  // virtual-key codes, 0 = none

class InputDevice {
 public:
  InputDevice();  // default bindings: arrows/numeric pad/HJKL, button 9 = F2

  void SetBinding(int state, const KeyBinding& keys) { bindings_[state] = keys; }
  const KeyBinding& Binding(int state) const { return bindings_[state]; }

  // Key events from the window (or a test), by virtual-key code.
  void KeyDown(int virtualKey);
  void KeyUp(int virtualKey);
  void ReleaseAll();
  // The keys the game pads hold now (virtual-key codes), replacing the pads' last set.
  void SetPadKeys(std::span<const int> keysDown);
  // Held on the keyboard or on a pad.
  bool KeyIsDown(int virtualKey) const;
  // Keys are read only while the program is active.
  void SetActive(bool active);

  // A replay's input: while fed, Update() gives `states` and KeyIsDown answers from `keysDown`
  // (virtual-key codes), whatever the keyboard does. The keyboard's own keys are still
  // followed, so they are right again when the feed ends.
  void Feed(uint64_t states, std::span<const int> keysDown);
  void EndFeed() { fed_ = false; }
  bool Fed() const { return fed_; }

  // Reads the keyboard into the state set.
  void Update();
  // Bit n set = input state n held (after the last Update).
  uint64_t States() const { return states_; }

 private:
  std::array<KeyBinding, kInputStateCount> bindings_{};
  std::array<bool, 256> keys_{};
  std::array<bool, 256> padKeys_{};
  bool active_ = true;
  uint64_t states_ = 0;
  bool fed_ = false;
  uint64_t fedStates_ = 0;
  std::array<bool, 256> fedKeys_{};
};

// Windows virtual-key code of an SDL key (0 when it has none).
int VirtualKeyFromSdl(int sdlKeycode);

}  // namespace pres
