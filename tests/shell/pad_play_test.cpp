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

// What the player does, by the pad's controls; the keyboard run presses the keys they stand for.
enum class Control { kDpadUp, kDpadDown, kStickUp, kStickDown, kStickRight, kSouth, kWest, kEast,
                     kStart, kUnplug, kPlugIn };
struct Step {
  int at;  // the message loop's turn (frames do not run while paused)
  Control control;
  bool down;
};

// Title: down to the options; the options: detail one step simpler, down to "done"; the title
// again: up to Quit and back down to Start; play: fly, fire, both weapon buttons, Start twice,
// the pad unplugged and a new one plugged in.
constexpr Step kScript[] = {
    {20, Control::kStart, true},  {22, Control::kStart, false},  // nothing to pause on the title
    {30, Control::kDpadDown, true},   {32, Control::kDpadDown, false},
    {36, Control::kStickDown, true},  {38, Control::kStickDown, false},
    {44, Control::kSouth, true},      {46, Control::kSouth, false},
    {56, Control::kStickRight, true}, {58, Control::kStickRight, false},
    {62, Control::kDpadDown, true},   {64, Control::kDpadDown, false},
    {68, Control::kDpadDown, true},   {70, Control::kDpadDown, false},
    {74, Control::kStickDown, true},  {76, Control::kStickDown, false},
    {82, Control::kSouth, true},      {84, Control::kSouth, false},
    {96, Control::kStickUp, true},    {98, Control::kStickUp, false},
    {104, Control::kDpadDown, true},  {106, Control::kDpadDown, false},
    {112, Control::kSouth, true},     {114, Control::kSouth, false},
    {200, Control::kStickRight, true}, {210, Control::kSouth, true},
    {230, Control::kWest, true},      {232, Control::kWest, false},
    {240, Control::kStickRight, false}, {250, Control::kEast, true},
    {252, Control::kEast, false},     {260, Control::kSouth, false},
    {270, Control::kStart, true},     {272, Control::kStart, false},  // paused
    {300, Control::kStart, true},     {302, Control::kStart, false},  // on again
    {330, Control::kUnplug, true},    {345, Control::kPlugIn, true},
    {350, Control::kStart, true},     {352, Control::kStart, false},
};
constexpr int kTurns = 380;

struct Outcome {
  std::vector<uint64_t> digests;  // one per frame
  std::vector<int> pausedTurns;
  bool optionsApplied = false;  // the background one step simpler
  int32_t weapon = -1;
  bool inPlay = false;
};

SDL_Keycode KeyOf(Control control) {
  switch (control) {
    case Control::kDpadUp:
    case Control::kStickUp:
      return SDLK_UP;
    case Control::kDpadDown:
    case Control::kStickDown:
      return SDLK_DOWN;
    case Control::kStickRight:
      return SDLK_RIGHT;
    case Control::kSouth:
      return SDLK_z;
    case Control::kWest:
    case Control::kEast:
      return SDLK_x;
    default:
      return SDLK_p;  // Start, and the pause an unplugged pad makes
  }
}

void PushKey(SDL_Keycode key, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  SDL_PushEvent(&event);
}

void UsePad(std::unique_ptr<VirtualPad>& pad, const Step& step) {
  const int16_t tilt = step.down ? 32767 : 0;
  switch (step.control) {
    case Control::kDpadUp:
      return pad->Press(SDL_CONTROLLER_BUTTON_DPAD_UP, step.down);
    case Control::kDpadDown:
      return pad->Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, step.down);
    case Control::kStickUp:
      return pad->Tilt(SDL_CONTROLLER_AXIS_LEFTY, int16_t(-tilt));
    case Control::kStickDown:
      return pad->Tilt(SDL_CONTROLLER_AXIS_LEFTY, tilt);
    case Control::kStickRight:
      return pad->Tilt(SDL_CONTROLLER_AXIS_LEFTX, tilt);
    case Control::kSouth:
      return pad->Press(SDL_CONTROLLER_BUTTON_A, step.down);
    case Control::kWest:
      return pad->Press(SDL_CONTROLLER_BUTTON_X, step.down);
    case Control::kEast:
      return pad->Press(SDL_CONTROLLER_BUTTON_B, step.down);
    case Control::kStart:
      return pad->Press(SDL_CONTROLLER_BUTTON_START, step.down);
    case Control::kUnplug:
      return pad.reset();
    case Control::kPlugIn:
      pad = std::make_unique<VirtualPad>();
      return;
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
        if (step.at != turn) continue;
        if (byPad) {
          UsePad(pad, step);
        } else if (step.control != Control::kPlugIn) {
          PushKey(KeyOf(step.control), step.down);
          if (step.control == Control::kUnplug) PushKey(SDLK_p, false);
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
