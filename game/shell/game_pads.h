#pragma once
// Game pads through SDL's game-controller layer (its database of pads, and the mappings given
// in SDL_GAMECONTROLLERCONFIG): every pad plugged in before the start or while the game runs
// is opened, and what its buttons and sticks hold is handed to the input device as the keys
// they stand for, so the game, its replays and its digests only ever see keys:
//   D-pad and left stick: the cursor keys    south button: Z (fire)
//   west and east buttons: X (weapon)        Start: the pause key, told to the window
#include <cstdint>
#include <map>
#include <set>
#include <string>

struct _SDL_GameController;
union SDL_Event;

namespace pres {
class InputDevice;
}

namespace tolvane {

// A stick deflected less than this (of 32767) on both axes is at rest.
inline constexpr int kStickDeadZone = 12000;

// What a pad event means to the window.
enum class PadEvent {
  kNone,       // not a pad event
  kKeys,       // the pads' keys were handed over again
  kStart,      // Start went down
  kUnplugged,  // an open pad went away (its keys are let go)
};

class GamePads {
 public:
  // Starts SDL's game-controller layer, with the buttons named by where they sit (south,
  // east, ...) rather than by their labels. Without the layer there are no pads, said once.
  GamePads();
  ~GamePads();
  GamePads(const GamePads&) = delete;
  GamePads& operator=(const GamePads&) = delete;

  // Checks each line of SDL_GAMECONTROLLERCONFIG (a broken one is named on standard error and
  // left out), opens the pads already plugged in and hands over their keys.
  void OpenAll(pres::InputDevice& input);
  PadEvent HandleEvent(const SDL_Event& event, pres::InputDevice& input);
  // Hands over the keys the pads hold now (after the input device ignored them a while).
  void Refresh(pres::InputDevice& input) { Feed(input); }
  int Count() const { return static_cast<int>(pads_.size()); }

 private:
  struct Pad {
    _SDL_GameController* controller = nullptr;
    bool stickTrusted = false;  // the left stick has been seen at rest
    bool stickDoubtSaid = false;
  };

  void Open(int deviceIndex);
  void Feed(pres::InputDevice& input);

  bool started_ = false;
  std::map<int32_t, Pad> pads_;        // by joystick instance id
  std::set<std::string> toldDevices_;  // joysticks (by GUID) already named on standard error
};

}  // namespace tolvane
