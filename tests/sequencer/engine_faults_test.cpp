// Damaged and unusual files: every read stays inside the image, and playback ends cleanly.
#include <gtest/gtest.h>

#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/smf_builder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::BytesOf;
using testing::EngineHarness;
using testing::SmfOptions;
using testing::TrackBuilder;
using Bytes = std::vector<uint8_t>;

TEST(EngineFaults, ImagesThatCannotPlayAreRefusedWithoutSendingAnything) {
  EngineHarness harness;
  EXPECT_EQ(harness.Play({}), 1);
  EXPECT_EQ(harness.Play({'R', 'I', 'F', 'F', 0, 0, 0, 0}), 1);
  EXPECT_EQ(harness.Play({'M', 'T', 'h'}), 1);
  EXPECT_EQ(harness.Play(BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 1).End()},
                                  SmfOptions{.headerLength = 8})),
            1);
  EXPECT_EQ(harness.Play(BuildSmf({TrackBuilder().End()}, SmfOptions{.trackCount = 3})), 1);
  // No ticks per quarter note: no tick length to play by.
  EXPECT_EQ(
      harness.Play(BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 1).End()}, SmfOptions{.division = 0})),
      1);
  EXPECT_EQ(harness.player.Play(nullptr, nullptr, 0, 0), 1);
  harness.Run(100);
  EXPECT_EQ(harness.output().Count(), 0u);
  EXPECT_EQ(harness.engine().Status(), 0);
}

TEST(EngineFaults, ATrackThatRunsPastItsEndEndsThereWhileOthersPlayOn) {
  const TrackBuilder healthy = TrackBuilder().NoteOn(0, 9, 36, 100).NoteOff(20, 9, 36).End();
  const std::vector<TrackBuilder> broken{
      TrackBuilder().NoteOn(0, 0, 60, 100).Bytes({0x05, 0x90, 62}),               // event cut short
      TrackBuilder().NoteOn(0, 0, 60, 100).Bytes({0x85, 0x80}),                   // delta cut short
      TrackBuilder().NoteOn(0, 0, 60, 100).Bytes({0x05, 0xFF, 0x01, 0x7F, 'a'}),  // text
      TrackBuilder().NoteOn(0, 0, 60, 100).Bytes({0x05, 0xF0, 0x83}),             // SysEx length
      TrackBuilder().NoteOn(0, 0, 60, 100).Bytes({0x05, 0xFF, 0x51, 0x03, 0x07}),  // tempo
      TrackBuilder().NoteOn(0, 0, 60, 100),  // no End of Track
  };
  for (size_t i = 0; i < broken.size(); ++i) {
    EngineHarness harness;
    ASSERT_EQ(harness.Play(BuildSmf({broken[i], healthy})), 0) << i;
    ASSERT_TRUE(harness.RunUntilStopped(1000)) << i;
    EXPECT_EQ(BytesOf(harness.SentBeforeStop()),
              (std::vector<Bytes>{{0x90, 60, 100}, {0x99, 36, 100}, {0x89, 36, 64}}))
        << i;
    EXPECT_TRUE(harness.output().SoundingNotes().empty()) << i;
  }
}

TEST(EngineFaults, TracksReadOnlyTheirOwnChunk) {
  // Track 0 has no End of Track; it must not run on into track 1's chunk.
  const auto song = BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100),
                              TrackBuilder().NoteOn(0, 1, 61, 100).NoteOff(5, 1, 61).End()});
  EngineHarness harness;
  ASSERT_EQ(harness.Play(song), 0);
  harness.RunUntilStopped(1000);
  EXPECT_EQ(BytesOf(harness.SentBeforeStop()),
            (std::vector<Bytes>{{0x90, 60, 100}, {0x91, 61, 100}, {0x81, 61, 64}}));

  // A chunk length past the end of the file: the track reads up to the end of the file.
  auto cut = BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100).NoteOff(5, 0, 60)});
  cut[21] = 0xFF;
  EngineHarness clipped;
  ASSERT_EQ(clipped.Play(cut), 0);
  EXPECT_TRUE(clipped.RunUntilStopped(1000));
  EXPECT_EQ(clipped.SentBeforeStop().size(), 2u);
}

TEST(EngineFaults, OnlyTheFirst64TracksPlay) {
  std::vector<TrackBuilder> tracks;
  for (int i = 0; i < 70; ++i) {
    tracks.push_back(TrackBuilder().NoteOn(0, i % 16, i, 100).NoteOff(1, i % 16, i).End());
  }
  EngineHarness harness;
  ASSERT_EQ(harness.Play(BuildSmf(tracks)), 0);
  ASSERT_TRUE(harness.RunUntilStopped(1000));
  std::vector<int> played;
  for (const auto& message : harness.SentBeforeStop()) {
    if ((message.Status() & 0xF0) == 0x90) played.push_back(message.bytes[1]);
  }
  ASSERT_EQ(played.size(), 64u);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(played[i], i);
}

TEST(EngineFaults, RunningStatusDoesNotCarryOverFromTheSongBefore) {
  EngineHarness harness;
  ASSERT_EQ(harness.Play(BuildSmf({TrackBuilder().NoteOn(0, 3, 60, 100).End()})), 0);
  harness.RunUntilStopped(1000);
  const size_t before = harness.Sent().size();
  // Starts with a data byte: with no status before it on this track it is one byte of nothing
  // (the song before ended on status 93, which must not be taken up here).
  ASSERT_EQ(harness.Play(BuildSmf({TrackBuilder().Bytes({0x00, 62}).End(5)})), 0);
  harness.RunUntilStopped(1000);
  const auto sent = harness.Sent();
  ASSERT_EQ(sent.size(), before + 48);  // only the end-of-song stop
}

}  // namespace
}  // namespace vondra
