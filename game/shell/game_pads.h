#pragma once
// Game pads through SDL's game-controller layer (its database of pads, and the mappings given
// in SDL_GAMECONTROLLERCONFIG): every pad plugged in before the start or while the game runs
// is opened, and what its buttons and sticks hold is handed to the input device as the keys
// they stand for, so the game, its replays and its digests only ever see keys:
//   D-pad and left stick: the cursor keys    south button: Z (fire)
//   west and east buttons: X (weapon)        Start: P (pause)
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include <SDL2/SDL_gamecontroller.h>

union SDL_Event;

namespace pres {
class InputDevice;
}

namespace tolvane {

// A stick deflected less than this (of 32767) is at rest.
inline constexpr int kStickDeadZone = 12000;

class GamePads {
 public:
  // `unplugged` is called when an open pad goes away.
  explicit GamePads(std::function<void()> unplugged);
  ~GamePads();
  GamePads(const GamePads&) = delete;
  GamePads& operator=(const GamePads&) = delete;

  // Takes the mappings of SDL_GAMECONTROLLERCONFIG (a broken line is named on standard error
  // and left out) and opens the pads already plugged in.
  void OpenAll(pres::InputDevice& input);
  // A pad event: a pad plugged in or out, a button, a stick. False for any other event.
  bool HandleEvent(const SDL_Event& event, pres::InputDevice& input);
  int Count() const { return static_cast<int>(pads_.size()); }

 private:
  struct Pad {
    SDL_GameController* controller = nullptr;
    bool stickTrusted = false;  // the left stick has been seen at rest
    bool stickDoubtSaid = false;
  };

  void Open(int deviceIndex);
  void Feed(pres::InputDevice& input);

  std::function<void()> unplugged_;
  std::map<int32_t, Pad> pads_;  // by joystick instance id
};

}  // namespace tolvane
