#pragma once
// Headless game-flow tests: the play harness (engine, synthetic archive, headless display,
// scripted keyboard, frame driver) plus what the flow needs around it: a settings file in
// a folder of the test's own, stage files written by the test, a fixed date, and
// recorders for the music calls, the sound effects and the main window's services.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/engine/actor.h"
#include "game/engine/pad_input.h"
#include "game/host/host_services.h"
#include "game/host/program_state.h"
#include "game/play/stage_codes.h"
#include "presentation/settings_file.h"
#include "presentation/wave_list.h"
#include "tests/support/play_harness.h"
#include "tests/support/scratch_folder.h"

namespace tolvane::testing {

struct MusicCall {
  std::string what;   // "create", "play", "fadeout", "stop"
  std::string file;   // create: the file name
  int tune = 0;       // play: the tune number behind the handle (0 for none)
  int32_t value = 0;  // play: repeat; fadeout: milliseconds
};

class RecordingWaves final : public pres::WaveList {
 public:
  int Add(std::span<const uint8_t>) override { return 0; }
  void Play(int index) override { played.push_back(index); }
  int SoundingCount() const override { return 0; }
  bool Available() const override { return true; }
  std::vector<int> played;
};

class RecordingWindow final : public MainWindowServices {
 public:
  void CloseMainWindow() override { ++closes; }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  int closes = 0;
  std::vector<std::string> messages;
};

class FlowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Boots as the program does: BootScene as SceneProc, then one frame more so the title
  // is built.
  void Boot();
  void RunFrames(int frames) { harness_->RunFrames(frames); }
  // A pad input pressed for one frame and released for one.
  void Press(int padState);
  // A keyboard key by virtual-key code, held or released (no frame runs).
  static void KeyDown(int virtualKey);
  static void KeyUp(int virtualKey);
  // Types a key: down for one frame, up for one.
  void Type(int virtualKey);
  // In a name entry run by `entry`: moves the cursor to (column, row) and presses button 1.
  void PickLetter(const TActor& entry, int32_t column, int32_t row);

  // Writes stage file n into the program folder from records.
  void WriteStage(int stage, const std::vector<StageRecord>& records);
  std::filesystem::path Folder() const { return folder_.path(); }
  std::string SettingsPath() const { return (folder_ / "qarnwell.ini").string(); }
  // Replaces the settings file object by one on the path (as a fresh start would make).
  void OpenSettings(const std::string& path);

  // Active actors showing an image, and the first with it (nullptr if none).
  static int CountImage(int32_t image);
  static TActor* FindImage(int32_t image);
  static int CountActive(int32_t kind);
  // Text of every active text actor, in slot order.
  static std::vector<std::string> Texts();
  static bool ShowsText(const std::string& text);

  // The archive the harness loads; a fixture may choose the built one in its constructor.
  PlayHarness::ArchiveSource source_ = PlayHarness::ArchiveSource::Synthetic;
  std::unique_ptr<PlayHarness> harness_;
  RecordingWaves waves_;
  RecordingWindow window_;
  std::unique_ptr<pres::SettingsFile> settings_;
  ScratchFolder folder_;
};

// Every music call since the test began.
std::vector<MusicCall>& MusicLog();

}  // namespace tolvane::testing
