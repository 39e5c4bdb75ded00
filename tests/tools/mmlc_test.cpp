// mmlc: what a music text compiles to, read back through an independent file reader.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/tools/smf_probe.h"
#include "tools/mmlc/mml_compiler.h"
#include "tools/mmlc/smf_writer.h"

namespace {

probe::ProbeSong Compile(const std::string& text) {
  const probe::ProbeSong song = probe::ReadSmf(mmlc::WriteSmf(mmlc::CompileMml(text)));
  EXPECT_TRUE(song.ok) << song.error;
  return song;
}

// (tick, note, on) for every note event of a track, in file order.
std::vector<std::tuple<int64_t, int, bool>> Notes(const probe::ProbeTrack& track) {
  std::vector<std::tuple<int64_t, int, bool>> out;
  for (const auto& e : track.events) {
    const int high = e.bytes[0] & 0xF0;
    if (high == 0x90) out.emplace_back(e.tick, e.bytes[1], true);
    if (high == 0x80) out.emplace_back(e.tick, e.bytes[1], false);
  }
  return out;
}

using N = std::tuple<int64_t, int, bool>;

TEST(MmlcLengths, DotsTiesRestsAndGateGiveExactTicks) {
  const auto song = Compile("#track 1\nl8 c d4. r16 e16.. f4^8 g4&g8 a2&a8 q4 b4");
  // 480 ticks per quarter: 8 = 240, 4. = 720, 16 = 120, 16.. = 210.
  EXPECT_EQ(Notes(song.tracks[1]), (std::vector<N>{{0, 60, true},
                                                   {240, 60, false},
                                                   {240, 62, true},
                                                   {960, 62, false},
                                                   {1080, 64, true},
                                                   {1290, 64, false},
                                                   {1290, 65, true},
                                                   {1290 + 720, 65, false},
                                                   {2010, 67, true},
                                                   {2010 + 720, 67, false},
                                                   {2730, 69, true},
                                                   {2730 + 1200, 69, false},
                                                   {3930, 71, true},
                                                   {3930 + 240, 71, false}}));
  EXPECT_EQ(song.tracks[1].endTick, 3930 + 480);
}

TEST(MmlcPitches, OctavesAccidentalsNumbersAndChords) {
  const auto song =
      Compile("#track 1\no3 c c+ d- e# >c <<b o9 g n0 n127,16 o5 (c >e g)4 c (n36 e)");
  const auto notes = Notes(song.tracks[1]);
  std::vector<int> ons;
  for (const auto& [tick, note, on] : notes) {
    if (on) ons.push_back(note);
  }
  // The octave change inside the chord does not outlive it: the last c is in octave 5 again.
  EXPECT_EQ(ons, (std::vector<int>{48, 49, 49, 53, 60, 47, 127, 0, 127, 72, 88, 91, 72, 36, 76}));
}

TEST(MmlcRepeats, NestedCountsAndLastPassBreak) {
  const auto song = Compile("#track 1\nl16 [c [d]3 / e]2 f");
  std::vector<int> ons;
  for (const auto& [tick, note, on] : Notes(song.tracks[1])) {
    if (on) ons.push_back(note);
  }
  EXPECT_EQ(ons, (std::vector<int>{60, 62, 62, 62, 64, 60, 62, 62, 62, 65}));
  EXPECT_EQ(song.tracks[1].endTick, 10 * 120);
}

TEST(MmlcControls, ProgramControllersVelocityAndDefaultVolume) {
  const auto song = Compile(
      "#track 3 \"Bass\"\n@33 V90 p20 E110 y64,127 v77 c\n"
      "#track 4\nc V80");
  const auto& bass = song.tracks[1].events;
  ASSERT_GE(bass.size(), 7u);
  EXPECT_EQ(bass[0].bytes, (std::vector<uint8_t>{0xFF, 0x03, 'B', 'a', 's', 's'}));
  EXPECT_EQ(bass[1].bytes, (std::vector<uint8_t>{0xC2, 33}));
  EXPECT_EQ(bass[2].bytes, (std::vector<uint8_t>{0xB2, 7, 90}));
  EXPECT_EQ(bass[3].bytes, (std::vector<uint8_t>{0xB2, 10, 20}));
  EXPECT_EQ(bass[4].bytes, (std::vector<uint8_t>{0xB2, 11, 110}));
  EXPECT_EQ(bass[5].bytes, (std::vector<uint8_t>{0xB2, 64, 127}));
  EXPECT_EQ(bass[6].bytes, (std::vector<uint8_t>{0x92, 60, 77}));
  // A track that sets no volume at its start gets 100 there, before its first note.
  const auto& second = song.tracks[2].events;
  EXPECT_EQ(second[0].bytes, (std::vector<uint8_t>{0xB3, 7, 100}));
  EXPECT_EQ(second[0].tick, 0);
}

TEST(MmlcConductor, ResetTextsTempoAndMetre) {
  const auto song = Compile(
      "#title \"Song\"\n#copyright \"(C) us\"\n#text \"Intro\"\n#timesig 3/4\n#tempo 150\n"
      "#track 1\nc2. t100 #timesig 6/8\nc2.");
  ASSERT_EQ(song.tracks.size(), 2u);
  const auto& conductor = song.tracks[0].events;
  EXPECT_EQ(conductor[0].bytes, (std::vector<uint8_t>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
  EXPECT_EQ(conductor[1].bytes, (std::vector<uint8_t>{0xFF, 0x03, 'S', 'o', 'n', 'g'}));
  EXPECT_EQ(conductor[2].bytes[1], 0x02);
  EXPECT_EQ(conductor[3].bytes, (std::vector<uint8_t>{0xFF, 0x01, 'I', 'n', 't', 'r', 'o'}));
  EXPECT_EQ(conductor[4].bytes, (std::vector<uint8_t>{0xFF, 0x58, 3, 2, 24, 8}));
  EXPECT_EQ(conductor[5].bytes, (std::vector<uint8_t>{0xFF, 0x51, 0x06, 0x1A, 0x80}));  // 400000 us
  EXPECT_EQ(conductor[6].tick, 1440);
  EXPECT_EQ(conductor[6].bytes, (std::vector<uint8_t>{0xFF, 0x51, 0x09, 0x27, 0xC0}));  // 600000 us
  EXPECT_EQ(conductor[7].tick, 1440);
  EXPECT_EQ(conductor[7].bytes, (std::vector<uint8_t>{0xFF, 0x58, 6, 3, 24, 8}));
  // Without directives the conductor still states 4/4 and 120.
  const auto plain = Compile("#track 1\nc");
  EXPECT_EQ(plain.tracks[0].events[1].bytes, (std::vector<uint8_t>{0xFF, 0x58, 4, 2, 24, 8}));
  EXPECT_EQ(plain.tracks[0].events[2].bytes, (std::vector<uint8_t>{0xFF, 0x51, 0x07, 0xA1, 0x20}));
}

TEST(MmlcLoop, CueOnEveryTrackAtTheMarkAndTracksEndTogether) {
  const auto song = Compile(
      "#track 1\nl4 c d L e f\n"
      "#track 2\nl2 c\n"
      "#track 10\nl4 n36 n38 L n36 n38 n36 n38");
  ASSERT_EQ(song.tracks.size(), 4u);
  for (const auto& track : song.tracks) {
    EXPECT_EQ(track.repeatTick, 960);
    EXPECT_EQ(track.endTick, 2880);
  }
  // The note that ends on the mark is stopped before the cue, the next starts after it.
  const auto& lead = song.tracks[1].events;
  size_t cue = 0;
  while (cue < lead.size() && !(lead[cue].bytes[0] == 0xFF && lead[cue].bytes[1] == 0x07)) ++cue;
  ASSERT_LT(cue, lead.size());
  EXPECT_EQ(lead[cue - 1].bytes[0], 0x80);
  EXPECT_EQ(lead[cue + 1].bytes[0], 0x90);
  EXPECT_EQ(song.noteCount.at(0), 4);
  EXPECT_EQ(song.AverageNote(0), (60 + 62 + 64 + 65) / 4);

  const auto once = Compile("#track 1\nc d e");
  EXPECT_EQ(once.tracks[1].repeatTick, -1);
}

TEST(MmlcFile, HeaderRunningStatusAndMetaTypes) {
  const std::vector<uint8_t> bytes = mmlc::WriteSmf(
      mmlc::CompileMml("#timebase 96\n#track 1\n(c e g) #marker \"m\"\n(d f a) L g"));
  const auto song = probe::ReadSmf(bytes);
  ASSERT_TRUE(song.ok) << song.error;
  EXPECT_EQ(song.headerLength, 6);
  EXPECT_EQ(song.format, 1);
  EXPECT_EQ(song.division, 96);
  // Notes of a chord share their status byte; the note after the meta event and the cue
  // restates it, because a reader carries the meta status forward.
  size_t statusBytes = 0;
  for (size_t i = 14; i < bytes.size(); ++i)
    statusBytes += (bytes[i] == 0x90 || bytes[i] == 0x80) ? 1 : 0;
  EXPECT_EQ(statusBytes, 6u);
  for (const auto& track : song.tracks) {
    for (int type : track.metaTypes) {
      EXPECT_TRUE(type == 0x01 || type == 0x02 || type == 0x03 || type == 0x06 || type == 0x07 ||
                  type == 0x2F || type == 0x51 || type == 0x58)
          << "meta type " << type;
    }
  }
}

struct Refusal {
  const char* text;
  int line;
  const char* reason;
};

TEST(MmlcRefusals, EachNamesItsLineAndReason) {
  const Refusal cases[] = {
      {"c d e", 1, "music before the first #track"},
      {"#title \"x\"", 1, "the text has no #track"},
      {"#track 1\nc z", 2, "unknown command 'z'"},
      {"#track 17", 1, "channel 17 is outside 1-16"},
      {"#track 1\n#title \"late\"", 2, "#title belongs before the first #track"},
      {"#track 1\n#volume 3", 2, "unknown directive #volume"},
      {"#track 1\nc7", 2, "length 7 does not divide a whole note of 1920 ticks evenly"},
      {"#track 1\nc64....", 2, "too many dots: the length is no longer a whole number of ticks"},
      {"#track 1\nc4&d4", 2, "a tie '&' must join two notes of the same pitch"},
      {"#track 1\nc4&r4", 2, "a tie '&' must be followed by a note of the same pitch"},
      {"#track 1\nc d\ne&", 3, "a tie '&' at the end of the track has no note to join"},
      {"#track 1\no9 b", 2, "note 131 is outside the MIDI range 0-127"},
      {"#track 1\no9 >", 2, "'>' goes above octave 9"},
      {"#track 1\nv0", 2, "velocity 0 is outside 1-127"},
      {"#track 1\n[c d", 2, "'[' is never closed with ']'"},
      {"#track 1\nc ]", 2, "']' without a matching '['"},
      {"#track 1\nc / d", 2, "'/' outside a [ ] repeat"},
      {"#track 1\n[c L d]", 2, "the loop mark L cannot stand inside a [ ] repeat"},
      {"#track 1\n[c\n#text \"t\"\n]", 3, "directives cannot stand inside a [ ] repeat"},
      {"#track 1\nc L d L e", 2, "a second loop mark L in this track (the first is on line 2)"},
      {"#track 1\nc d L\n#track 2\nc L", 4,
       "the loop mark is at tick 480 here but at tick 960 on line 2; tracks must loop together"},
      {"#track 1\nc d L", 2, "nothing follows the loop mark: the loop would have no length"},
      {"#track 1\n(c e", 2, "chord '(' is never closed with ')'"},
      {"#track 1\n()4", 2, "empty chord"},
      {"#track 1\n#text \"open", 2, "the text is never closed with '\"'"},
      {"#timesig 3/5\n#track 1", 1, "time signature denominator must be a power of two"},
      {"#tempo 5\n#track 1", 1, "tempo 5 is outside 10-600"},
      {"#track 1\n[[[[[[[[[[[[[[[[[c]]]]]]]]]]]]]]]]]", 2, "repeats are nested too deeply"},
      {"#track 1\nl64 [[[[c]999]999]999]999", 2,
       "the track is too long: more than 1000000 events after repeats"},
      {"#track 1\n[[r1]999]999", 2, "the track is too long"},
      {"#track 1\n[[[v1 /]999]999]999", 2,
       "the track is too long: its repeats run more than 20000000 commands"},
      {"#track 1\no0 <", 2, "'<' goes below octave 0"},
      {"#track 1\nl", 2, "'l' needs a length, as in l8"},
      {"#track 1\ny64", 2, "'y' needs a controller and a value, as in y64,127"},
      {"#track 1\n& c", 2, "'&' must follow a note"},
      {"#track 1\n^4", 2, "'^' must follow a note, chord or rest"},
      {"#track 1\n(c r)", 2, "'r' cannot stand inside a chord"},
      {"#track 1\no", 2, "expected a number for octave"},
      {"#track 1\nc99999999999", 2, "note length is too large"},
      {"#title x\n#track 1", 1, "#title needs a text in double quotes"},
      {"#track 1 x", 1, "unexpected text after #track"},
      {"#timesig 3\n#track 1", 1, "#timesig needs a fraction, as in 3/4"},
      {"# x\n#track 1", 1, "'#' must begin a directive such as #track"},
  };
  std::string tooMany;
  for (int track = 0; track < 64; ++track) tooMany += "#track 1\nc\n";
  try {
    mmlc::CompileMml(tooMany);
    ADD_FAILURE() << "64 tracks accepted";
  } catch (const mmlc::MmlError& e) {
    EXPECT_EQ(e.reason, "more than 63 tracks");
    EXPECT_EQ(e.pos.line, 127);
  }
  for (const Refusal& r : cases) {
    try {
      mmlc::CompileMml(r.text);
      ADD_FAILURE() << "accepted: " << r.text;
    } catch (const mmlc::MmlError& e) {
      EXPECT_EQ(e.reason, r.reason) << r.text;
      EXPECT_EQ(e.pos.line, r.line) << r.text;
    }
  }
  try {
    mmlc::CompileMml("#track 1\n  c z");
  } catch (const mmlc::MmlError& e) {
    EXPECT_EQ(mmlc::FormatMmlError("song.mml", e), "song.mml:2:5: error: unknown command 'z'");
  }
}

}  // namespace
