#include "game/shell/game_pads.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/shell/pad_mappings.h"
#include "presentation/input_device.h"
#include "presentation/virtual_keys.h"

namespace tolvane {
namespace {

// The keys a pad's buttons stand for; Start is told to the window instead.
struct ButtonKey {
  SDL_GameControllerButton button;
  int virtualKey;
};
constexpr ButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, pres::vk::kUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, pres::vk::kDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, pres::vk::kLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, pres::vk::kRight},
    {SDL_CONTROLLER_BUTTON_A, pres::vk::Letter('Z')},  // south
    {SDL_CONTROLLER_BUTTON_X, pres::vk::Letter('X')},  // west
    {SDL_CONTROLLER_BUTTON_B, pres::vk::Letter('X')},  // east
};

bool AtRest(int x, int y) {
  return x > -kStickDeadZone && x < kStickDeadZone && y > -kStickDeadZone && y < kStickDeadZone;
}

std::string DeviceName(const char* name) {
  return name != nullptr ? name : "without a name";
}

}  // namespace

GamePads::GamePads() {
  // The player's mappings are checked line by line here rather than taken by SDL unseen.
  const char* config = std::getenv("SDL_GAMECONTROLLERCONFIG");
  const std::string mappings = config != nullptr ? config : "";
  SDL_SetHintWithPriority(SDL_HINT_GAMECONTROLLERCONFIG, "", SDL_HINT_OVERRIDE);
  // South fires on every pad, whatever its maker printed on that button.
  SDL_SetHintWithPriority(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0", SDL_HINT_DEFAULT);
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "tolvane: game pads cannot be used: %s\n", SDL_GetError());
    return;
  }
  started_ = true;
  AddPadMappings(mappings);
}

GamePads::~GamePads() {
  for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad.controller);
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GamePads::OpenAll(pres::InputDevice& input) {
  if (!started_) return;
  for (int index = 0; index < SDL_NumJoysticks(); ++index) Open(index);
  Feed(input);
}

void GamePads::Open(int deviceIndex) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0 || pads_.count(id) != 0) return;
  char guid[33] = {};
  SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), guid, sizeof guid);
  const std::string name = DeviceName(SDL_JoystickNameForIndex(deviceIndex));
  if (!SDL_IsGameController(deviceIndex)) {
    if (toldDevices_.insert(guid).second) {
      std::fprintf(stderr,
                   "tolvane: the joystick %s (%s) is no pad SDL knows; it is not used (a mapping "
                   "in SDL_GAMECONTROLLERCONFIG makes it one)\n",
                   name.c_str(), guid);
    }
    return;
  }
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) {
    if (toldDevices_.insert(guid).second) {
      std::fprintf(stderr, "tolvane: cannot open the pad %s: %s\n", name.c_str(), SDL_GetError());
    }
    return;
  }
  pads_[id] = Pad{controller};
}

PadEvent GamePads::HandleEvent(const SDL_Event& event, pres::InputDevice& input) {
  if (!started_) return PadEvent::kNone;
  switch (event.type) {
    case SDL_JOYDEVICEADDED:
      Open(event.jdevice.which);
      break;
    case SDL_CONTROLLERDEVICEADDED:  // also a joystick given a mapping while plugged in
      Open(event.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED: {
      const auto pad = pads_.find(event.cdevice.which);
      if (pad == pads_.end()) return PadEvent::kNone;
      SDL_GameControllerClose(pad->second.controller);
      pads_.erase(pad);
      Feed(input);
      return PadEvent::kUnplugged;
    }
    case SDL_CONTROLLERBUTTONDOWN:
      Feed(input);
      return event.cbutton.button == SDL_CONTROLLER_BUTTON_START ? PadEvent::kStart
                                                                 : PadEvent::kKeys;
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
    case SDL_CONTROLLERDEVICEREMAPPED:
      break;
    default:
      return PadEvent::kNone;
  }
  Feed(input);
  return PadEvent::kKeys;
}

void GamePads::Feed(pres::InputDevice& input) {
  std::vector<int> keys;
  for (auto& [id, pad] : pads_) {
    for (const ButtonKey& map : kButtonKeys) {
      if (SDL_GameControllerGetButton(pad.controller, map.button) != 0)
        keys.push_back(map.virtualKey);
    }
    const int x = SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTY);
    if (!pad.stickTrusted && AtRest(x, y)) pad.stickTrusted = true;
    if (!pad.stickTrusted) {
      // A stick that reads deflected before it was ever seen at rest may be worn, broken or
      // wrongly mapped: it would steer by itself. It is not read until it comes to rest.
      if (!pad.stickDoubtSaid) {
        pad.stickDoubtSaid = true;
        std::fprintf(stderr,
                     "tolvane: the left stick of the pad %s reads %d, %d before it was ever at "
                     "rest; it is not read until it is\n",
                     DeviceName(SDL_GameControllerName(pad.controller)).c_str(), x, y);
      }
      continue;
    }
    if (x <= -kStickDeadZone) keys.push_back(pres::vk::kLeft);
    if (x >= kStickDeadZone) keys.push_back(pres::vk::kRight);
    if (y <= -kStickDeadZone) keys.push_back(pres::vk::kUp);
    if (y >= kStickDeadZone) keys.push_back(pres::vk::kDown);
  }
  input.SetPadKeys(keys);
}

}  // namespace tolvane
