#include "sequencer/src/song_setup.h"

#include <gtest/gtest.h>

#include "tests/sequencer/support/smf_builder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::SmfOptions;
using testing::TrackBuilder;

TEST(SongSetup, ReadsTheHeaderAndPointsEachCursorAtItsFirstEvent) {
  const auto image = BuildSmf(
      {TrackBuilder().NoteOn(0, 0, 60, 100).End(), TrackBuilder().NoteOn(7, 1, 62, 100).End()},
      SmfOptions{.format = 1, .division = 480});
  SongState song;
  song.Reset();
  ASSERT_EQ(SetUpTracks(image, song), SetupResult::kReady);
  EXPECT_EQ(song.HeaderLength, 6);
  EXPECT_EQ(song.Format, 1);
  EXPECT_EQ(song.NumberOfTracks, 2);
  EXPECT_EQ(song.Timebase, 480);
  EXPECT_EQ(song.Tempo, 120.0);
  EXPECT_TRUE(song.Tracks[0].Active);
  EXPECT_EQ(song.Tracks[0].DeltaLeft, 0);
  EXPECT_EQ(song.Tracks[0].HasAdvanced, 0);
  EXPECT_EQ(song.Tracks[0].Start, 22u);
  EXPECT_EQ(song.Tracks[0].ReadPos, 23u);  // past the first delta time
  EXPECT_EQ(song.Tracks[0].LoopPos, 22u);
  EXPECT_EQ(song.Tracks[1].DeltaLeft, 7);
  EXPECT_EQ(song.Tracks[1].HasAdvanced, 1);
  EXPECT_FALSE(song.Tracks[2].Active);
}

TEST(SongSetup, RefusesMissingTrackChunksAndCutHeaders) {
  SongState song;
  // A header length of 8 puts two header bytes where the first "MTrk" is expected.
  EXPECT_EQ(SetUpTracks(BuildSmf({TrackBuilder().End()}, SmfOptions{.headerLength = 8}), song),
            SetupResult::kMissingTrack);
  // More tracks declared than present.
  EXPECT_EQ(SetUpTracks(BuildSmf({TrackBuilder().End()}, SmfOptions{.trackCount = 2}), song),
            SetupResult::kMissingTrack);
  // A chunk of another type where a track is due.
  auto image = BuildSmf({TrackBuilder().End()});
  image[17] = 'X';
  EXPECT_EQ(SetUpTracks(image, song), SetupResult::kMissingTrack);
  // A header cut short.
  const std::vector<uint8_t> cut{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  EXPECT_EQ(SetUpTracks(cut, song), SetupResult::kMissingTrack);
  // No tracks at all is a song with nothing to play, not an error.
  EXPECT_EQ(SetUpTracks(BuildSmf({}), song), SetupResult::kReady);
  EXPECT_FALSE(song.AnyTrackActive());
}

TEST(SongSetup, TrackBoundsComeFromTheChunkClippedToTheImage) {
  auto image = BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 100).End()});
  // Declare a length far beyond the image: the track ends where the image does.
  image[18] = 0x7F;
  SongState song;
  ASSERT_EQ(SetUpTracks(image, song), SetupResult::kReady);
  EXPECT_EQ(song.Tracks[0].End, image.size());
  EXPECT_EQ(song.Tracks[0].Length, 0x7F000008u);

  // An empty chunk: no first delta time, so the track starts inactive.
  SongState empty;
  ASSERT_EQ(SetUpTracks(BuildSmf({TrackBuilder()}), empty), SetupResult::kReady);
  EXPECT_FALSE(empty.Tracks[0].Active);
}

TEST(SongSetup, OnlyTheFirst64TracksAreSetUp) {
  std::vector<TrackBuilder> tracks(70, TrackBuilder().End(5));
  SongState song;
  ASSERT_EQ(SetUpTracks(BuildSmf(tracks), song), SetupResult::kReady);
  EXPECT_EQ(song.NumberOfTracks, 70);
  EXPECT_EQ(song.TrackLimit(), kMaxTracks);
  for (const TrackCursor& track : song.Tracks) EXPECT_TRUE(track.Active);

  // Beyond the 64th chunk nothing is examined: a broken 65th chunk does not matter.
  auto image = BuildSmf(tracks);
  image.resize(14 + 64 * 12 + 2);  // 12 bytes per chunk: tag, length, 4 data bytes
  EXPECT_EQ(SetUpTracks(image, song), SetupResult::kReady);
}

// The position rule of one tick pass, written out step by step.
void StepOnce(SongState& song) {
  song.Tick = song.Tick + 1;
  if (song.Tick >= song.Timebase) {
    song.Tick = 0;
    song.Beat = song.Beat + 1;
    if (song.Beat > song.BeatsPerMeasure) {
      song.Beat = 1;
      song.Measure = song.Measure + 1;
    }
  }
}

TEST(SongPosition, AdvancingInOneStepMatchesSingleSteps) {
  struct Case {
    int32_t timebase, beatsPerMeasure, startTick, startBeat;
  };
  for (const Case c : {Case{480, 4, 0, 1}, Case{96, 3, 95, 3}, Case{7, 5, 3, 7}, Case{0, 4, 0, 1},
                       Case{12, 0, 5, 1}, Case{1, 1, 0, 1}}) {
    for (uint32_t ticks : {1u, 2u, 95u, 96u, 1000u, 12345u}) {
      SongState bulk;
      SongState single;
      for (SongState* song : {&bulk, &single}) {
        song->Timebase = c.timebase;
        song->BeatsPerMeasure = c.beatsPerMeasure;
        song->Tick = c.startTick;
        song->Beat = c.startBeat;
      }
      bulk.AdvancePosition(ticks);
      for (uint32_t i = 0; i < ticks; ++i) StepOnce(single);
      EXPECT_EQ(bulk.Measure, single.Measure)
          << c.timebase << "/" << c.beatsPerMeasure << " " << ticks;
      EXPECT_EQ(bulk.Beat, single.Beat) << c.timebase << "/" << c.beatsPerMeasure << " " << ticks;
      EXPECT_EQ(bulk.Tick, single.Tick) << c.timebase << "/" << c.beatsPerMeasure << " " << ticks;
    }
  }
}

}  // namespace
}  // namespace vondra
