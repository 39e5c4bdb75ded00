#pragma once
// TFormMain, the main window: start-up (FormCreate, FormShow), shut-down (FormDestroy),
// its two keys, its menu commands and the switch between window and full screen. It
// draws nothing itself: the presentation services come from pres::Services() and the
// window from a FormHost.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/engine/frame_state.h"
#include "game/host/host_services.h"
#include "game/host/program_state.h"
#include "game/shell/form_host.h"
#include "game/shell/sequencer_calls.h"

namespace pres {
class Display;
}

namespace tolvane {

inline constexpr const char* kMainCaption = "Tolvane Echo Ver.0.1";
inline constexpr const char* kQuitQuestion = "終了しますか？";
inline constexpr const char* kArchiveFileName = "tolvgfx.dxg";
inline constexpr uint32_t kSequencerPeriodMs = 10;
inline constexpr int kWindowLeft = 100;
inline constexpr int kWindowTop = 100;
inline constexpr int kSkipItems = 10;  // Skip0 .. Skip9
// Where the window size is kept in the settings file (a key of its own: 1 to 4).
inline constexpr const char* kWindowSection = "Window";
inline constexpr const char* kWindowScaleKey = "Scale";

// Start-up could not go on; what() is the text shown to the user.
class StartupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TFormMain final : public MainWindowServices {
 public:
  // programDirectory: where the program file and its data lie. bootScene becomes the
  // first SceneProc.
  TFormMain(FormHost& host, const SequencerCalls& sequencer, std::string programDirectory,
            SceneProcType bootScene);
  ~TFormMain() override;
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  // Throws StartupError when the image archive cannot be loaded; what was made before
  // is released by FormDestroy as usual.
  void FormCreate();
  // Throws StartupError when the archive has no font.
  void FormShow();
  // Releases what FormCreate made, in order; safe after a failed start-up.
  void FormDestroy();

  // Escape asks whether to quit; F4 switches between window and full screen; P pauses play
  // and resumes it.
  void FormKeyDown(int virtualKey);

  // Whether the game on screen may be paused now; without a rule nothing pauses.
  using PauseRule = bool (*)();
  void SetPauseRule(PauseRule rule) { pauseRule_ = rule; }
  // A paused game runs no frame (the frame counter stands still), its music holds its place
  // and the dimmed last frame shows "PAUSE". Pause does nothing where the rule says no.
  void Pause();
  void Resume();
  bool Paused() const { return paused_; }

  void MenuCloseClick();
  void MenuNormalClick() { NormalScreen(); }
  void MenuFullScreenClick() { FullScreen(); }
  // The frame-skip items: tag 0..9 becomes MaxSkip and only that item is checked.
  void Skip0Click(int tag);
  bool SkipChecked(int tag) const;

  // The window-size items: the picture `scale` (1-4) times its size, remembered in the
  // settings file. A size larger than the desktop is not taken.
  void WindowScaleClick(int scale);
  int WindowScale() const { return windowScale_; }
  bool WindowScaleFits(int scale) const;

  void FullScreen();
  void NormalScreen();
  bool IsFullScreen() const;
  // Where the 480 x 320 picture sits in the client area.
  int DrawingLeft() const { return drawingLeft_; }
  int DrawingTop() const { return drawingTop_; }

  // MainWindowServices, for the game's screens.
  void CloseMainWindow() override;
  void ShowMessage(std::string_view text) override;

 private:
  void SetDrawingPosition(int left, int top);
  int StoredWindowScale() const;
  std::vector<uint32_t> KeptPausePicture(const pres::Display& display) const;
  void ShowKeptPausePicture(pres::Display& display, const std::vector<uint32_t>& picture) const;

  FormHost& host_;
  SequencerCalls sequencer_;
  std::string programDirectory_;
  SceneProcType bootScene_;
  bool sequencerStarted_ = false;
  WindowPlacement windowPlacement_;
  bool windowSystemRefusalShown_ = false;
  PauseRule pauseRule_ = nullptr;
  int windowScale_ = 1;
  bool paused_ = false;
  std::array<bool, kSkipItems> skipChecked_{};
  int drawingLeft_ = 0;
  int drawingTop_ = 0;
};

}  // namespace tolvane
