// The fade-out's 16 steps and the stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/smf_builder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::EngineHarness;
using testing::IsControl;
using testing::SmfOptions;
using testing::TrackBuilder;
using Bytes = std::vector<uint8_t>;

// A song that plays for 10 s at Timebase 100 (5 ms a tick).
std::vector<uint8_t> LongSong(TrackBuilder track = TrackBuilder()) {
  return BuildSmf({track.NoteOn(0, 0, 60, 100).End(2000)}, SmfOptions{.division = 100});
}

TEST(Fadeout, SixteenLevelsAtEvenStepsThenAStop) {
  EngineHarness harness;
  ASSERT_EQ(harness.Play(LongSong(TrackBuilder().Control(0, 5, 7, 80))), 0);
  harness.Run(100);
  const uint32_t due = harness.engine().DueTime();
  harness.player.Fadeout(1600);
  EXPECT_EQ(harness.engine().Status(), 3);
  harness.output().Clear();
  ASSERT_TRUE(harness.RunUntilStopped(3000));

  const int levels[16] = {93, 87, 81, 75, 68, 62, 56, 50, 43, 37, 31, 25, 18, 12, 6, 0};
  const auto sent = harness.Sent();
  ASSERT_EQ(sent.size(), 16u * 16u + 48u);
  for (int step = 0; step < 16; ++step) {
    for (int channel = 0; channel < 16; ++channel) {
      const auto& message = sent[step * 16 + channel];
      const int volume = channel == 5 ? 80 : 100;
      EXPECT_EQ(message.bytes, (Bytes{static_cast<uint8_t>(0xB0 | channel), 7,
                                      static_cast<uint8_t>(volume * levels[step] / 100)}))
          << step;
      // The first step goes out with the first engine call after the request, then every
      // 100 ms; the 0 % step comes 1500 ms after the first.
      EXPECT_EQ(message.time - due, 100u * step) << step;
    }
  }
  EXPECT_EQ(sent[256].bytes, (Bytes{0xB0, 123, 0}));
  EXPECT_EQ(sent[256].time - due, 1500u);
  EXPECT_EQ(harness.engine().Status(), 0);
  // The song's own volume stays in the picture.
  EXPECT_EQ(harness.engine().Song().Channels[0].controls[7], 100);
}

TEST(Fadeout, AVolumeEventDuringTheFadeIsScaledAndRemembered) {
  // The song sets channel 0's volume to 100 at 0.75 s, between the 50 % and 43 % steps.
  EngineHarness harness;
  ASSERT_EQ(harness.Play(LongSong(TrackBuilder().Control(150, 0, 7, 100))), 0);
  harness.player.Fadeout(1600);
  ASSERT_TRUE(harness.RunUntilStopped(3000));
  std::vector<int> volumes;
  for (const auto& message : harness.Sent()) {
    if (message.bytes == Bytes{0xB0, 123, 0}) break;
    if (IsControl(message, 7) && message.Status() == 0xB0) volumes.push_back(message.bytes[2]);
  }
  const std::vector<int> expected{93, 87, 81, 75, 68, 62, 56, 50, 50, 43, 37, 31, 25, 18, 12, 6, 0};
  EXPECT_EQ(volumes, expected);
}

TEST(Pause, SilencesAtOnceHoldsThePlaceAndLeavesThePauseOutOfTheFade) {
  // Notes at 1 s (tick 200), then the song goes on for 10 s more.
  EngineHarness harness;
  ASSERT_EQ(harness.Play(LongSong(TrackBuilder().NoteOn(200, 0, 64, 100))), 0);
  harness.Run(500);
  harness.output().Clear();
  harness.player.Pause(true);
  const auto silenced = harness.Sent();
  ASSERT_EQ(silenced.size(), 32u) << "all notes off and all sound off on each channel";
  EXPECT_EQ(silenced[0].bytes, (Bytes{0xB0, 123, 0}));
  EXPECT_EQ(silenced[31].bytes, (Bytes{0xBF, 120, 0}));
  harness.player.Fadeout(800);  // asked for during the pause: runs after it
  harness.Run(3000);
  EXPECT_EQ(harness.Sent().size(), 32u) << "nothing goes out while paused";
  EXPECT_EQ(harness.engine().Status(), 3);

  harness.output().Clear();
  const uint32_t resumed = harness.clock.Now();
  harness.player.Pause(false);
  harness.Run(1000);
  const auto sent = harness.Sent();
  const auto second = std::find_if(sent.begin(), sent.end(), [](const auto& message) {
    return message.bytes == Bytes{0x90, 64, 100};
  });
  ASSERT_NE(second, sent.end());
  EXPECT_NEAR(double(second->time - resumed), 500.0, 10.0) << "the song went on from its place";
  EXPECT_EQ(harness.engine().Status(), 0) << "the fade ran its 800 ms after the pause";

  harness.player.Pause(true);  // nothing plays: nothing happens
  ASSERT_EQ(harness.Play(LongSong()), 0);
  harness.output().Clear();
  harness.Run(100);
  EXPECT_FALSE(harness.Sent().empty()) << "a new play is not paused";
}

TEST(Fadeout, AFadeRequestedWhileStoppedIsCancelledByTheNextPlay) {
  EngineHarness harness;
  harness.player.Fadeout(100);
  EXPECT_EQ(harness.engine().Status(), 0);
  ASSERT_EQ(harness.Play(LongSong()), 0);
  EXPECT_EQ(harness.engine().Status(), 1);
  harness.Run(500);
  EXPECT_EQ(harness.engine().Status(), 1);
}

// The stop's 48 messages in their order, each sent 10 ms after the one before.
void ExpectStopMessages(const std::vector<RecordedMessage>& sent, uint32_t start) {
  ASSERT_EQ(sent.size(), 48u);
  for (int i = 0; i < 48; ++i) {
    const uint8_t controller = std::array<uint8_t, 3>{123, 120, 121}[i % 3];
    EXPECT_EQ(sent[i].bytes, (Bytes{static_cast<uint8_t>(0xB0 | i / 3), controller, 0})) << i;
    EXPECT_EQ(sent[i].time - start, 10u * i) << i;
  }
}

TEST(Stop, ReturnsAtOnceAndItsMessagesFollowTenMillisecondsApart) {
  EngineHarness harness;
  harness.player.Stop();
  harness.Run(50);
  EXPECT_EQ(harness.output().Count(), 0u);

  ASSERT_EQ(harness.Play(LongSong(TrackBuilder().NoteOn(0, 3, 50, 100))), 0);
  harness.Run(50);
  EXPECT_EQ(harness.output().SoundingNotes().size(), 2u);
  harness.output().Clear();
  const uint32_t stoppedAt = harness.clock.Now();
  harness.player.Stop();
  EXPECT_EQ(harness.clock.Now(), stoppedAt);  // no waiting on the caller's thread
  EXPECT_EQ(harness.engine().Status(), 0);
  EXPECT_EQ(harness.engine().Time(), 0);
  EXPECT_EQ(harness.output().Count(), 1u);  // all notes off on channel 0 goes out at once
  ASSERT_TRUE(harness.RunUntilStopped(1000));
  ExpectStopMessages(harness.Sent(), stoppedAt);
  EXPECT_TRUE(harness.output().SoundingNotes().empty());
  // The picture stays until the next play start.
  EXPECT_EQ(harness.engine().Song().Channels[3].soundingNotes, 1);
}

TEST(Stop, ASongPlayedDuringTheStopBeginsAfterItsLastPause) {
  EngineHarness harness;
  ASSERT_EQ(harness.Play(LongSong()), 0);
  harness.Run(20);
  harness.output().Clear();
  const uint32_t playedAt = harness.clock.Now();
  ASSERT_EQ(harness.Play(LongSong(TrackBuilder().NoteOn(0, 3, 50, 100))), 0);
  EXPECT_EQ(harness.clock.Now(), playedAt);
  EXPECT_EQ(harness.engine().Status(), 1);
  EXPECT_EQ(harness.engine().Song().Channels[3].soundingNotes, 0);  // the new song's picture
  harness.Run(600);
  const auto sent = harness.Sent();
  ASSERT_GT(sent.size(), 48u);
  ExpectStopMessages({sent.begin(), sent.begin() + 48}, playedAt);
  // The song starts where the stop's last pause ends, from its beginning: its first tick pass
  // comes with the player's next wake.
  EXPECT_EQ(sent[48].bytes, (Bytes{0x93, 50, 100}));
  EXPECT_EQ(sent[48].time - playedAt, 485u);
  EXPECT_EQ(sent[48].tick, 1);

  // Stopped again before it began, the waiting song adds no messages of its own.
  harness.Run(100);
  harness.output().Clear();
  ASSERT_EQ(harness.Play(LongSong()), 0);
  harness.player.Stop();
  EXPECT_EQ(harness.engine().Status(), 0);
  ASSERT_TRUE(harness.RunUntilStopped(1000));
  EXPECT_EQ(harness.Sent().size(), 48u);
  harness.Run(100);
  EXPECT_EQ(harness.Sent().size(), 48u);
}

TEST(Stop, AFadeAskedForWhileTheSongWaitsKeepsItsStepsApart) {
  EngineHarness harness;
  ASSERT_EQ(harness.Play(LongSong()), 0);
  harness.Run(20);
  ASSERT_EQ(harness.Play(LongSong()), 0);
  harness.player.Fadeout(1600);
  harness.output().Clear();
  ASSERT_TRUE(harness.RunUntilStopped(3000));
  std::vector<uint32_t> steps;
  for (const auto& message : harness.Sent()) {
    if (message.bytes == Bytes{0xB0, 7, 93}) steps.push_back(message.time);
    if (message.bytes == Bytes{0xB0, 7, 0}) steps.push_back(message.time);
  }
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[1] - steps[0], 1500u);
}

}  // namespace
}  // namespace vondra
