// What each kind of event does in the engine: messages sent and the channel picture kept.
#include <gtest/gtest.h>

#include <algorithm>

#include "sequencer/src/messages.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/smf_builder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::BytesOf;
using testing::EngineHarness;
using testing::IsControl;
using testing::SmfOptions;
using testing::TrackBuilder;
using Bytes = std::vector<uint8_t>;

TEST(EngineEvents, RunningStatusCarriesOverDataBytesAndMetaAndSysExStatuses) {
  EngineHarness harness;
  const auto song = BuildSmf({TrackBuilder()
                                  .Bytes({0x00, 0x90, 60, 100})
                                  .Bytes({0x05, 62, 100})  // note on by running status
                                  .Bytes({0x05, 60, 0})
                                  .Meta(5, 0x01, "abc")
                                  // A data byte after a meta event runs on status FF: here it
                                  // is the type of a second text event, which sends nothing.
                                  .Bytes({0x05, 0x01, 0x02, 'x', 'y'})
                                  .NoteOff(5, 0, 62)
                                  .SysEx(5, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
                                  // After System Exclusive the data byte starts a length.
                                  .Bytes({0x05, 0x02, 0x43, 0xF7})
                                  .End()});
  ASSERT_EQ(harness.Play(song), 0);
  harness.RunUntilStopped(5000);
  const std::vector<Bytes> expected{{0x90, 60, 100},
                                    {0x90, 62, 100},
                                    {0x90, 60, 0},
                                    {0x80, 62, 64},
                                    {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7},
                                    {0xF0, 0x43, 0xF7}};
  EXPECT_EQ(BytesOf(harness.SentBeforeStop()), expected);
  // A data byte before any status on the track sends nothing and plays on.
  EngineHarness orphan;
  ASSERT_EQ(orphan.Play(BuildSmf({TrackBuilder().Bytes({0x00, 0x40}).NoteOn(1, 0, 60, 1).End()})),
            0);
  orphan.RunUntilStopped(5000);
  EXPECT_EQ(BytesOf(orphan.SentBeforeStop()), (std::vector<Bytes>{{0x90, 60, 1}}));
}

TEST(EngineEvents, ChannelMessagesKeepThePictureOfEachChannel) {
  EngineHarness harness;
  const auto song = BuildSmf({TrackBuilder()
                                  .NoteOn(0, 4, 60, 100)
                                  .NoteOn(0, 4, 60, 100)
                                  .NoteOn(0, 4, 72, 100)
                                  .NoteOff(0, 4, 40)  // never sounded: no count changes
                                  .Control(0, 4, 10, 20)
                                  .Program(0, 4, 33)
                                  .Bytes({0x00, 0xD4, 77})
                                  .Bytes({0x00, 0xA4, 60, 5})
                                  .PitchBend(0, 4, 1234)
                                  .NoteOn(1, 4, 60, 0)  // a note-on of velocity 0 ends one
                                  .End(100)});
  ASSERT_EQ(harness.Play(song), 0);
  harness.Run(30);
  const ChannelState& channel = harness.engine().Song().Channels[4];
  EXPECT_EQ(channel.noteCounters[60], 1);
  EXPECT_EQ(channel.noteCounters[72], 1);
  EXPECT_EQ(channel.noteCounters[40], 0);
  EXPECT_EQ(channel.soundingNotes, 2);
  EXPECT_EQ(channel.maxSoundingNotes, 3);
  EXPECT_EQ(channel.maxNote, 72);
  EXPECT_EQ(channel.minNote, 60);
  EXPECT_EQ(channel.controls[10], 20);
  EXPECT_EQ(channel.controls[7], 100);
  EXPECT_EQ(channel.controls[91], 40);
  EXPECT_EQ(channel.program, 33);
  EXPECT_EQ(channel.pressure, 77);
  EXPECT_EQ(channel.pitchBend, 1234);
  EXPECT_EQ(harness.engine().Song().Channels[5].maxNote, -1);

  const auto sent = harness.Sent();
  EXPECT_EQ(sent[5].bytes, (Bytes{0xC4, 33, 0}));
  EXPECT_EQ(sent[6].bytes, (Bytes{0xD4, 77, 0}));
  EXPECT_EQ(sent[7].bytes, (Bytes{0xA4, 60, 5}));

  // All notes off in the song clears the channel's counters; reset all controllers does not.
  EngineHarness clearing;
  ASSERT_EQ(clearing.Play(BuildSmf({TrackBuilder()
                                        .NoteOn(0, 1, 60, 100)
                                        .NoteOn(0, 2, 60, 100)
                                        .Control(0, 1, 121, 0)
                                        .Control(0, 2, 123, 0)
                                        .End(100)})),
            0);
  clearing.Run(20);
  EXPECT_EQ(clearing.engine().Song().Channels[1].soundingNotes, 1);
  EXPECT_EQ(clearing.engine().Song().Channels[2].soundingNotes, 0);
  EXPECT_EQ(clearing.engine().Song().Channels[2].noteCounters[60], 0);
}

TEST(EngineEvents, SystemExclusiveIsRetriedWhileNotReadyAndDroppedWhenTooLarge) {
  const Bytes body{0x41, 0x10, 0x42, 0x12, 0xF7};
  {
    EngineHarness harness;
    harness.output().RefuseLongMessages(5);
    ASSERT_EQ(harness.Play(BuildSmf({TrackBuilder().SysEx(0, body).End()})), 0);
    harness.RunUntilStopped(1000);
    EXPECT_EQ(harness.output().LongAttempts(), 6);
    EXPECT_EQ(BytesOf(harness.SentBeforeStop()),
              (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x42, 0x12, 0xF7}}));
  }
  {
    // 200 attempts, then the message is given up and playback goes on.
    EngineHarness harness;
    harness.output().RefuseLongMessages(1000);
    ASSERT_EQ(harness.Play(BuildSmf({TrackBuilder().SysEx(0, body).NoteOn(1, 0, 60, 1).End()})), 0);
    harness.RunUntilStopped(1000);
    EXPECT_EQ(harness.output().LongAttempts(), 200);
    EXPECT_EQ(BytesOf(harness.SentBeforeStop()), (std::vector<Bytes>{{0x90, 60, 1}}));
  }
  {
    // The buffer holds F0 and 65535 body bytes; one more and the message is dropped.
    Bytes fits(65535, 0x11);
    fits.back() = 0xF7;
    Bytes tooLarge(65536, 0x22);
    EngineHarness harness;
    ASSERT_EQ(harness.Play(BuildSmf(
                  {TrackBuilder().SysEx(0, fits).SysEx(1, tooLarge).NoteOn(1, 0, 60, 1).End()})),
              0);
    harness.RunUntilStopped(1000);
    const auto sent = harness.SentBeforeStop();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].bytes.size(), 65536u);
    EXPECT_EQ(sent[0].bytes[0], 0xF0);
    EXPECT_EQ(sent[1].bytes, (Bytes{0x90, 60, 1}));
  }
}

TEST(EngineEvents, SystemStatusInATrackStopsPlaybackAtOnce) {
  EngineHarness harness;
  const auto song = BuildSmf(
      {TrackBuilder().NoteOn(0, 0, 60, 100).Bytes({0x0A, 0xF1, 0x10}).NoteOff(0, 0, 60).End(),
       TrackBuilder().NoteOn(11, 1, 64, 100).End(100)});
  ASSERT_EQ(harness.Play(song), 0);
  harness.Run(600);
  EXPECT_EQ(harness.engine().Status(), 0);
  const auto sent = harness.Sent();
  // The note on, then the stop's 48 messages; the other track's event of the same tick and
  // everything after are not sent.
  ASSERT_EQ(sent.size(), 1u + 48u);
  EXPECT_EQ(sent[0].bytes, (Bytes{0x90, 60, 100}));
  EXPECT_EQ(sent[1].bytes, (Bytes{0xB0, 123, 0}));
  EXPECT_EQ(sent.back().bytes, (Bytes{0xBF, 121, 0}));
  EXPECT_TRUE(harness.output().SoundingNotes().empty());
}

TEST(EngineEvents, AnUnlistedMetaTypeEndsPlaybackWithAMessageAndNoHangingNote) {
  EngineHarness harness;
  const auto song = BuildSmf(
      {TrackBuilder().NoteOn(0, 0, 60, 100).End(200),
       TrackBuilder().NoteOn(0, 1, 64, 100).Meta(10, 0x08, "abc").NoteOff(0, 1, 64).End()});
  ASSERT_EQ(harness.Play(song), 0);
  harness.Run(300);
  EXPECT_EQ(harness.engine().Status(), 0);

  const auto messages = harness.sink.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, MessageKind::kError);
  EXPECT_EQ(messages[0].text,
            "演奏ﾃﾞｰﾀが異常，もしくは Qarnwell SMF player VONDRA  がｻﾎﾟｰﾄしていないﾒﾀｲﾍﾞﾝﾄです\n"
            "演奏を中断します\n"
            "  異常ﾃﾞｰﾀ   ﾄﾗｯｸ1 の ff 08 ...");

  // No stop messages (no sound-off, no controller reset), but every channel's notes are
  // switched off, and nothing more is sent.
  const auto sent = harness.Sent();
  ASSERT_EQ(sent.size(), 2u + 16u);
  for (int channel = 0; channel < 16; ++channel) {
    EXPECT_EQ(sent[2 + channel].bytes, (Bytes{static_cast<uint8_t>(0xB0 | channel), 123, 0}));
  }
  EXPECT_TRUE(harness.output().SoundingNotes().empty());
}

TEST(EngineEvents, InvertedPlayMirrorsNotesAboutTheNearestCExceptOnTheDrumChannel) {
  EngineHarness harness;
  harness.analysis[0].averageNote = 64;  // C = 60
  harness.analysis[2].averageNote = 70;  // C = 72
  harness.analysis[9].averageNote = 70;  // drums: never mirrored
  // Channel 3 has no analysis: it mirrors about 60 too.
  const auto song = BuildSmf({TrackBuilder()
                                  .NoteOn(0, 0, 67, 100)
                                  .NoteOn(0, 2, 60, 100)
                                  .NoteOn(0, 9, 38, 100)
                                  .NoteOn(0, 3, 67, 100)
                                  .NoteOn(0, 2, 10, 100)   // 134: folded down an octave
                                  .NoteOn(0, 0, 127, 100)  // -7: folded up an octave
                                  .NoteOff(10, 0, 67)
                                  .NoteOff(0, 2, 60)
                                  .NoteOff(0, 9, 38)
                                  .NoteOff(0, 3, 67)
                                  .NoteOff(0, 2, 10)
                                  .NoteOff(0, 0, 127)
                                  .End()});
  ASSERT_EQ(harness.Play(song, 0, 1), 0);
  harness.Run(30);
  const auto sent = harness.Sent();
  ASSERT_GE(sent.size(), 6u);
  EXPECT_EQ(sent[0].bytes, (Bytes{0x90, 53, 100}));
  EXPECT_EQ(sent[1].bytes, (Bytes{0x92, 84, 100}));
  EXPECT_EQ(sent[2].bytes, (Bytes{0x99, 38, 100}));
  EXPECT_EQ(sent[3].bytes, (Bytes{0x93, 53, 100}));
  EXPECT_EQ(sent[4].bytes, (Bytes{0x92, 122, 100}));
  EXPECT_EQ(sent[5].bytes, (Bytes{0x90, 5, 100}));
  EXPECT_EQ(harness.engine().Song().Channels[2].maxNote, 122);
  harness.Run(100);
  // Note-offs are mirrored the same way, so nothing is left sounding.
  EXPECT_TRUE(harness.output().SoundingNotes().empty());
  for (int channel : {0, 2, 3, 9}) {
    EXPECT_EQ(harness.engine().Song().Channels[channel].soundingNotes, 0) << channel;
  }
  // The analysis averages are in the picture for the queries.
  EXPECT_EQ(harness.engine().Song().Channels[2].averageNote, 70);

  // Plain play after inverted play mirrors nothing.
  const size_t before = harness.Sent().size();
  ASSERT_EQ(harness.Play(song), 0);
  harness.Run(500);  // the song begins once the stop's messages are out
  const auto replayed = harness.Sent();
  auto first = std::find_if(replayed.begin() + static_cast<std::ptrdiff_t>(before), replayed.end(),
                            [](const auto& message) { return message.Status() == 0x90; });
  ASSERT_NE(first, replayed.end());
  EXPECT_EQ(first->bytes, (Bytes{0x90, 67, 100}));
}

}  // namespace
}  // namespace vondra
