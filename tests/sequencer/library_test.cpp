// The C interface over the one library instance, with a platform of the test's own.
#include "sequencer/src/library.h"

#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "sequencer/include/vondra.h"
#include "sequencer/midiout/recording_output.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/fake_clock.h"
#include "tests/sequencer/support/fast_clock.h"
#include "tests/sequencer/support/smf_builder.h"
#include "tests/support/scratch_folder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::TrackBuilder;

// Before mmsInit every query answers the reset picture. (First in this file: later tests
// initialise the one library instance and play through it.)
TEST(LibraryBeforeInit, QueriesAnswerTheResetPicture) {
  ASSERT_FALSE(TheLibrary().player.Ready());
  for (int channel : {0, 9, 15}) {
    EXPECT_EQ(mmsGetControl(channel, 7), 100);
    EXPECT_EQ(mmsGetControl(channel, 10), 64);
    EXPECT_EQ(mmsGetControl(channel, 11), 127);
    EXPECT_EQ(mmsGetControl(channel, 91), 40);
    EXPECT_EQ(mmsGetControl(channel, 1), 0);
    EXPECT_EQ(mmsGetMaxNoteNumber(channel), -1);
    EXPECT_EQ(mmsGetMinNoteNumber(channel), -1);
  }
  EXPECT_EQ(mmsGetTimebase(), 48);
  EXPECT_EQ(mmsGetTempo(), 120.0);
  EXPECT_EQ(mmsGetMeasure(), 1);
  EXPECT_EQ(mmsGetStatus(), 0);
}

struct Caught {
  int32_t kind;
  std::string title;
  std::string text;
};

std::vector<Caught>& CaughtMessages() {
  static std::vector<Caught> caught;
  return caught;
}

void CatchMessage(void*, int32_t kind, const char* title, const char* text) {
  CaughtMessages().push_back({kind, title, text});
}

int ThreadCount() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/task")) {
    while (dirent* entry = readdir(dir)) count += entry->d_name[0] != '.';
    closedir(dir);
  }
  return count;
}

class Library : public ::testing::Test {
 protected:
  void SetUp() override {
    CaughtMessages().clear();
    vondraSetMessageHandler(CatchMessage, nullptr);
    UsePlatform(&fake_, false);
  }

  void TearDown() override {
    mmsEnd();
    TheLibrary().player.SetPlatform(SystemPlatform());
    vondraSetMessageHandler(nullptr, nullptr);
  }

  void UsePlatform(Clock* clock, bool thread, bool withOutput = true) {
    TheLibrary().player.SetPlatform(Platform{clock,
                                             [this, withOutput]() -> std::unique_ptr<MidiOutput> {
                                               if (!withOutput) return nullptr;
                                               auto output = std::make_shared<RecordingOutput>();
                                               output->FailClose(failClose_);
                                               outputs_.push_back(output);
                                               output_ = output.get();
                                               return std::make_unique<testing::ForwardingOutput>(
                                                   output);
                                             },
                                             thread});
  }

  std::string WriteFile(const std::vector<uint8_t>& bytes) {
    const auto path = folder_ / ("song-" + std::to_string(++written_) + ".mid");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  void Step(uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += 5) {
      fake_.Advance(5);
      TheLibrary().player.Step(fake_.Now());
    }
  }

  testing::FakeClock fake_;
  testing::FastClock fast_;
  std::vector<std::shared_ptr<RecordingOutput>> outputs_;  // every output opened, kept alive
  RecordingOutput* output_ = nullptr;
  bool failClose_ = false;
  tolvane::ScratchFolder folder_;
  int written_ = 0;
};

TEST_F(Library, VersionTextGainsItsSuffixOnlyFromASuccessfulInit) {
  EXPECT_STREQ(mmsVersion(), "Qarnwell SMF player VONDRA  ver.0.50");
  EXPECT_EQ(mmsInit(10), 0);
  EXPECT_STREQ(mmsVersion(), "Qarnwell SMF player VONDRA  ver.0.50 tp");
  EXPECT_EQ(mmsEnd(), 0);

  // No output: ready is not reached, nothing is started, and the suffix is gone.
  UsePlatform(&fake_, false, false);
  EXPECT_EQ(mmsInit(10), 0);
  EXPECT_STREQ(mmsVersion(), "Qarnwell SMF player VONDRA  ver.0.50");
  EXPECT_FALSE(TheLibrary().player.Ready());
  EXPECT_EQ(mmsEnd(), 0);
  EXPECT_TRUE(CaughtMessages().empty());
}

TEST_F(Library, APeriodBelowTheTimersMinimumIsRaisedWithAWarning) {
  fake_.SetMinimumPeriod(10);
  EXPECT_EQ(mmsInit(1), 0);
  ASSERT_EQ(CaughtMessages().size(), 1u);
  EXPECT_EQ(CaughtMessages()[0].kind, VONDRA_MESSAGE_WARNING);
  EXPECT_EQ(CaughtMessages()[0].title, "Qarnwell SMF player VONDRA ");
  EXPECT_EQ(CaughtMessages()[0].text,
            "使用しているコンピュータのタイマの精度が 10msec のため\n"
            "使用しようする精度 1msec を確保できませんでした\n"
            "タイマの精度を 10msecに落とします\n");
  EXPECT_EQ(TheLibrary().player.Period(), 10u);
  EXPECT_TRUE(TheLibrary().player.Ready());
}

TEST_F(Library, HandlesReadWholeFilesAndUnknownHandlesAreRefused) {
  const auto bytes = BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100).End(10)});
  SongHandle handle = mmsCreateHandle(WriteFile(bytes).c_str());
  ASSERT_NE(handle, nullptr);
  ASSERT_NE(TheLibrary().handles.Find(handle), nullptr);
  EXPECT_EQ(*TheLibrary().handles.Find(handle), bytes);

  EXPECT_EQ(mmsCreateHandle("/nonexistent/tune.mid"), nullptr);
  EXPECT_EQ(mmsCreateHandle(std::filesystem::temp_directory_path().c_str()), nullptr);
  EXPECT_EQ(mmsCreateHandle(nullptr), nullptr);
  SongHandle empty = mmsCreateHandle(WriteFile({}).c_str());
  EXPECT_NE(empty, nullptr);

  ASSERT_EQ(mmsInit(10), 0);
  EXPECT_EQ(mmsPlay(nullptr, 0), 1);
  EXPECT_EQ(mmsPlay(empty, 0), 1);
  mmsDestroyHandle(nullptr);
  mmsDestroyHandle(empty);
  EXPECT_EQ(mmsPlay(empty, 0), 1);  // destroyed: no longer a handle
  mmsDestroyHandle(empty);          // twice: ignored
  EXPECT_EQ(mmsPlay(handle, 0), 0);
  mmsDestroyHandle(handle);
}

TEST_F(Library, DestroyingThePlayingHandleStopsItFirst) {
  ASSERT_EQ(mmsInit(10), 0);
  SongHandle handle = mmsCreateHandle(
      WriteFile(BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100).End(2000)})).c_str());
  ASSERT_EQ(mmsPlay(handle, 1), 0);
  Step(50);
  EXPECT_EQ(mmsGetStatus(), 1);
  EXPECT_EQ(output_->SoundingNotes().size(), 1u);
  mmsDestroyHandle(handle);
  EXPECT_EQ(mmsGetStatus(), 0);
  EXPECT_TRUE(output_->SoundingNotes().empty());
  Step(600);  // the stop's messages go out; the engine no longer reads the freed image
  EXPECT_EQ(output_->Count(), 1u + 48u);
}

TEST_F(Library, EndStopsAndClosesAndInitWorksAgainWithOneThreadAtATime) {
  UsePlatform(&fast_, true);
  std::thread([] {}).join();  // a sanitizer's helper thread, if any, is started by now
  const int before = ThreadCount();
  ASSERT_EQ(mmsInit(10), 0);
  EXPECT_EQ(ThreadCount(), before + 1);
  RecordingOutput* first = output_;
  // A second init ends the first session: its output is closed, one thread runs.
  ASSERT_EQ(mmsInit(10), 0);
  EXPECT_TRUE(first->Closed());
  EXPECT_EQ(ThreadCount(), before + 1);

  SongHandle handle = mmsCreateHandle(
      WriteFile(BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100).End(2000)})).c_str());
  ASSERT_EQ(mmsPlay(handle, 0), 0);
  for (int i = 0; i < 200 && output_->Count() == 0; ++i) fast_.Sleep(10);
  EXPECT_EQ(output_->SoundingNotes().size(), 1u);
  RecordingOutput* second = output_;
  EXPECT_EQ(mmsEnd(), 0);
  EXPECT_TRUE(second->Closed());
  EXPECT_TRUE(second->SoundingNotes().empty());
  EXPECT_EQ(ThreadCount(), before);
  EXPECT_EQ(mmsEnd(), 0);  // already ended: nothing to do

  ASSERT_EQ(mmsInit(10), 0);
  EXPECT_EQ(ThreadCount(), before + 1);
  EXPECT_STREQ(mmsVersion(), "Qarnwell SMF player VONDRA  ver.0.50 tp");
  ASSERT_EQ(mmsPlay(handle, 0), 0);
  for (int i = 0; i < 200 && output_->Count() == 0; ++i) fast_.Sleep(10);
  EXPECT_EQ(output_->Count(), 1u);
  mmsDestroyHandle(handle);
}

TEST_F(Library, AFailedCloseIsReportedAndEndGoesOn) {
  failClose_ = true;
  ASSERT_EQ(mmsInit(10), 0);
  EXPECT_EQ(mmsEnd(), 0);
  ASSERT_EQ(CaughtMessages().size(), 1u);
  EXPECT_EQ(CaughtMessages()[0].text, "MIDIマッパが終了できませんでした");
  EXPECT_FALSE(TheLibrary().player.Ready());
}

TEST_F(Library, WithoutAnOutputPlayCallsAnswerButNothingRunsOrWaits) {
  UsePlatform(&fake_, false, false);
  ASSERT_EQ(mmsInit(10), 0);
  SongHandle handle =
      mmsCreateHandle(WriteFile(BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100).End(10)})).c_str());
  EXPECT_EQ(mmsPlay(handle, 1), 0);
  mmsFadeout(100);
  const uint32_t before = fake_.Now();
  mmsStop();
  EXPECT_EQ(fake_.Now(), before);  // no device: the stop does not pause
  EXPECT_EQ(mmsGetStatus(), 0);
  mmsDestroyHandle(handle);
}

TEST_F(Library, QueriesBeforeAnyPlayShowTheResetPicture) {
  ASSERT_EQ(mmsInit(10), 0);
  EXPECT_EQ(mmsGetTimebase(), 48);
  EXPECT_EQ(mmsGetTempo(), 120.0);
  EXPECT_EQ(mmsGetControl(0, 7), 100);
  EXPECT_EQ(mmsGetControl(15, 91), 40);
  EXPECT_EQ(mmsGetControl(3, 10), 64);
  EXPECT_EQ(mmsGetControl(3, 11), 127);
  EXPECT_EQ(mmsGetMaxNoteNumber(0), -1);
  EXPECT_EQ(mmsGetMinNoteNumber(0), -1);
  EXPECT_EQ(mmsGetMeasure(), 1);
  EXPECT_EQ(mmsGetBeat(), 1);
  EXPECT_EQ(mmsGetTicktime(), 0);
  EXPECT_EQ(mmsGetStatus(), 0);
  EXPECT_EQ(mmsGetTime(), 0);
  // Out of range answers 0 instead of reading elsewhere.
  EXPECT_EQ(mmsGetControl(16, 7), 0);
  EXPECT_EQ(mmsGetControl(0, 128), 0);
  EXPECT_EQ(mmsGetControl(-1, 7), 0);
  EXPECT_EQ(mmsGetMaxNoteNumber(99), 0);
  int32_t notes[128];
  std::fill(std::begin(notes), std::end(notes), 7);
  mmsGetNotes(16, notes);
  EXPECT_EQ(notes[0], 7);  // untouched
  mmsGetNotes(0, notes);
  EXPECT_EQ(notes[0], 0);
  mmsGetNotes(0, nullptr);
}

TEST_F(Library, MessagesGoToStandardErrorWithoutAHandler) {
  vondraSetMessageHandler(nullptr, nullptr);
  fake_.SetMinimumPeriod(10);
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(mmsInit(5), 0);
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(written.find("Qarnwell SMF player VONDRA "), std::string::npos);
  EXPECT_NE(written.find("タイマの精度を 10msecに落とします"), std::string::npos);
}

}  // namespace
}  // namespace vondra
