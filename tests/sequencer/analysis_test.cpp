// The file analysis: length, end position, stamped texts, names and note statistics.
#include "sequencer/src/analysis.h"

#include <gtest/gtest.h>

#include <string>

#include "sequencer/include/vondra.h"
#include "sequencer/src/library.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/fake_clock.h"
#include "tests/sequencer/support/smf_builder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::SmfOptions;
using testing::TrackBuilder;

// Before mmsSMFAnalysisInit the analysis refuses and every getter answers 0 or null. (First in
// this file: the buffers, once made, stay for the life of the process.)
TEST(AnalysisInterface, BeforeInitEverythingAnswersNothing) {
  ASSERT_FALSE(TheLibrary().analysis.Ready());
  SongHandle song =
      TheLibrary().handles.Adopt(BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 1).End()}));
  EXPECT_EQ(mmsSMFAnalysis(song), 1);
  EXPECT_EQ(mmsSMFAnalysisGetTime(), 0);
  EXPECT_EQ(mmsSMFAnalysisGetMeasure(), 0);
  EXPECT_EQ(mmsSMFAnalysisGetBeat(), 0);
  EXPECT_EQ(mmsSMFAnalysisGetTicktime(), 0);
  EXPECT_EQ(mmsSMFAnalysisGetTextEvent(), nullptr);
  EXPECT_EQ(mmsSMFAnalysisGetCopyrightNotice(), nullptr);
  EXPECT_EQ(mmsSMFAnalysisGetLyric(), nullptr);
  EXPECT_EQ(mmsSMFAnalysisGetSequenceTrackname(15), nullptr);
  EXPECT_EQ(mmsSMFAnalysisGetInstrumentName(15), nullptr);
  EXPECT_EQ(mmsSMFAnalysisGetAverageNote(0), 0);
  EXPECT_EQ(mmsSMFAnalysisGetAverageVelocity(0), 0);
  EXPECT_EQ(mmsSMFAnalysisGetTotalNotes(0), 0);

  EXPECT_EQ(mmsSMFAnalysisInit(), 0);
  EXPECT_EQ(mmsSMFAnalysisInit(), 1);
  EXPECT_EQ(mmsSMFAnalysis(song), 0);
  EXPECT_EQ(mmsSMFAnalysisGetTotalNotes(0), 1);
  EXPECT_EQ(mmsSMFAnalysis(nullptr), 1);
  EXPECT_EQ(mmsSMFAnalysis(TheLibrary().handles.Adopt({'R', 'I', 'F', 'F'})), 2);
  // Out of range entries answer 0 or null.
  EXPECT_EQ(mmsSMFAnalysisGetTotalNotes(16), 0);
  EXPECT_EQ(mmsSMFAnalysisGetAverageNote(-1), 0);
  EXPECT_EQ(mmsSMFAnalysisGetSequenceTrackname(16), nullptr);
  mmsDestroyHandle(song);
}

class AnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(analysis_.Init(), 0); }

  int32_t Analyse(const std::vector<uint8_t>& image) {
    image_ = image;
    return analysis_.Run(&image_, sink_);
  }

  AnalysisEntries entries_{};
  Analysis analysis_{entries_};
  testing::RecordingSink sink_;
  std::vector<uint8_t> image_;
};

TEST_F(AnalysisTest, AveragesAndCountsPerChannel) {
  ASSERT_EQ(Analyse(BuildSmf({TrackBuilder()
                                  .NoteOn(0, 2, 60, 100)
                                  .NoteOn(10, 2, 64, 80)
                                  .NoteOn(10, 2, 67, 0)  // velocity 0: a note-off, not counted
                                  .NoteOff(10, 2, 60)
                                  .End()})),
            0);
  EXPECT_EQ(entries_[2].averageNote, 62);
  EXPECT_EQ(entries_[2].averageVelocity, 90);
  EXPECT_EQ(entries_[2].totalNotes, 2);
  for (int entry = 0; entry < 16; ++entry) {
    if (entry == 2) continue;
    EXPECT_EQ(entries_[entry].averageNote, 0);
    EXPECT_EQ(entries_[entry].averageVelocity, 0);
    EXPECT_EQ(entries_[entry].totalNotes, 0);
  }
  // Each analysis starts afresh.
  ASSERT_EQ(Analyse(BuildSmf({TrackBuilder().NoteOn(0, 5, 61, 33).End()})), 0);
  EXPECT_EQ(entries_[2].totalNotes, 0);
  EXPECT_EQ(entries_[5].averageNote, 61);
  EXPECT_EQ(entries_[5].averageVelocity, 33);
}

TEST_F(AnalysisTest, LengthAndEndPositionFollowTheTickPasses) {
  // 4 bars of 4/4 at 480: a note on every beat from the first, the end at tick 7680. The
  // track starts at tick 0, and such a track plays tick t in pass t + 1: the End of Track comes
  // in pass 7681 and the position has moved 7681 ticks.
  TrackBuilder beats;
  beats.NoteOn(0, 0, 60, 100);
  for (int beat = 1; beat < 16; ++beat) beats.NoteOff(480, 0, 60).NoteOn(0, 0, 60, 100);
  beats.NoteOff(480, 0, 60).End();
  ASSERT_EQ(Analyse(BuildSmf({beats}, SmfOptions{.division = 480})), 0);
  EXPECT_EQ(analysis_.SongLength(), 7681);
  EXPECT_EQ(analysis_.EndMeasure(), 5);
  EXPECT_EQ(analysis_.EndBeat(), 1);
  EXPECT_EQ(analysis_.EndTick(), 1);

  // The same 4 bars where the track's first event is the first tick's: now the End of Track's
  // pass is its tick, length 7680, ending at measure 5, beat 1, tick 0.
  ASSERT_EQ(Analyse(BuildSmf({TrackBuilder().NoteOn(1, 0, 60, 100).NoteOff(7678, 0, 60).End(1)},
                             SmfOptions{.division = 480})),
            0);
  EXPECT_EQ(analysis_.SongLength(), 7680);
  EXPECT_EQ(analysis_.EndMeasure(), 5);
  EXPECT_EQ(analysis_.EndBeat(), 1);
  EXPECT_EQ(analysis_.EndTick(), 0);

  // A time signature changes the beats per measure and so the end position; End of Track ends
  // even a track with a "repeat" cue point.
  ASSERT_EQ(Analyse(BuildSmf(
                {TrackBuilder().TimeSignature(1, 3, 2).Meta(0, 0x07, "repeat").End(96 * 3 * 2 - 1)},
                SmfOptions{.division = 96})),
            0);
  EXPECT_EQ(analysis_.SongLength(), 96 * 6);
  EXPECT_EQ(analysis_.EndMeasure(), 3);
  EXPECT_EQ(analysis_.EndBeat(), 1);
}

TEST_F(AnalysisTest, TextsAreStampedWithTheirPosition) {
  ASSERT_EQ(Analyse(BuildSmf({TrackBuilder()
                                  .Meta(0, 0x01, "Intro")
                                  .Meta(0, 0x02, "(c) nobody")
                                  .Meta(0, 0x03, "Lead")
                                  .Meta(0, 0x04, "Flute")
                                  .Meta(0, 0x06, "not kept")
                                  .Meta(96 * 5 + 7, 0x05, "la")
                                  .Meta(0, 0x01, "Verse")
                                  .End()},
                             SmfOptions{.division = 96})),
            0);
  // The second group of texts is at tick 487 of a song that started at tick 0, so in pass 488.
  EXPECT_STREQ(analysis_.TextEvents(), "0001:1:000 Intro\r\n0002:2:007 Verse\r\n");
  EXPECT_STREQ(analysis_.Copyright(), "0001:1:000 (c) nobody\r\n");
  EXPECT_STREQ(analysis_.Lyrics(), "0002:2:007 la\r\n");
  // Names go to the entry of the status byte's low four bits: 15 for meta events.
  EXPECT_STREQ(entries_[15].trackName, "0001:1:000 Lead\r\n");
  EXPECT_STREQ(entries_[15].instrumentName, "0001:1:000 Flute\r\n");
  EXPECT_STREQ(entries_[0].trackName, "");
}

TEST_F(AnalysisTest, ATextEndsAtItsFirstZeroByteSoLaterTextsStayReadable) {
  using namespace std::string_literals;
  ASSERT_EQ(Analyse(BuildSmf({TrackBuilder()
                                  .Meta(0, 0x03, "Bass\0"s)
                                  .Meta(0, 0x01, "Intro\0rest"s)
                                  .Meta(0, 0x03, "Drums")
                                  .Meta(0, 0x01, "\0"s)
                                  .Meta(0, 0x03, "Piano\0\0"s)
                                  .End()})),
            0);
  EXPECT_STREQ(entries_[15].trackName,
               "0001:1:000 Bass\r\n0001:1:000 Drums\r\n0001:1:000 Piano\r\n");
  EXPECT_STREQ(analysis_.TextEvents(), "0001:1:000 Intro\r\n0001:1:000 \r\n");
}

TEST_F(AnalysisTest, LongTextsAndFullBuffersAreCutNeverOverrun) {
  const std::string longText(5000, 'x');
  TrackBuilder track;
  track.Meta(0, 0x01, longText);
  for (int i = 0; i < 40; ++i) track.Meta(0, 0x05, std::string(900, 'a' + i % 26));
  track.SysEx(0, std::vector<uint8_t>(100000, 0x11));  // any length is skipped safely
  track.NoteOn(0, 3, 70, 70);
  ASSERT_EQ(Analyse(BuildSmf({track.End()})), 0);
  const std::string text = analysis_.TextEvents();
  // The stamp, the text cut to the work area less "\r\n" and the terminating zero, "\r\n".
  EXPECT_EQ(text, "0001:1:000 " + std::string(1021, 'x') + "\r\n");
  const std::string lyrics = analysis_.Lyrics();
  EXPECT_EQ(lyrics.size(), kAnalysisTextSize - 1);
  EXPECT_EQ(lyrics.substr(0, 11), "0001:1:000 ");
  EXPECT_EQ(entries_[3].totalNotes, 1);  // reading went on past the full buffer
}

TEST_F(AnalysisTest, BadDataStopsTheAnalysisWithAMessageAndKeepsWhatWasRead) {
  ASSERT_EQ(
      Analyse(BuildSmf({TrackBuilder().NoteOn(0, 1, 50, 60).End(100), TrackBuilder()
                                                                          .NoteOn(0, 1, 70, 80)
                                                                          .Bytes({0x10, 0xF4, 0x33})
                                                                          .NoteOn(0, 1, 90, 90)
                                                                          .End()})),
      0);
  EXPECT_EQ(entries_[1].totalNotes, 2);
  EXPECT_EQ(entries_[1].averageNote, 60);
  EXPECT_EQ(analysis_.SongLength(), 17);  // the pass that found the bad status counts
  auto messages = sink_.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, MessageKind::kError);
  EXPECT_EQ(messages[0].text,
            "演奏ﾃﾞｰﾀが異常，もしくは Qarnwell SMF player VONDRA  がｻﾎﾟｰﾄしていないﾒﾀｲﾍﾞﾝﾄです\n"
            "解析を中断します\n"
            "  異常ﾃﾞｰﾀ   ﾄﾗｯｸ1 の f4 33 ...");

  ASSERT_EQ(Analyse(BuildSmf({TrackBuilder().NoteOn(0, 0, 40, 60).Meta(3, 0x09, "dev").End()})), 0);
  messages = sink_.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[1].text.find("ﾄﾗｯｸ0 の ff 09 ..."), std::string::npos);
  EXPECT_EQ(entries_[0].totalNotes, 1);
}

TEST_F(AnalysisTest, RefusalsAndFilesCutShort) {
  EXPECT_EQ(Analyse({}), 2);
  EXPECT_EQ(Analyse({'M', 'T', 'r', 'k'}), 2);
  EXPECT_EQ(analysis_.Run(nullptr, sink_), 1);
  // A missing "MTrk": the analysis stops setting up and reports what it has, which is nothing.
  ASSERT_EQ(
      Analyse(BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 1).End()}, SmfOptions{.trackCount = 2})),
      0);
  EXPECT_EQ(analysis_.SongLength(), 0);
  EXPECT_EQ(entries_[0].totalNotes, 0);
  EXPECT_EQ(analysis_.EndMeasure(), 1);
  // A track that runs past the end simply ends; a delta of 2^28 - 1 ticks takes no time.
  auto cut = BuildSmf({TrackBuilder().NoteOn(0, 0, 60, 1).NoteOn(0x0FFFFFFF, 0, 62, 1).End()});
  cut.resize(cut.size() - 6);  // End of Track and two bytes of the second note go
  ASSERT_EQ(Analyse(cut), 0);
  EXPECT_EQ(entries_[0].totalNotes, 1);
  EXPECT_EQ(analysis_.SongLength(), 0x0FFFFFFF + 1);
}

// With the library: the analysis leaves playback alone, and play start takes its averages.
class AnalysisWithPlayback : public ::testing::Test {
 protected:
  void SetUp() override {
    mmsSMFAnalysisInit();
    TheLibrary().player.SetPlatform(Platform{
        &clock_, [this] { return std::make_unique<testing::ForwardingOutput>(recorder_); }, false});
    ASSERT_EQ(mmsInit(10), 0);
  }
  void TearDown() override {
    mmsEnd();
    TheLibrary().player.SetPlatform(SystemPlatform());
  }
  void Run(uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += 5) {
      clock_.Advance(5);
      TheLibrary().player.Step(clock_.Now());
    }
  }

  testing::FakeClock clock_;
  std::shared_ptr<RecordingOutput> recorder_ = std::make_shared<RecordingOutput>();
};

TEST_F(AnalysisWithPlayback, InvertedPlayMirrorsAboutTheAnalysedAverages) {
  SongHandle song = TheLibrary().handles.Adopt(BuildSmf(
      {TrackBuilder().Tempo(0, 1000000).NoteOn(0, 0, 70, 100).NoteOn(0, 0, 70, 100).End(10)}));
  ASSERT_EQ(mmsSMFAnalysis(song), 0);
  EXPECT_EQ(mmsSMFAnalysisGetAverageNote(0), 70);
  EXPECT_EQ(mmsGetTempo(), 120.0);  // the analysis has its own song state
  ASSERT_EQ(mmsInvertPlay(song, 0), 0);
  Run(20);
  const auto sent = recorder_->Messages();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent[0].bytes, (std::vector<uint8_t>{0x90, 74, 100}));  // about C = 72
  mmsDestroyHandle(song);
}

TEST_F(AnalysisWithPlayback, AfterASongEndsByItselfThePictureStays) {
  SongHandle song = TheLibrary().handles.Adopt(BuildSmf({TrackBuilder()
                                                             .Tempo(0, 600000)
                                                             .Program(0, 4, 12)
                                                             .NoteOn(0, 4, 65, 90)
                                                             .NoteOn(0, 4, 67, 90)
                                                             .PitchBend(5, 4, 100)
                                                             .NoteOff(5, 4, 67)
                                                             .End(96)},
                                                        SmfOptions{.division = 96}));
  ASSERT_EQ(mmsPlay(song, 0), 0);
  Run(100);
  EXPECT_EQ(mmsGetStatus(), 1);
  EXPECT_GT(mmsGetTime(), 0);
  Run(2000);
  EXPECT_EQ(mmsGetStatus(), 0);
  EXPECT_EQ(mmsGetTime(), 0);
  EXPECT_EQ(mmsGetTempo(), 100.0);
  EXPECT_EQ(mmsGetTimebase(), 96);
  EXPECT_EQ(mmsGetMeasure(), 1);
  EXPECT_EQ(mmsGetBeat(), 2);
  EXPECT_EQ(mmsGetProgram(4), 12);
  EXPECT_EQ(mmsGetPitchbend(4), 100);
  EXPECT_EQ(mmsGetSendingNotes(4), 1);
  EXPECT_EQ(mmsGetMaxSendingNotes(4), 2);
  EXPECT_EQ(mmsGetMaxNoteNumber(4), 67);
  EXPECT_EQ(mmsGetMinNoteNumber(4), 65);
  int32_t notes[128] = {};
  mmsGetNotes(4, notes);
  EXPECT_EQ(notes[65], 1);
  EXPECT_EQ(notes[67], 0);
  mmsDestroyHandle(song);
}

}  // namespace
}  // namespace vondra
