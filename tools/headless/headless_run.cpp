#include "tools/headless/headless_run.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <utility>

#include "content/sounds/sound_effects.h"
#include "game/engine/engine_reset.h"
#include "game/engine/frame_state.h"
#include "game/flow/boot_scene.h"
#include "game/replay/replays.h"
#include "game/shell/form_main.h"
#include "game/shell/frame_driver.h"
#include "presentation/png_writer.h"
#include "presentation/services.h"
#include "tools/headless/headless_host.h"
#include "tools/headless/state_digest.h"
#include "tools/headless/undrawn_display.h"

namespace tolvane::headless {
namespace {

// Far from 0, which the frame driver reads as "not scheduled".
constexpr uint32_t kClockStart = 1000;

std::string PictureName(const std::string& folder, int32_t frame) {
  char name[32];
  std::snprintf(name, sizeof name, "frame%06d.png", frame);
  return (std::filesystem::path(folder) / name).string();
}

}  // namespace

int RunHeadless(const RunOptions& options, PadSource* keys, std::ostream& digests) {
  ::setenv("VONDRA_OUTPUT", "none", 1);  // no sound: the library opens no output
  ResetEngineState();
  ResetFrameDriver();

  pres::ManualClock clock(kClockStart);
  pres::FrameTimer timer(clock);
  pres::InputDevice input;
  pres::ImageArchive archive;
  std::unique_ptr<pres::WaveList> waves = pres::CreateSilentWaveList();
  LoadSoundEffects(*waves);
  std::unique_ptr<pres::Display> display = pres::CreateHeadlessDisplay(archive);
  const bool picturesWanted = !options.pngDirectory.empty() && options.pngEvery > 0;
  if (!picturesWanted) display = std::make_unique<UndrawnDisplay>(std::move(display));
  pres::Services() = pres::ServiceSet{&archive, display.get(), waves.get(), &input, &timer, &clock};
  timer.SetHandler(&DXTimerTimer);

  HeadlessHost host;
  int status = 0;
  {
    TFormMain form(host, LibrarySequencerCalls(), options.dataDirectory, &BootScene);
    try {
      form.FormCreate();
      form.FormShow();
      const bool replays = options.record || !options.replayFile.empty();
      if (replays) {
        ReplayOptions setup;
        if (!options.replayFolder.empty()) setup.folder = options.replayFolder;
        setup.record = options.record;
        StartReplays(setup);
        timer.SetHandler([] { ReplayTick(&DXTimerTimer); });
        if (!options.replayFile.empty()) WatchReplay(options.replayFile);
      }
      if (!options.pngDirectory.empty()) std::filesystem::create_directories(options.pngDirectory);
      bool watched = false;
      for (int32_t frame = 1; frame <= options.frames && !host.Closing(); ++frame) {
        if (keys != nullptr) keys->BeforeFrame(FrameCount + 1, input);
        // Exactly one interval later: every tick is on time, so every frame is drawn.
        const uint32_t due = timer.MillisecondsUntilDue();
        if (due == pres::FrameTimer::kNeverDue) break;
        clock.Advance(due);
        timer.Idle();
        char line[48];
        std::snprintf(line, sizeof line, "frame %d %016llx\n", FrameCount,
                      static_cast<unsigned long long>(StateDigest()));
        digests << line;
        // A replay's pictures begin with its first frame, after the boot frame.
        const bool wanted = picturesWanted && FrameCount % options.pngEvery == 0 &&
                            (options.replayFile.empty() || frame > 1);
        if (wanted &&
            !pres::SaveScreenshot(*display, PictureName(options.pngDirectory, FrameCount))) {
          std::fprintf(stderr, "tolvane-headless: cannot write %s\n",
                       PictureName(options.pngDirectory, FrameCount).c_str());
          status = 1;
          break;
        }
        if (options.done && options.done()) break;
        if (!options.replayFile.empty()) {
          if (watched && !Watching()) break;
          watched = Watching();
          if (LastWatchOutcome() == WatchOutcome::Refused) break;
        }
      }
      if (!options.replayFile.empty() && LastWatchOutcome() != WatchOutcome::Played) status = 1;
      if (replays) StopReplays();
    } catch (const StartupError& failure) {
      host.ShowMessage(failure.what());
      status = 1;
    } catch (const std::filesystem::filesystem_error& failure) {
      std::fprintf(stderr, "tolvane-headless: %s\n", failure.what());
      status = 1;
    }
    form.FormDestroy();
  }
  pres::Services() = pres::ServiceSet{};
  return status;
}

}  // namespace tolvane::headless
