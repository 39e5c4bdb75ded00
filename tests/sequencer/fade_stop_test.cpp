// The fade-out's 16 steps and the stop.
#include <gtest/gtest.h>

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

TEST(Fadeout, AFadeRequestedWhileStoppedIsCancelledByTheNextPlay) {
  EngineHarness harness;
  harness.player.Fadeout(100);
  EXPECT_EQ(harness.engine().Status(), 0);
  ASSERT_EQ(harness.Play(LongSong()), 0);
  EXPECT_EQ(harness.engine().Status(), 1);
  harness.Run(500);
  EXPECT_EQ(harness.engine().Status(), 1);
}

TEST(Stop, SendsNothingWhenNothingPlaysAndSilencesEverythingOtherwise) {
  EngineHarness harness;
  harness.player.Stop();
  EXPECT_EQ(harness.output().Count(), 0u);
  EXPECT_EQ(harness.clock.Slept(), 0u);

  ASSERT_EQ(harness.Play(LongSong(TrackBuilder().NoteOn(0, 3, 50, 100))), 0);
  harness.Run(50);
  EXPECT_EQ(harness.output().SoundingNotes().size(), 2u);
  const uint32_t before = harness.clock.Now();
  harness.player.Stop();
  EXPECT_EQ(harness.clock.Now() - before, 480u);  // 48 messages, 10 ms apart
  EXPECT_TRUE(harness.output().SoundingNotes().empty());
  EXPECT_EQ(harness.engine().Status(), 0);
  EXPECT_EQ(harness.engine().Time(), 0);
  // The picture stays until the next play start.
  EXPECT_EQ(harness.engine().Song().Channels[3].soundingNotes, 1);

  // A new play stops the song playing first.
  ASSERT_EQ(harness.Play(LongSong()), 0);
  harness.Run(20);
  const size_t count = harness.output().Count();
  ASSERT_EQ(harness.Play(LongSong()), 0);
  EXPECT_EQ(harness.output().Count(), count + 48);
  EXPECT_EQ(harness.engine().Song().Channels[3].soundingNotes, 0);
}

}  // namespace
}  // namespace vondra
