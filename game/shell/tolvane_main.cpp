// tolvane: the game in its window. Finds its data beside itself.
//
//   tolvane [--replay FILE]
//
// With --replay it starts straight into watching the replay FILE.
#include <SDL2/SDL.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "content/sounds/sound_effects.h"
#include "game/flow/boot_scene.h"
#include "game/flow/play_pause.h"
#include "game/host/program_paths.h"
#include "game/replay/replays.h"
#include "game/shell/form_main.h"
#include "game/shell/frame_driver.h"
#include "game/shell/game_pads.h"
#include "game/shell/main_loop.h"
#include "game/shell/message_queue.h"
#include "game/shell/sdl_form_host.h"
#include "game/shell/video_start.h"
#include "presentation/services.h"

namespace {

// Wakes the message loop when a library message was queued on another thread.
void WakeMainLoop(uint32_t eventType) {
  SDL_Event event{};
  event.type = eventType;
  SDL_PushEvent(&event);
}

int RunGame(const std::string& replayFile) {
  pres::SystemClock clock;
  pres::FrameTimer timer(clock);
  pres::InputDevice input;
  pres::ImageArchive archive;
  tolvane::SdlFormHost host;  // first: it puts up the splash
  tolvane::GamePads pads;
  pads.OpenAll(input);
  host.SetPads(&pads);
  std::unique_ptr<pres::WaveList> waves = pres::CreateMixerWaveList();
  tolvane::LoadSoundEffects(*waves);

  std::unique_ptr<pres::Display> display = pres::CreateRendererDisplay(
      archive, host.Renderer(), [&host](SDL_Texture* backBuffer) { host.Present(backBuffer); });
  pres::Services() = pres::ServiceSet{&archive, display.get(), waves.get(), &input, &timer, &clock};
  timer.SetHandler([] { tolvane::ReplayTick(&tolvane::DXTimerTimer); });

  const uint32_t wakeEvent = SDL_RegisterEvents(1);
  tolvane::MessageQueue libraryMessages([wakeEvent] { WakeMainLoop(wakeEvent); });
  tolvane::RouteLibraryMessages(&libraryMessages);

  int status = 0;
  {
    tolvane::TFormMain form(host, tolvane::LibrarySequencerCalls(), tolvane::ProgramDirectory(),
                            &tolvane::BootScene);
    host.SetForm(&form);
    form.SetPauseRule(&tolvane::PlayIsPausable);
    try {
      form.FormCreate();
      form.FormShow();
      tolvane::StartReplays({});
      if (!replayFile.empty()) tolvane::WatchReplay(replayFile);
      tolvane::RunMessageLoop(host, timer, libraryMessages);
      tolvane::StopReplays();
    } catch (const tolvane::StartupError& failure) {
      host.ShowMessage(failure.what());
      status = 1;
    }
    form.FormDestroy();
    host.SetForm(nullptr);
  }
  tolvane::RouteLibraryMessages(nullptr);
  // Whatever the library said while shutting down can no longer be shown in the window.
  for (const tolvane::QueuedMessage& message : libraryMessages.TakeAll()) {
    std::fprintf(stderr, "%s: %s\n", message.title.c_str(), message.text.c_str());
  }
  pres::Services() = pres::ServiceSet{};
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::string replayFile;
  if (argc == 3 && std::string_view(argv[1]) == "--replay") {
    // The program moves into its own folder at start-up: a relative path is fixed now.
    std::error_code ignored;
    replayFile = std::filesystem::absolute(argv[2], ignored).string();
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: tolvane [--replay FILE]\n");
    return 2;
  }
  int started = 0;
  {
    const tolvane::VideoStartSettings videoStart;
    started = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
  }
  if (started != 0) {
    std::fprintf(stderr, "tolvane: cannot start the video system: %s\n", SDL_GetError());
    return 1;
  }
  SDL_StopTextInput();  // keys only: no input method window over the game
  int status = 1;
  try {
    status = RunGame(replayFile);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "tolvane: %s\n", failure.what());
  }
  SDL_Quit();
  return status;
}
