#include "game/shell/form_main.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "game/engine/actor_pool.h"
#include "game/engine/screen_setup.h"
#include "game/engine/text_slots.h"
#include "game/host/program_paths.h"
#include "game/shell/frame_driver.h"
#include "game/shell/pause_picture.h"
#include "presentation/services.h"
#include "presentation/virtual_keys.h"

namespace tolvane {
namespace {

pres::ServiceSet& Presentation() {
  return pres::Services();
}

}  // namespace

TFormMain::TFormMain(FormHost& host, const SequencerCalls& sequencer, std::string programDirectory,
                     SceneProcType bootScene)
    : host_(host),
      sequencer_(sequencer),
      programDirectory_(std::move(programDirectory)),
      bootScene_(bootScene) {
  skipChecked_[0] = true;
  Host().window = this;
}

TFormMain::~TFormMain() {
  Host().window = nullptr;
}

void TFormMain::FormCreate() {
  host_.ShowSplash();
  std::error_code
      ignored;  // an unreachable folder leaves the start-up folder; the load then says so
  if (!programDirectory_.empty()) std::filesystem::current_path(programDirectory_, ignored);
  host_.SetCaption(kMainCaption);
  ClearAllActors();

  pres::ImageArchive& archive = *Presentation().archive;
  try {
    // Pictures are decoded from the file when first drawn.
    archive.Open(JoinProgramPath(programDirectory_, kArchiveFileName));
  } catch (const std::exception& failure) {
    host_.CloseSplash();
    const std::string folder = programDirectory_.empty() ? std::string(".") : programDirectory_;
    std::fprintf(stderr, "tolvane: cannot load the image archive \"%s\" from the folder %s: %s\n",
                 kArchiveFileName, folder.c_str(), failure.what());
    throw StartupError(std::string("画像ファイル \"") + kArchiveFileName +
                       "\" を読み込めません。\nフォルダ: " + folder + "\n" + failure.what());
  }

  pres::Display& display = *Presentation().display;
  display.SetPalette(archive.BuildColorTable());
  ClearColor = display.ColorMatch(0x000000);
  FreeAllTextSlots();  // the 65 buffers are static; start-up hands them all out free

  sequencer_.init(kSequencerPeriodMs);
  sequencerStarted_ = true;
  MusicHandle.fill(nullptr);

  IniFile = new pres::SettingsFile(pres::SettingsPath(kSettingsFileName));
  host_.CloseSplash();
  SceneProc = bootScene_;
  Presentation().timer->SetEnabled(true);
}

void TFormMain::FormShow() {
  windowScale_ = StoredWindowScale();
  host_.SetWindowScale(windowScale_);
  host_.ShowClientArea(kWindowLeft, kWindowTop, pres::kScreenWidth, pres::kScreenHeight);
  SetDrawingPosition(0, 0);
  Presentation().timer->SetInterval(kFrameIntervalMs);
  try {
    InitFontCells();
  } catch (const pres::ArchiveError& failure) {
    std::fprintf(stderr, "tolvane: %s\n", failure.what());
    throw StartupError(failure.what());
  }
  if (pres::InputDevice* input = Presentation().input) {
    input->SetBinding(pres::kInputButton1, {pres::vk::kSpace, pres::vk::Letter('Z'), 0});
    input->SetBinding(pres::kInputButton1 + 1, {pres::vk::kReturn, pres::vk::Letter('X'), 0});
    input->SetBinding(pres::kInputButton1 + 2, {pres::vk::kShift, 0, 0});
  }
}

void TFormMain::FormDestroy() {
  // The loop has ended; nothing may tick while things are released.
  if (pres::FrameTimer* timer = Presentation().timer) timer->SetEnabled(false);
  paused_ = false;
  SceneProc = nullptr;
  FreeAllTextSlots();
  for (SongHandle& handle : MusicHandle) {
    if (handle != nullptr && sequencerStarted_) sequencer_.destroyHandle(handle);
    handle = nullptr;
  }
  delete IniFile;
  IniFile = nullptr;
  if (sequencerStarted_) {
    sequencer_.stop();
    sequencer_.end();
    sequencerStarted_ = false;
  }
}

void TFormMain::FormKeyDown(int virtualKey) {
  if (virtualKey == pres::vk::kEscape) {
    const uint8_t busy = FrameBusy;
    FrameBusy = 1;  // a tick delivered while the box is open must not run a frame
    if (host_.AskOkCancel(kQuitQuestion)) host_.Close();
    FrameBusy = busy;
  } else if (virtualKey == pres::vk::kF4) {
    if (IsFullScreen()) {
      NormalScreen();
    } else {
      FullScreen();
    }
  } else if (virtualKey == pres::vk::Letter('P')) {
    if (paused_) {
      Resume();
    } else {
      Pause();
    }
  }
}

void TFormMain::Pause() {
  if (paused_ || pauseRule_ == nullptr || !pauseRule_()) return;
  paused_ = true;
  Presentation().timer->SetEnabled(false);
  if (sequencerStarted_ && sequencer_.pause != nullptr) sequencer_.pause(1);
  if (pres::Display* display = Presentation().display) ShowPausePicture(*display);
}

void TFormMain::Resume() {
  if (!paused_) return;
  paused_ = false;
  if (sequencerStarted_ && sequencer_.pause != nullptr) sequencer_.pause(0);
  Presentation().timer->SetEnabled(true);
}

// The stored size, or 1 when it is missing or unreadable; a stored size larger than this
// desktop opens the largest that fits and stays stored for a larger one.
int TFormMain::StoredWindowScale() const {
  const int largest = host_.LargestWindowScale();
  if (largest < 1) {
    std::fprintf(stderr, "tolvane: the desktop is smaller than the %dx%d window; it opens at x1\n",
                 pres::kScreenWidth, pres::kScreenHeight);
  }
  if (IniFile == nullptr) return 1;
  const std::string text = IniFile->ReadString(kWindowSection, kWindowScaleKey, "");
  if (text.empty()) return 1;
  int scale = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), scale);
  if (error != std::errc() || end != text.data() + text.size() || scale < 1 ||
      scale > kLargestWindowScale) {
    std::fprintf(stderr,
                 "tolvane: the window size \"%s\" in %s is not 1 to %d; the window opens at x1\n",
                 text.c_str(), IniFile->Path().c_str(), kLargestWindowScale);
    return 1;
  }
  if (largest >= 1 && scale > largest) {
    std::fprintf(stderr, "tolvane: the window at x%d is larger than the desktop; it opens at x%d\n",
                 scale, largest);
    return largest;
  }
  return scale;
}

bool TFormMain::WindowScaleFits(int scale) const {
  return scale >= 1 && scale <= kLargestWindowScale &&
         (scale == 1 || scale <= host_.LargestWindowScale());
}

void TFormMain::WindowScaleClick(int scale) {
  if (!WindowScaleFits(scale) || IsFullScreen()) return;
  windowScale_ = scale;
  host_.SetWindowScale(scale);
  if (IniFile != nullptr &&
      !IniFile->WriteString(kWindowSection, kWindowScaleKey, std::to_string(scale))) {
    std::fprintf(stderr, "tolvane: cannot keep the window size in %s: %s\n",
                 IniFile->Path().c_str(), IniFile->LastError().c_str());
  }
}

void TFormMain::MenuCloseClick() {
  host_.Close();
}

void TFormMain::Skip0Click(int tag) {
  if (tag < 0 || tag >= kSkipItems) return;
  skipChecked_.fill(false);
  MaxSkip = tag;
  skipChecked_[static_cast<size_t>(tag)] = true;
}

bool TFormMain::SkipChecked(int tag) const {
  return tag >= 0 && tag < kSkipItems && skipChecked_[static_cast<size_t>(tag)];
}

bool TFormMain::IsFullScreen() const {
  const pres::Display* display = Presentation().display;
  return display != nullptr && display->FullScreenOption();
}

void TFormMain::FullScreen() {
  if (IsFullScreen()) return;
  pres::Display& display = *Presentation().display;
  const std::vector<uint32_t> pausePicture = KeptPausePicture(display);
  display.Finalize();
  windowPlacement_ = host_.Placement();
  display.SetFullScreenOption(true);
  std::string refusal;
  bool sayIt = true;
  if (!host_.SetFullScreen(true)) {
    // The window system cannot give the window the whole display (no window manager):
    // said the first time only, since it will not change while the program runs.
    refusal = pres::DisplayModeErrorText();
    sayIt = !windowSystemRefusalShown_;
    windowSystemRefusalShown_ = true;
  } else {
    try {
      display.Initialize();
    } catch (const pres::DisplayError& failure) {
      refusal = failure.what();
      host_.SetFullScreen(false);
    }
  }
  if (!refusal.empty()) {
    // Back to the window as it was, and say why.
    display.SetFullScreenOption(false);
    host_.SetPlacement(windowPlacement_);
    display.Initialize();
    SetDrawingPosition(0, 0);
    ShowKeptPausePicture(display, pausePicture);
    if (sayIt) host_.ShowMessage(refusal);
    return;
  }
  const ClientSize client = host_.ClientAreaSize();
  SetDrawingPosition((client.width - pres::kScreenWidth) / 2,
                     (client.height - pres::kScreenHeight) / 2);
  ShowKeptPausePicture(display, pausePicture);
}

void TFormMain::NormalScreen() {
  if (!IsFullScreen()) return;
  pres::Display& display = *Presentation().display;
  const std::vector<uint32_t> pausePicture = KeptPausePicture(display);
  display.Finalize();
  host_.SetFullScreen(false);
  host_.SetPlacement(windowPlacement_);
  display.SetFullScreenOption(false);
  display.Initialize();
  SetDrawingPosition(0, 0);
  ShowKeptPausePicture(display, pausePicture);
}

// A switch of screen mode makes the back buffer anew, black: the paused picture (the dimmed
// last frame under "PAUSE") is taken before and put into the new one.
std::vector<uint32_t> TFormMain::KeptPausePicture(const pres::Display& display) const {
  return paused_ ? display.ReadBackBuffer() : std::vector<uint32_t>{};
}

void TFormMain::ShowKeptPausePicture(pres::Display& display,
                                     const std::vector<uint32_t>& picture) const {
  if (!paused_) return;
  display.WriteBackBuffer(picture);
  display.Flip();
}

void TFormMain::SetDrawingPosition(int left, int top) {
  drawingLeft_ = left;
  drawingTop_ = top;
  host_.SetDrawingPosition(left, top);
}

void TFormMain::CloseMainWindow() {
  host_.Close();
}

void TFormMain::ShowMessage(std::string_view text) {
  host_.ShowMessage(text);
}

}  // namespace tolvane
