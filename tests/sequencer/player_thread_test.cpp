// The real player thread against calls from the caller's thread: ten thousand random plays,
// stops, fades and queries, played through a scheduling output. Run under ThreadSanitizer;
// after every stop nothing may sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <random>
#include <thread>

#include "sequencer/include/vondra.h"
#include "sequencer/midiout/recording_output.h"
#include "sequencer/src/library.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/fast_clock.h"
#include "tests/sequencer/support/scheduled_recorder.h"
#include "tests/sequencer/support/smf_builder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::SmfOptions;
using testing::TrackBuilder;

inline constexpr int kCalls = 10000;

// Songs that keep the player thread busy in different ways: dense chords on every channel,
// System Exclusive, an ending of its own, a system status, an unlisted meta type.
std::vector<std::vector<uint8_t>> Songs() {
  TrackBuilder dense;
  for (int step = 0; step < 200; ++step) {
    for (int channel = 0; channel < 16; channel += 3) {
      dense.NoteOn(0, channel, 40 + (step * 7 + channel) % 50, 90);
    }
    dense.Control(1, step % 16, 7, 60 + step % 60);
    for (int channel = 0; channel < 16; channel += 3) {
      dense.NoteOff(0, channel, 40 + (step * 7 + channel) % 50);
    }
  }
  TrackBuilder sysex;
  for (int i = 0; i < 50; ++i) sysex.SysEx(3, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).NoteOn(0, 1, 60, 80);
  return {
      BuildSmf({dense.End()}, SmfOptions{.division = 24}),
      BuildSmf({sysex.End(), TrackBuilder().NoteOn(0, 2, 50, 100).End(400)},
               SmfOptions{.division = 24}),
      BuildSmf({TrackBuilder().NoteOn(0, 3, 60, 100).NoteOff(5, 3, 60).End(1)},
               SmfOptions{.division = 24}),
      BuildSmf({TrackBuilder().NoteOn(0, 4, 60, 100).Bytes({0x00, 0xF4}).End()},
               SmfOptions{.division = 24}),
      BuildSmf({TrackBuilder().NoteOn(0, 5, 60, 100).Meta(0, 0x60, "x").End()},
               SmfOptions{.division = 24}),
  };
}

std::mutex handled;
int handledCount = 0;

// Runs on the player thread; calls back into the library, as a host's handler may.
void CountMessage(void*, int32_t, const char*, const char*) {
  mmsGetStatus();
  std::lock_guard lock(handled);
  ++handledCount;
}

void QueryEverything() {
  mmsGetStatus();
  mmsGetTime();
  mmsGetTimebase();
  mmsGetTempo();
  mmsGetMeasure();
  mmsGetBeat();
  mmsGetTicktime();
  int32_t notes[128];
  for (int channel = 0; channel < 16; ++channel) {
    mmsGetControl(channel, 7);
    mmsGetPitchbend(channel);
    mmsGetPressure(channel);
    mmsGetProgram(channel);
    mmsGetNotes(channel, notes);
    mmsGetSendingNotes(channel);
    mmsGetMaxSendingNotes(channel);
    mmsGetMaxNoteNumber(channel);
    mmsGetMinNoteNumber(channel);
  }
}

TEST(PlayerThread, RandomCallsFromTheCallerNeverLeaveANoteSoundingAfterAStop) {
  testing::FastClock clock(5);  // the stop's pauses take 2.4 ms in all
  auto recorder = std::make_shared<RecordingOutput>();
  testing::ScheduledRecorder* output = nullptr;
  TheLibrary().player.SetPlatform(
      Platform{&clock,
               [&] {
                 auto made = std::make_unique<testing::ScheduledRecorder>(recorder, clock);
                 output = made.get();
                 return made;
               },
               true});
  vondraSetMessageHandler(CountMessage, nullptr);
  ASSERT_EQ(mmsInit(10), 0);

  std::vector<SongHandle> handles;
  for (const auto& song : Songs()) handles.push_back(TheLibrary().handles.Adopt(song));

  std::mt19937 random(20240611);
  int stops = 0, plays = 0, notesLeft = 0;
  // Until the next play, nothing but the stop's messages may be played after a stop's release.
  size_t released = 0;
  auto onlyStopMessagesSinceTheRelease = [&] {
    for (const auto& message : recorder->Messages(released)) {
      EXPECT_EQ(message.Status() & 0xF0, 0xB0);
    }
  };
  for (int call = 0; call < kCalls; ++call) {
    switch (random() % 8) {
      case 0:
      case 1: {
        onlyStopMessagesSinceTheRelease();
        released = SIZE_MAX;
        SongHandle song = handles[random() % handles.size()];
        const int32_t repeat = random() % 2;
        EXPECT_EQ(random() % 3 ? mmsPlay(song, repeat) : mmsInvertPlay(song, repeat), 0);
        ++plays;
        break;
      }
      case 2: {
        mmsStop();
        ++stops;
        EXPECT_EQ(mmsGetStatus(), 0);
        // The release goes with the next block: from then on nothing sounds.
        output->WaitForBlocks(2);
        notesLeft += !recorder->SoundingNotes().empty();
        released = std::min(released, recorder->Count());
        break;
      }
      case 3:
        mmsFadeout(static_cast<int32_t>(random() % 200));
        break;
      default:
        QueryEverything();
        break;
    }
    // Now and then let the song play on for a while.
    if (random() % 16 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(random() % 10));
  }
  mmsStop();
  output->WaitForBlocks(2);
  EXPECT_TRUE(recorder->SoundingNotes().empty());
  EXPECT_EQ(mmsEnd(), 0);  // the output closes only after the stop's messages
  EXPECT_EQ(notesLeft, 0) << "of " << stops << " stops";
  EXPECT_GT(plays, kCalls / 5);
  EXPECT_GT(recorder->Count(), 1000u);

  for (SongHandle handle : handles) mmsDestroyHandle(handle);
  TheLibrary().player.SetPlatform(SystemPlatform());
  vondraSetMessageHandler(nullptr, nullptr);
  std::lock_guard lock(handled);
  EXPECT_GT(handledCount, 0);
}

}  // namespace
}  // namespace vondra
