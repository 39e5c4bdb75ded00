// When the engine sends what: tick passes, tempo, position and looping, with the fake clock.
#include <gtest/gtest.h>

#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/smf_builder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::EngineHarness;
using testing::SmfOptions;
using testing::TrackBuilder;
using Bytes = std::vector<uint8_t>;

struct Sent {
  int64_t tick;
  Bytes bytes;
  bool operator==(const Sent&) const = default;
};

std::vector<Sent> TicksAndBytes(const std::vector<RecordedMessage>& messages) {
  std::vector<Sent> out;
  for (const auto& message : messages) out.push_back({message.tick, message.bytes});
  return out;
}

void PrintTo(const Sent& sent, std::ostream* os) {
  *os << "tick " << sent.tick << ":";
  for (uint8_t b : sent.bytes) *os << " " << std::hex << int{b} << std::dec;
}

TEST(EngineTiming, SendsEachEventAtItsTickAndStopsAtTheEnd) {
  EngineHarness harness;
  const auto song = BuildSmf({TrackBuilder()
                                  .NoteOn(0, 0, 60, 100)
                                  .NoteOff(96, 0, 60)
                                  .NoteOn(0, 0, 62, 90)
                                  .Program(10, 3, 5)
                                  .PitchBend(0, 3, -8192)
                                  .NoteOff(38, 0, 62, 0)
                                  .End()});
  ASSERT_EQ(harness.Play(song), 0);
  EXPECT_EQ(harness.engine().Status(), 1);
  ASSERT_TRUE(harness.RunUntilStopped(5000));

  // The first event fires in pass 1 whether its delta is 0 or 1; from there on each delta is
  // exact, so a track that starts at tick 0 plays every later event in pass tick + 1.
  const std::vector<Sent> expected{{1, {0x90, 60, 100}}, {97, {0x80, 60, 64}},
                                   {97, {0x90, 62, 90}}, {107, {0xC3, 5, 0}},
                                   {107, {0xE3, 0, 0}},  {145, {0x80, 62, 0}}};
  EXPECT_EQ(TicksAndBytes(harness.SentBeforeStop()), expected);

  // All tracks ended: the stop sends all notes off, all sound off and reset all controllers on
  // every channel in turn, 10 ms apart.
  const auto sent = harness.Sent();
  ASSERT_EQ(sent.size(), expected.size() + 48);
  for (int i = 0; i < 48; ++i) {
    const auto& message = sent[expected.size() + i];
    const uint8_t controllers[] = {123, 120, 121};
    EXPECT_EQ(message.bytes, (Bytes{static_cast<uint8_t>(0xB0 | i / 3), controllers[i % 3], 0}));
    EXPECT_EQ(message.time - sent[expected.size()].time, 10u * i);
  }
  EXPECT_EQ(harness.engine().Status(), 0);
  EXPECT_EQ(harness.engine().Time(), 0);
}

TEST(EngineTiming, FormatsZeroOneAndTwoPlayAlike) {
  const auto format0 = BuildSmf({TrackBuilder()
                                     .NoteOn(0, 0, 60, 100)
                                     .NoteOn(10, 1, 64, 100)
                                     .NoteOff(10, 0, 60)
                                     .NoteOff(10, 1, 64)
                                     .End()},
                                SmfOptions{.format = 0});
  // Both tracks start at tick 0 (a name sends nothing), as the single track does.
  const std::vector<TrackBuilder> tracks{
      TrackBuilder().NoteOn(0, 0, 60, 100).NoteOff(20, 0, 60).End(),
      TrackBuilder().Meta(0, 0x03, "bass").NoteOn(10, 1, 64, 100).NoteOff(20, 1, 64).End()};
  std::vector<std::vector<Sent>> results;
  for (const auto& image : {format0, BuildSmf(tracks, SmfOptions{.format = 1}),
                            BuildSmf(tracks, SmfOptions{.format = 2})}) {
    EngineHarness harness;
    ASSERT_EQ(harness.Play(image), 0);
    ASSERT_TRUE(harness.RunUntilStopped(5000));
    results.push_back(TicksAndBytes(harness.SentBeforeStop()));
  }
  EXPECT_EQ(results[0].size(), 4u);
  EXPECT_EQ(results[0], results[1]);
  EXPECT_EQ(results[0], results[2]);
}

TEST(EngineTiming, FirstDeltaZeroAndOneBothFireInTheFirstPass) {
  EngineHarness harness;
  const auto song = BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100).NoteOff(2, 0, 60).End(),
                              TrackBuilder().NoteOn(1, 1, 61, 100).NoteOff(2, 1, 61).End()});
  ASSERT_EQ(harness.Play(song), 0);
  harness.RunUntilStopped(5000);
  const std::vector<Sent> expected{
      {1, {0x90, 60, 100}}, {1, {0x91, 61, 100}}, {3, {0x80, 60, 64}}, {3, {0x81, 61, 64}}};
  EXPECT_EQ(TicksAndBytes(harness.SentBeforeStop()), expected);
}

TEST(EngineTiming, TempoEventsSetTheTickLengthFromTheFollowingTick) {
  // Timebase 100 at 120 quarter notes a minute: 5 ms a tick; at 240 from tick 100: 2.5 ms.
  EngineHarness harness;
  const auto song = BuildSmf({TrackBuilder()
                                  .Tempo(0, 500000)
                                  .Tempo(100, 250000)
                                  .NoteOn(100, 0, 60, 100)
                                  .NoteOff(10, 0, 60)
                                  .End()},
                             SmfOptions{.division = 100});
  ASSERT_EQ(harness.Play(song), 0);
  const uint32_t start = harness.clock.Now();
  harness.Run(50);
  EXPECT_EQ(harness.engine().Song().Tempo, 120.0);
  harness.Run(500);
  EXPECT_EQ(harness.engine().Song().Tempo, 240.0);
  harness.RunUntilStopped(5000);

  const auto sent = harness.SentBeforeStop();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent[0].tick, 201);
  // 100 passes of 5 ms, then 100 of 2.5 ms before pass 201; engine calls fall every 10 ms.
  const uint32_t at = sent[0].time - start;
  EXPECT_GE(at, 745u);
  EXPECT_LE(at, 755u);

  // A tempo of 0 would stop time: it is ignored.
  EngineHarness zero;
  ASSERT_EQ(zero.Play(BuildSmf({TrackBuilder().Tempo(0, 0).NoteOn(10, 0, 60, 1).End(10)},
                               SmfOptions{.division = 100})),
            0);
  EXPECT_TRUE(zero.RunUntilStopped(1000));
  EXPECT_EQ(zero.engine().Song().Tempo, 120.0);
}

TEST(EngineTiming, PositionFollowsTheTimeSignature) {
  for (int numerator : {3, 4}) {
    EngineHarness harness;
    TrackBuilder track;
    if (numerator == 3) track.TimeSignature(0, 3, 2);
    const auto song = BuildSmf({track.End(96 * 20)}, SmfOptions{.division = 96});
    ASSERT_EQ(harness.Play(song), 0);
    for (int i = 0; i < 40; ++i) {
      harness.Run(37);
      const SongState& state = harness.engine().Song();
      const int64_t ticks = harness.engine().TickCountNow();
      EXPECT_EQ(state.Tick, ticks % 96);
      EXPECT_EQ(state.Beat, (ticks / 96) % numerator + 1);
      EXPECT_EQ(state.Measure, ticks / (96 * numerator) + 1);
    }
    EXPECT_EQ(harness.engine().Song().BeatsPerMeasure, numerator);
    EXPECT_EQ(harness.engine().Song().BeatUnit, 4);
  }
}

TEST(EngineLooping, EachTrackLoopsFromItsOwnRepeatCue) {
  EngineHarness harness;
  const auto song = BuildSmf({TrackBuilder()
                                  .NoteOn(0, 0, 60, 100)
                                  .NoteOff(10, 0, 60)
                                  .Meta(0, 0x07, "repeat2")
                                  .NoteOn(0, 0, 62, 100)
                                  .NoteOff(10, 0, 62)
                                  .End(),
                              TrackBuilder()
                                  .Meta(0, 0x07, "Repeat")  // not a loop point: case counts
                                  .NoteOn(0, 1, 70, 100)
                                  .NoteOff(25, 1, 70)
                                  .End()});
  ASSERT_EQ(harness.Play(song, 1), 0);
  harness.Run(600);
  EXPECT_EQ(harness.engine().Status(), 1);

  std::vector<int64_t> note60, note62, note70;
  for (const auto& message : harness.Sent()) {
    if (message.Status() == 0x90 && message.bytes[1] == 60) note60.push_back(message.tick);
    if (message.Status() == 0x90 && message.bytes[1] == 62) note62.push_back(message.tick);
    if (message.Status() == 0x91 && message.bytes[1] == 70) note70.push_back(message.tick);
  }
  EXPECT_EQ(note60, std::vector<int64_t>{1});
  ASSERT_GE(note62.size(), 5u);
  for (size_t i = 0; i < note62.size(); ++i) EXPECT_EQ(note62[i], 11 + 10 * int64_t(i));
  ASSERT_GE(note70.size(), 3u);
  for (size_t i = 0; i < note70.size(); ++i) EXPECT_EQ(note70[i], 1 + 25 * int64_t(i));
}

TEST(EngineLooping, TracksThatLetNoTimePassEndEvenInRepeatMode) {
  // A track of zero deltas plays once while the other loops.
  EngineHarness harness;
  const auto song = BuildSmf({TrackBuilder().NoteOn(0, 2, 50, 100).NoteOff(0, 2, 50).End(),
                              TrackBuilder().NoteOn(0, 0, 60, 100).NoteOff(20, 0, 60).End()});
  ASSERT_EQ(harness.Play(song, 1), 0);
  harness.Run(1000);
  int channel2 = 0, channel0 = 0;
  for (const auto& message : harness.Sent()) {
    channel2 += message.Status() == 0x92;
    channel0 += message.Status() == 0x90;
  }
  EXPECT_EQ(channel2, 1);
  EXPECT_GT(channel0, 3);

  // Alone, such a track ends the song.
  EngineHarness alone;
  ASSERT_EQ(alone.Play(BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100).End()}), 1), 0);
  EXPECT_TRUE(alone.RunUntilStopped(1000));

  // Time passed before the loop point but none after it: the track goes back once, finds no
  // time passing and ends instead of looping for ever within one tick.
  EngineHarness stuck;
  ASSERT_EQ(stuck.Play(BuildSmf({TrackBuilder()
                                     .NoteOn(10, 0, 60, 100)
                                     .Meta(0, 0x07, "repeat")
                                     .NoteOff(0, 0, 60)
                                     .End()}),
                       1),
            0);
  EXPECT_TRUE(stuck.RunUntilStopped(1000));
  EXPECT_EQ(stuck.SentBeforeStop().size(), 3u);  // on, off, off again after going back once
}

TEST(EngineTiming, LongSilencesAreCrossedInOneStepWithoutChangingTicks) {
  // A note 3 million ticks after the start at an absurd tempo: over 10 000 passes per call.
  EngineHarness harness;
  const auto song =
      BuildSmf({TrackBuilder().Tempo(0, 1).NoteOn(3000000, 0, 60, 100).NoteOff(1, 0, 60).End()},
               SmfOptions{.division = 960});
  ASSERT_EQ(harness.Play(song), 0);
  ASSERT_TRUE(harness.RunUntilStopped(10000));
  const auto sent = harness.SentBeforeStop();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].tick, 3000001);
  EXPECT_EQ(sent[1].tick, 3000002);
  // Position after the bulk step matches the tick count at 960 ticks a beat, 4/4.
  EXPECT_EQ(harness.engine().Song().Measure, int32_t(harness.engine().TickCountNow() / 3840 + 1));
}

TEST(EngineTiming, ASongTooFastToPlayFallsBehindInsteadOfHoldingTheEngine) {
  // One microsecond a quarter note at 960 ticks: 960 000 passes a millisecond, each with a
  // note, looping for ever.
  EngineHarness harness;
  ASSERT_EQ(harness.Play(
                BuildSmf({TrackBuilder().Tempo(0, 1).NoteOn(1, 0, 60, 1).NoteOff(1, 0, 60).End()},
                         SmfOptions{.division = 960}),
                1),
            0);
  harness.Run(20);
  EXPECT_LE(harness.engine().TickCountNow(), 2 * kMaxPassesPerCall + 1);
  EXPECT_EQ(harness.engine().Status(), 1);
  harness.player.Stop();
  EXPECT_TRUE(harness.output().SoundingNotes().empty());
}

}  // namespace
}  // namespace vondra
