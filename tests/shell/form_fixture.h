#pragma once
// A main window over the headless presentation layer: a recording host, a recording
// sequencer table, a manual clock and a small image archive in a temporary folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/engine/engine_reset.h"
#include "game/engine/frame_state.h"
#include "game/shell/form_main.h"
#include "game/shell/frame_driver.h"
#include "presentation/services.h"
#include "tests/support/scratch_folder.h"

namespace tolvane::testing {

// Everything the host and the sequencer table are asked, in order.
inline std::vector<std::string>& CallLog() {
  static std::vector<std::string> log;
  return log;
}

// The state start-up has reached, written beside each logged call.
inline std::string StartupState() {
  const pres::ServiceSet& s = pres::Services();
  return "[archive " + std::to_string(s.archive->Count()) + ", ini " +
         (IniFile != nullptr ? "1" : "0") + ", scene " + (SceneProc != nullptr ? "1" : "0") +
         ", timer " + (s.timer->Enabled() ? "1" : "0") + "]";
}

inline void Log(const std::string& line) {
  CallLog().push_back(line);
}

inline SequencerCalls RecordingSequencer() {
  return {[](uint32_t period) -> int32_t {
            Log("mmsInit(" + std::to_string(period) + ") " + StartupState());
            return 0;
          },
          [](SongHandle handle) {
            Log("mmsDestroyHandle(" + std::to_string(reinterpret_cast<uintptr_t>(handle)) + ")");
          },
          [] { Log("mmsStop " + StartupState()); },
          []() -> int32_t {
            Log("mmsEnd");
            return 0;
          },
          [](int32_t paused) { Log("vondraPause(" + std::to_string(paused) + ")"); }};
}

class RecordingHost : public FormHost {
 public:
  void ShowSplash() override { Log("splash shown " + StartupState()); }
  void CloseSplash() override { Log("splash closed " + StartupState()); }
  void SetCaption(std::string_view caption) override { Log("caption " + std::string(caption)); }
  void ShowClientArea(int left, int top, int width, int height) override {
    placement = {left, top, width, height};
    Log("client area " + std::to_string(left) + "," + std::to_string(top) + " " +
        std::to_string(width) + "x" + std::to_string(height));
  }
  WindowPlacement Placement() const override { return placement; }
  void SetPlacement(const WindowPlacement& p) override { placement = p; }
  bool SetFullScreen(bool on) override {
    if (on && refuseFullScreen) return false;
    fullScreen = on;
    if (on) placement = {0, 0, 1920, 1080};
    return true;
  }
  ClientSize ClientAreaSize() const override {
    return fullScreen ? ClientSize{640, 480} : ClientSize{480, 320};
  }
  void SetDrawingPosition(int left, int top) override {
    drawingLeft = left;
    drawingTop = top;
  }
  void SetWindowScale(int s) override { scale = s; }
  int LargestWindowScale() const override { return largestScale; }
  bool AskOkCancel(std::string_view text) override {
    Log("ask " + std::string(text));
    if (whileAsking) whileAsking();
    return answer;
  }
  void ShowMessage(std::string_view text) override { Log("message " + std::string(text)); }
  void Close() override {
    closed = true;
    Log("close");
  }

  WindowPlacement placement;
  bool fullScreen = false;
  int drawingLeft = -1;
  int drawingTop = -1;
  bool answer = false;
  bool closed = false;
  bool refuseFullScreen = false;  // as with no window manager
  int scale = 1;
  int largestScale = kLargestWindowScale;
  std::function<void()> whileAsking;  // runs while the question is open
};

// A 128 x 48 font picture (8 x 8 cells) and a 16 x 16 red picture, as an archive file.
inline std::vector<uint8_t> SmallArchive(bool withFont = true) {
  std::vector<pres::ImageEntry> entries;
  pres::ImageEntry red;
  red.name = "red";
  red.picture.width = red.picture.height = 16;
  red.picture.bitsPerPixel = 24;
  red.picture.pixels.assign(16 * 16, 0xFF0000);
  entries.push_back(red);
  if (withFont) {
    pres::ImageEntry font;
    font.name = "ImageListFont";
    font.picture.width = 128;
    font.picture.height = 48;
    font.picture.bitsPerPixel = 24;
    font.picture.pixels.assign(128 * 48, 0xFFFFFF);
    entries.push_back(font);
  }
  return pres::WriteArchive(entries);
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline int gBootSceneRuns = 0;
inline void CountingBootScene() {
  ++gBootSceneRuns;
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    ResetFrameDriver();
    CallLog().clear();
    gBootSceneRuns = 0;
    std::filesystem::create_directories(folder_ / "data");
    ::setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
    startFolder_ = std::filesystem::current_path();
    display_ = pres::CreateHeadlessDisplay(archive_);
    pres::Services() =
        pres::ServiceSet{&archive_, display_.get(), nullptr, &input_, &timer_, &clock_};
    timer_.SetHandler(&DXTimerTimer);
    form_ = std::make_unique<TFormMain>(host_, RecordingSequencer(), folder_.string(),
                                        &CountingBootScene);
  }
  void TearDown() override {
    form_.reset();
    pres::Services() = pres::ServiceSet{};
    display_.reset();
    std::filesystem::current_path(startFolder_);
    delete IniFile;
    IniFile = nullptr;
    ResetFrameDriver();
    ResetEngineState();
  }

  void WriteArchive(bool withFont = true) {
    WriteFile(folder_ / kArchiveFileName, SmallArchive(withFont));
  }

  // Archive in place, FormCreate and FormShow run, log cleared.
  void StartUp() {
    WriteArchive();
    form_->FormCreate();
    form_->FormShow();
    CallLog().clear();
  }

  // One idle moment of the message loop `ms` after the last one.
  bool IdleAfter(uint32_t ms) {
    clock_.Advance(ms);
    return timer_.Idle();
  }

  ScratchFolder scratch_;
  const std::filesystem::path folder_ = scratch_.path();  // the program's folder
  std::filesystem::path startFolder_;
  pres::ImageArchive archive_;
  pres::ManualClock clock_{1000};
  pres::FrameTimer timer_{clock_};
  pres::InputDevice input_;
  std::unique_ptr<pres::Display> display_;
  RecordingHost host_;
  std::unique_ptr<TFormMain> form_;
};

}  // namespace tolvane::testing
