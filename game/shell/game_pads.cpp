#include "game/shell/game_pads.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "presentation/input_device.h"
#include "presentation/virtual_keys.h"

namespace tolvane {
namespace {

// The keys a pad's buttons stand for.
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
    {SDL_CONTROLLER_BUTTON_START, pres::vk::Letter('P')},
};

bool AtRest(int x, int y) {
  return x > -kStickDeadZone && x < kStickDeadZone && y > -kStickDeadZone && y < kStickDeadZone;
}

}  // namespace

GamePads::GamePads(std::function<void()> unplugged) : unplugged_(std::move(unplugged)) {}

GamePads::~GamePads() {
  for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad.controller);
}

void GamePads::OpenAll(pres::InputDevice& input) {
  if (const char* config = std::getenv("SDL_GAMECONTROLLERCONFIG")) {
    std::istringstream lines(config);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
      ++number;
      if (line.empty() || line[0] == '#') continue;
      if (SDL_GameControllerAddMapping(line.c_str()) < 0) {
        std::fprintf(stderr,
                     "tolvane: line %d of SDL_GAMECONTROLLERCONFIG is not a pad mapping (%s); "
                     "it is left out\n",
                     number, SDL_GetError());
      }
    }
  }
  for (int index = 0; index < SDL_NumJoysticks(); ++index) Open(index);
  Feed(input);
}

void GamePads::Open(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (pads_.count(id) != 0) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) {
    std::fprintf(stderr, "tolvane: cannot open the pad %s: %s\n",
                 SDL_GameControllerNameForIndex(deviceIndex), SDL_GetError());
    return;
  }
  pads_[id] = Pad{controller};
}

bool GamePads::HandleEvent(const SDL_Event& event, pres::InputDevice& input) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED: {
      const auto pad = pads_.find(event.cdevice.which);
      if (pad == pads_.end()) return true;
      SDL_GameControllerClose(pad->second.controller);
      pads_.erase(pad);
      Feed(input);
      if (unplugged_) unplugged_();
      return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
      break;
    default:
      return false;
  }
  Feed(input);
  return true;
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
    // A stick that reads deflected before it was ever seen at rest is worn or broken: it
    // would steer by itself.
    if (!pad.stickTrusted && AtRest(x, y)) pad.stickTrusted = true;
    if (!pad.stickTrusted) {
      if (!pad.stickDoubtSaid) {
        std::fprintf(stderr,
                     "tolvane: the left stick of the pad %s is not at rest; it is not read until "
                     "it is\n",
                     SDL_GameControllerName(pad.controller));
        pad.stickDoubtSaid = true;
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
