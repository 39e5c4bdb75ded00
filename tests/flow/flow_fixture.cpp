#include "tests/flow/flow_fixture.h"

#include <array>
#include <fstream>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/pad_input.h"
#include "game/engine/sound.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_common.h"
#include "game/engine/text_slots.h"
#include "game/engine/work_slots.h"
#include "game/flow/boot_scene.h"
#include "game/flow/file_names.h"
#include "game/flow/flow_reset.h"
#include "game/flow/music.h"
#include "game/flow/name_entry.h"
#include "presentation/services.h"
#include "presentation/virtual_keys.h"
#include "tests/support/play_harness.h"

namespace tolvane::testing {

namespace {

// Distinct fake handles, one per tune file; tune t is element t - 1.
std::array<char, kTuneCount> gFakeSongs{};

SongHandle FakeHandle(int tune) {
  return reinterpret_cast<SongHandle>(&gFakeSongs[static_cast<size_t>(tune - 1)]);
}

int TuneOf(SongHandle handle) {
  for (int tune = 1; tune <= kTuneCount; ++tune) {
    if (FakeHandle(tune) == handle) return tune;
  }
  return 0;
}

SongHandle RecordCreate(const char* fileName) {
  MusicLog().push_back({"create", fileName, 0, 0});
  for (int tune = 1; tune <= kTuneCount; ++tune) {
    if (std::string(TuneFileName(tune)) == fileName) return FakeHandle(tune);
  }
  return nullptr;
}
int32_t RecordPlay(SongHandle handle, int32_t repeat) {
  MusicLog().push_back({"play", "", TuneOf(handle), repeat});
  return 0;
}
void RecordFadeout(int32_t ms) {
  MusicLog().push_back({"fadeout", "", 0, ms});
}
void RecordStop() {
  MusicLog().push_back({"stop", "", 0, 0});
}

CalendarDate FixedDate() {
  return {2031, 4, 7};
}

std::filesystem::path gFolder;
std::string TestFolder() {
  return gFolder.string();
}

}  // namespace

std::vector<MusicCall>& MusicLog() {
  static std::vector<MusicCall> log;
  return log;
}

void FlowTest::SetUp() {
  harness_ = std::make_unique<PlayHarness>(source_);
  ResetFlow();
  MusicLog().clear();
  Host().music = {&RecordCreate, &RecordPlay, &RecordFadeout, &RecordStop};
  pres::Services().waves = &waves_;
  gFolder = folder_.path();
  Host().dataFolder = &TestFolder;
  Host().today = &FixedDate;
  OpenSettings(SettingsPath());
  Host().window = &window_;
  // As after boot: tunes loaded, sound effects on.
  MusicHandle.fill(nullptr);
  LoadTunes();
  MusicLog().clear();
  SoundEnabled = 1;
}

void FlowTest::TearDown() {
  ResetFlow();
  settings_.reset();
  harness_.reset();
}

void FlowTest::OpenSettings(const std::string& path) {
  settings_ = std::make_unique<pres::SettingsFile>(path);
  IniFile = settings_.get();
}

void FlowTest::Boot() {
  SceneProc = BootScene;
  RunFrames(2);
}

void FlowTest::KeyDown(int virtualKey) {
  pres::Services().input->KeyDown(virtualKey);
}
void FlowTest::KeyUp(int virtualKey) {
  pres::Services().input->KeyUp(virtualKey);
}

void FlowTest::Type(int virtualKey) {
  KeyDown(virtualKey);
  RunFrames(1);
  KeyUp(virtualKey);
  RunFrames(1);
}

void FlowTest::Press(int padState) {
  Type(KeyFor(padState));
}

void FlowTest::PickLetter(const TActor& entry, int32_t column, int32_t row) {
  while (entry.Work[kCursorColumnWord] != column) Press(PadRight);
  while (entry.Work[kCursorRowWord] != row) Press(PadDown);
  Press(PadButton1);
}

void FlowTest::WriteStage(int stage, const std::vector<StageRecord>& records) {
  std::vector<uint8_t> bytes(records.size() * kStageRecordSize);
  for (size_t i = 0; i < records.size(); ++i)
    EncodeStageRecord(records[i], bytes.data() + i * kStageRecordSize);
  std::ofstream file(folder_ / StageFileName(stage), std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

int FlowTest::CountImage(int32_t image) {
  int count = 0;
  for (const TActor& a : ActorPool) count += a.Active != 0 && a.Image == image ? 1 : 0;
  return count;
}

TActor* FlowTest::FindImage(int32_t image) {
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Image == image) return &a;
  }
  return nullptr;
}

int FlowTest::CountActive(int32_t kind) {
  int count = 0;
  for (const TActor& a : ActorPool) count += a.Active != 0 && a.Kind == kind ? 1 : 0;
  return count;
}

static bool IsTextActor(const TActor& a) {
  for (DrawProc proc : {ZoomTextWait, ZoomTextIn, TextShow, ZoomTextOut, GlideWait, GlideIn,
                        GlideOut, BlinkWait, BlinkShow}) {
    if (a.Draw == proc) return true;
  }
  return false;
}

std::vector<std::string> FlowTest::Texts() {
  std::vector<std::string> texts;
  for (const TActor& a : ActorPool) {
    if (a.Active == 0 || !IsTextActor(a)) continue;
    const int32_t slot = a.Work[kTextSlotWord];
    if (slot < 0 || slot >= kTextSlotCount || TextSlotUsed[static_cast<size_t>(slot)] == 0)
      continue;
    texts.emplace_back(ActorText(a));
  }
  return texts;
}

bool FlowTest::ShowsText(const std::string& text) {
  for (const std::string& t : Texts()) {
    if (t == text) return true;
  }
  return false;
}

}  // namespace tolvane::testing
