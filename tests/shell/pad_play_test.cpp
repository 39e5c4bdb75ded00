// A virtual pad plays the game in the window (SDL's dummy video driver) from the title through
// the options screen into play: it moves by D-pad and stick, fires, switches weapon, pauses
// and goes on with Start, and unplugging it pauses. The same run with the keyboard gives the
// same state digest at every frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "content/sounds/sound_effects.h"
#include "game/engine/engine_reset.h"
#include "game/engine/frame_state.h"
#include "game/flow/boot_scene.h"
#include "game/flow/play_pause.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/shell/form_main.h"
#include "game/shell/frame_driver.h"
#include "game/shell/game_pads.h"
#include "game/shell/sdl_form_host.h"
#include "presentation/services.h"
#include "tests/shell/virtual_pad.h"
#include "tests/support/scratch_folder.h"
#include "tools/headless/state_digest.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kGameFolder = fs::path(TOLVANE_BINARY_DIR) / "game";

// A control of the pad (a button, or the stick tilted one way) and the key standing for it.
constexpr auto kNoButton = SDL_CONTROLLER_BUTTON_INVALID;
constexpr auto kNoAxis = SDL_CONTROLLER_AXIS_INVALID;
struct Control {
  SDL_GameControllerButton button;
  SDL_GameControllerAxis axis;
  int16_t tilt;
  SDL_Keycode key;  // pressed in the keyboard run
};
constexpr Control kDpadDown{SDL_CONTROLLER_BUTTON_DPAD_DOWN, kNoAxis, 0, SDLK_DOWN};
constexpr Control kStickUp{kNoButton, SDL_CONTROLLER_AXIS_LEFTY, -32767, SDLK_UP};
constexpr Control kStickDown{kNoButton, SDL_CONTROLLER_AXIS_LEFTY, 32767, SDLK_DOWN};
constexpr Control kStickRight{kNoButton, SDL_CONTROLLER_AXIS_LEFTX, 32767, SDLK_RIGHT};
constexpr Control kSouth{SDL_CONTROLLER_BUTTON_A, kNoAxis, 0, SDLK_z};
constexpr Control kWest{SDL_CONTROLLER_BUTTON_X, kNoAxis, 0, SDLK_x};
constexpr Control kEast{SDL_CONTROLLER_BUTTON_B, kNoAxis, 0, SDLK_x};
constexpr Control kStart{SDL_CONTROLLER_BUTTON_START, kNoAxis, 0, SDLK_p};
constexpr Control kUnplug{kNoButton, kNoAxis, 0, SDLK_p};  // pauses as P does
constexpr Control kPlugIn{kNoButton, kNoAxis, 0, SDLK_UNKNOWN};

struct Step {
  int at;  // the message loop's turn (frames do not run while paused)
  const Control* control;
  int turns;  // held this long; 0: pressed and let go at once
};

// Title: down to the options; the options: detail one step simpler, down to "done"; the title
// again: up to Quit and back down to Start; play: fly, fire, both weapon buttons, Start twice
// (paused, then on again), the pad unplugged and a new one plugged in, Start.
constexpr Step kScript[] = {
    {20, &kStart, 2},  // nothing to pause on the title
    {30, &kDpadDown, 2}, {36, &kStickDown, 2}, {44, &kSouth, 2},     {56, &kStickRight, 2},
    {62, &kDpadDown, 2}, {68, &kDpadDown, 2},  {74, &kStickDown, 2}, {82, &kSouth, 2},
    {96, &kStickUp, 2},  {104, &kDpadDown, 2}, {112, &kSouth, 2},    {200, &kStickRight, 40},
    {210, &kSouth, 50},  {230, &kWest, 2},     {250, &kEast, 2},     {270, &kStart, 2},
    {300, &kStart, 2},   {330, &kUnplug, 0},   {345, &kPlugIn, 0},   {350, &kStart, 2},
};
constexpr int kTurns = 380;

struct Outcome {
  std::vector<uint64_t> digests;  // one per frame
  std::vector<int> pausedTurns;
  bool optionsApplied = false;  // the background one step simpler
  int32_t weapon = -1;
  bool inPlay = false;
};

void PushKey(SDL_Keycode key, bool down) {
  if (key == SDLK_UNKNOWN) return;
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  SDL_PushEvent(&event);
}

void UsePad(std::unique_ptr<VirtualPad>& pad, const Control& control, bool down) {
  if (&control == &kUnplug) {
    pad.reset();
  } else if (&control == &kPlugIn) {
    pad = std::make_unique<VirtualPad>();
  } else if (control.button != kNoButton) {
    pad->Press(control.button, down);
  } else {
    pad->Tilt(control.axis, down ? control.tilt : 0);
  }
}

// The whole run in the window, by pad or by keyboard.
Outcome Play(bool byPad) {
  ScratchFolder home;
  ::setenv("XDG_DATA_HOME", home.path().c_str(), 1);
  ::setenv("VONDRA_OUTPUT", "none", 1);
  // The dummy video driver gives no window the focus, and SDL drops pad presses without one.
  ::setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
  EXPECT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  const fs::path startFolder = fs::current_path();
  ResetEngineState();
  ResetFrameDriver();
  pres::ManualClock clock(1000);
  pres::FrameTimer timer(clock);
  pres::InputDevice input;
  pres::ImageArchive archive;
  Outcome outcome;
  {
    SdlFormHost host;
    GamePads pads;
    std::unique_ptr<VirtualPad> pad = byPad ? std::make_unique<VirtualPad>() : nullptr;
    pads.OpenAll(input);
    host.SetPads(&pads);
    std::unique_ptr<pres::WaveList> waves = pres::CreateSilentWaveList();
    LoadSoundEffects(*waves);
    std::unique_ptr<pres::Display> display = pres::CreateRendererDisplay(
        archive, host.Renderer(), [&host](SDL_Texture* backBuffer) { host.Present(backBuffer); });
    pres::Services() =
        pres::ServiceSet{&archive, display.get(), waves.get(), &input, &timer, &clock};
    timer.SetHandler(&DXTimerTimer);
    TFormMain form(host, LibrarySequencerCalls(), kGameFolder.string(), &BootScene);
    host.SetForm(&form);
    form.SetPauseRule(&PlayIsPausable);
    form.FormCreate();
    form.FormShow();
    for (int turn = 1; turn <= kTurns; ++turn) {
      for (const Step& step : kScript) {
        const bool down = step.at == turn;
        if (!down && step.at + step.turns != turn) continue;
        if (byPad) {
          UsePad(pad, *step.control, down);
        } else {
          PushKey(step.control->key, down);
          if (step.turns == 0) PushKey(step.control->key, false);
        }
      }
      SDL_Event event;
      while (SDL_PollEvent(&event) != 0) host.HandleEvent(event);
      const int32_t before = FrameCount;
      const uint32_t due = timer.MillisecondsUntilDue();
      clock.Advance(due == pres::FrameTimer::kNeverDue ? kFrameIntervalMs : due);
      timer.Idle();
      if (FrameCount != before) outcome.digests.push_back(headless::StateDigest());
      if (form.Paused()) outcome.pausedTurns.push_back(turn);
      if (turn == 120) outcome.optionsApplied = BackgroundShown && !BackgroundBothLayers;
    }
    outcome.weapon = SelectedWeapon(*PlayerActor);
    outcome.inPlay = PlayIsPausable();
    form.FormDestroy();
    host.SetForm(nullptr);
    host.SetPads(nullptr);
    pres::Services() = pres::ServiceSet{};
  }
  fs::current_path(startFolder);
  ResetFrameDriver();
  ResetEngineState();
  SDL_Quit();
  return outcome;
}

std::vector<int> Turns(int from, int to) {
  std::vector<int> turns;
  for (int turn = from; turn <= to; ++turn) turns.push_back(turn);
  return turns;
}

TEST(PadPlay, APadPlaysTheGameAsTheKeyboardDoes) {
  ASSERT_TRUE(fs::exists(kGameFolder / "tolvgfx.dxg"));
  const Outcome pad = Play(true);
  EXPECT_TRUE(pad.optionsApplied) << "the options screen was walked";
  EXPECT_TRUE(pad.inPlay);
  EXPECT_EQ(pad.weapon, 2) << "each weapon button switched once";
  std::vector<int> paused = Turns(270, 299);
  const std::vector<int> unplugged = Turns(330, 349);
  paused.insert(paused.end(), unplugged.begin(), unplugged.end());
  EXPECT_EQ(pad.pausedTurns, paused) << "Start pauses and goes on; unplugging pauses";
  EXPECT_EQ(pad.digests.size(), size_t(kTurns - paused.size()));

  const Outcome keyboard = Play(false);
  EXPECT_EQ(keyboard.pausedTurns, paused);
  ASSERT_EQ(keyboard.digests.size(), pad.digests.size());
  for (size_t frame = 0; frame < pad.digests.size(); ++frame)
    ASSERT_EQ(keyboard.digests[frame], pad.digests[frame]) << "frame " << frame + 1;
}

}  // namespace
}  // namespace tolvane::testing
