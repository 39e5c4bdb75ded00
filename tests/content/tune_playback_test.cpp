// The tunes the game ships, played by the library's engine with a fake clock and the
// recording output: each stage tune loops at its mark three times with every channel in step
// and the same length each time, and the ending plays once, stops by itself and leaves no
// note sounding.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "tests/sequencer/support/engine_harness.h"
#include "tests/tools/smf_probe.h"
#include "tools/common/file_io.h"

namespace {

using vondra::RecordedMessage;
using vondra::testing::EngineHarness;

constexpr int kLoops = 3;
// A song tick lands in the engine's tick pass tick + 1 (the first pass runs tick 0).
constexpr int64_t kFirstPass = 1;

std::vector<uint8_t> Built(const std::string& file) {
  const auto bytes = tools::ReadBytes(std::string(TOLVANE_BINARY_DIR) + "/game/" + file);
  EXPECT_TRUE(bytes.has_value()) << file << " was not built";
  return bytes.value_or(std::vector<uint8_t>{});
}

struct Note {
  int64_t tick;  // from the start of the stretch it was taken from
  int channel;
  int note;
  int velocity;
  bool operator==(const Note&) const = default;
};

bool IsNoteOn(const RecordedMessage& m) {
  return m.IsShort() && (m.Status() & 0xF0) == 0x90 && m.bytes[2] > 0;
}

bool IsNoteOff(const RecordedMessage& m) {
  return m.IsShort() &&
         ((m.Status() & 0xF0) == 0x80 || ((m.Status() & 0xF0) == 0x90 && m.bytes[2] == 0));
}

// The note-ons sent in the engine ticks [from, from + length).
std::vector<Note> NotesIn(const std::vector<RecordedMessage>& sent, int64_t from, int64_t length) {
  std::vector<Note> notes;
  for (const auto& m : sent) {
    if (IsNoteOn(m) && m.tick >= from && m.tick < from + length) {
      notes.push_back({m.tick - from, m.Status() & 0x0F, m.bytes[1], m.bytes[2]});
    }
  }
  return notes;
}

// "" when two stretches sent the same notes; otherwise where they first part.
std::string FirstDifference(const std::vector<Note>& expected, const std::vector<Note>& got) {
  const size_t common = std::min(expected.size(), got.size());
  for (size_t i = 0; i <= common; ++i) {
    if (i < common && expected[i] == got[i]) continue;
    if (i == common && expected.size() == got.size()) return "";
    auto describe = [](const std::vector<Note>& notes, size_t at) {
      if (at >= notes.size()) return std::string("nothing");
      const Note& n = notes[at];
      return "tick " + std::to_string(n.tick) + " channel " + std::to_string(n.channel + 1) +
             " note " + std::to_string(n.note) + " velocity " + std::to_string(n.velocity);
    };
    return "note " + std::to_string(i) + ": expected " + describe(expected, i) + ", got " +
           describe(got, i);
  }
  return "";
}

// Fake-clock time of the first message sent at or after an engine tick.
uint32_t TimeAt(const std::vector<RecordedMessage>& sent, int64_t tick) {
  const auto it = std::find_if(sent.begin(), sent.end(),
                               [tick](const RecordedMessage& m) { return m.tick >= tick; });
  return it == sent.end() ? 0 : it->time;
}

TEST(TunePlayback, StageTunesLoopAtTheirMarkWithEveryChannelInStep) {
  for (int stage = 1; stage <= 5; ++stage) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const auto image = Built("tolvstg" + std::to_string(stage) + ".mid");
    const probe::ProbeSong song = probe::ReadSmf(image);
    ASSERT_TRUE(song.ok) << song.error;
    const int64_t mark = song.tracks[0].repeatTick;
    const int64_t period = song.tracks[0].endTick - mark;
    ASSERT_GT(mark, 0);
    ASSERT_GT(period, 0);

    EngineHarness harness;
    ASSERT_EQ(harness.Play(image, 1), 0);
    const int64_t last = kFirstPass + mark + (kLoops + 1) * period;
    while (harness.engine().IsPlaying() && harness.engine().TickCountNow() <= last) {
      harness.Run(1000);
    }
    ASSERT_TRUE(harness.engine().IsPlaying()) << "a looping tune stopped";
    const auto sent = harness.Sent();

    // Every later pass sends what the first sent, at the same place in the loop, channel by
    // channel: a track that drifted would shift its notes against the others.
    const int64_t firstLoop = kFirstPass + mark;
    const auto first = NotesIn(sent, firstLoop, period);
    ASSERT_FALSE(first.empty());
    std::map<int, int> perChannel;
    for (const auto& n : first) ++perChannel[n.channel];
    EXPECT_GE(perChannel.size(), 4u) << "too few parts play in the loop";
    for (int loop = 1; loop <= kLoops; ++loop) {
      EXPECT_EQ(FirstDifference(first, NotesIn(sent, firstLoop + loop * period, period)), "")
          << "loop " << loop + 1;
    }

    // The tempo the loop starts from is the one it first had: every pass lasts as long.
    const uint32_t firstLength = TimeAt(sent, firstLoop + period) - TimeAt(sent, firstLoop);
    const uint32_t thirdLength =
        TimeAt(sent, firstLoop + kLoops * period) - TimeAt(sent, firstLoop + (kLoops - 1) * period);
    EXPECT_NEAR(thirdLength, firstLength, 20.0);
    EXPECT_GE(firstLength, 60'000u);
    EXPECT_LE(firstLength, 180'000u);
  }
}

TEST(TunePlayback, EndingPlaysOnceStopsByItselfAndLeavesNothingSounding) {
  const auto image = Built("tolvend.mid");
  const probe::ProbeSong song = probe::ReadSmf(image);
  ASSERT_TRUE(song.ok) << song.error;

  EngineHarness harness;
  ASSERT_EQ(harness.Play(image, 0), 0);
  ASSERT_TRUE(harness.RunUntilStopped(120'000)) << "the ending did not stop by itself";
  EXPECT_EQ(harness.engine().Status(), 0);

  const auto played = harness.SentBeforeStop();
  ASSERT_FALSE(played.empty());
  int notes = 0;
  std::map<std::tuple<int, int>, int> sounding;
  for (const auto& m : played) {
    const auto key = std::make_tuple(m.Status() & 0x0F, m.bytes.size() > 1 ? m.bytes[1] : 0);
    if (IsNoteOn(m)) {
      ++notes;
      ++sounding[key];
    } else if (IsNoteOff(m) && --sounding[key] == 0) {
      sounding.erase(key);
    }
  }
  EXPECT_TRUE(sounding.empty()) << sounding.size() << " notes still sounding when it stopped";
  int written = 0;
  for (const auto& [channel, count] : song.noteCount) written += count;
  EXPECT_EQ(notes, written) << "every note of the file plays exactly once";

  // The stop follows the last event: about a minute after the start, as the credits last.
  const uint32_t start = played.front().time;
  const uint32_t stopped = harness.Sent()[played.size()].time;
  EXPECT_GE(stopped - start, 60'000u);
  EXPECT_LE(stopped - start, 70'000u);
}

}  // namespace
