// The tunes the game ships, read back through an independent reader: the stage tunes loop
// with every track together, the ending plays about a minute once, and nothing in them
// would stop the game's player.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/tools/smf_probe.h"
#include "tools/common/file_io.h"
#include "tools/mmlc/mml_compiler.h"
#include "tools/mmlc/smf_writer.h"

namespace {

probe::ProbeSong Built(const std::string& file) {
  const auto bytes = tools::ReadBytes(std::string(TOLVANE_BINARY_DIR) + "/game/" + file);
  EXPECT_TRUE(bytes.has_value()) << file << " was not built";
  return probe::ReadSmf(bytes.value_or(std::vector<uint8_t>{}));
}

// Seconds until End of Track, following the conductor's tempo changes.
double Seconds(const probe::ProbeSong& song) {
  double seconds = 0;
  int64_t at = 0;
  double microsPerQuarter = 500000;
  for (const auto& e : song.tracks[0].events) {
    seconds += static_cast<double>(e.tick - at) * microsPerQuarter / 1e6 / song.division;
    at = e.tick;
    if (e.bytes.size() == 5 && e.bytes[0] == 0xFF && e.bytes[1] == 0x51) {
      microsPerQuarter = (e.bytes[2] << 16) | (e.bytes[3] << 8) | e.bytes[4];
    }
  }
  return seconds;
}

void ExpectPlayable(const probe::ProbeSong& song) {
  ASSERT_TRUE(song.ok) << song.error;
  EXPECT_EQ(song.headerLength, 6);
  EXPECT_LE(song.tracks.size(), 16u);
  const std::set<int> allowed{0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                              0x20, 0x21, 0x2F, 0x51, 0x54, 0x58, 0x59, 0x7F};
  for (const auto& track : song.tracks) {
    for (int type : track.metaTypes) EXPECT_TRUE(allowed.count(type)) << "meta type " << type;
    // Every channel that plays states its volume before its first note, so a fade has a base.
    std::set<int> volumeSet;
    for (const auto& e : track.events) {
      const int high = e.bytes[0] & 0xF0;
      const int ch = e.bytes[0] & 0x0F;
      if (high == 0xB0 && e.bytes[1] == 7) volumeSet.insert(ch);
      if (high == 0x90) {
        EXPECT_TRUE(volumeSet.count(ch))
            << "channel " << ch + 1 << " plays before its volume is set";
      }
    }
  }
  EXPECT_GT(song.noteCount.size(), 0u);
}

TEST(ContentMusic, StageTunesLoopWithEveryTrackTogether) {
  for (int stage = 1; stage <= 5; ++stage) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const probe::ProbeSong song = Built("tolvstg" + std::to_string(stage) + ".mid");
    ExpectPlayable(song);
    if (!song.ok) continue;
    const auto& first = song.tracks[0];
    EXPECT_GE(first.repeatTick, 0) << "no loop point";
    EXPECT_LT(first.repeatTick, first.endTick);
    for (const auto& track : song.tracks) {
      EXPECT_EQ(track.repeatTick, first.repeatTick);
      EXPECT_EQ(track.endTick, first.endTick);
    }
    EXPECT_GT(Seconds(song), 20.0);
  }
}

TEST(ContentMusic, EndingPlaysAboutAMinuteWithoutLoop) {
  const probe::ProbeSong song = Built("tolvend.mid");
  ExpectPlayable(song);
  for (const auto& track : song.tracks) EXPECT_EQ(track.repeatTick, -1);
  EXPECT_GT(Seconds(song), 50.0);
  EXPECT_LT(Seconds(song), 75.0);
}

// The texts a player's analysis shows: the title on the conductor, a copyright notice naming
// the game, a description, and a name on every track.
std::string MetaText(const probe::ProbeTrack& track, uint8_t type) {
  for (const auto& e : track.events) {
    if (e.bytes.size() >= 2 && e.bytes[0] == 0xFF && e.bytes[1] == type) {
      return std::string(e.bytes.begin() + 2, e.bytes.end());
    }
  }
  return "";
}

TEST(ContentMusic, EveryTuneCarriesItsTitleCopyrightAndTrackNames) {
  const char* const titles[][2] = {
      {"tolvstg1", "Stage1...Fukai"},         {"tolvstg2", "Stage2...Sea Stage"},
      {"tolvstg3", "Stage3...Woody Stage"},   {"tolvstg4", "Stage4...China Town"},
      {"tolvstg5", "Stage5...Unknown Space"}, {"tolvend", "Tolvane Echo - Ending"}};
  for (const auto& [file, title] : titles) {
    SCOPED_TRACE(file);
    const probe::ProbeSong song = Built(std::string(file) + ".mid");
    ASSERT_TRUE(song.ok) << song.error;
    EXPECT_EQ(MetaText(song.tracks[0], 0x03), title);
    EXPECT_NE(MetaText(song.tracks[0], 0x02).find("Tolvane Echo"), std::string::npos);
    EXPECT_FALSE(MetaText(song.tracks[0], 0x01).empty());
    for (size_t t = 1; t < song.tracks.size(); ++t) {
      EXPECT_FALSE(MetaText(song.tracks[t], 0x03).empty()) << "track " << t << " has no name";
    }
  }
}

TEST(ContentMusic, BuiltFilesMatchTheirTexts) {
  const char* const pairs[][2] = {{"stage1", "tolvstg1"}, {"stage2", "tolvstg2"},
                                  {"stage3", "tolvstg3"}, {"stage4", "tolvstg4"},
                                  {"stage5", "tolvstg5"}, {"ending", "tolvend"}};
  for (const auto& [text, file] : pairs) {
    const auto source =
        tools::ReadText(std::string(TOLVANE_SOURCE_DIR) + "/content/music/" + text + ".mml");
    ASSERT_TRUE(source.has_value()) << text;
    const auto built = tools::ReadBytes(std::string(TOLVANE_BINARY_DIR) + "/game/" + file + ".mid");
    ASSERT_TRUE(built.has_value()) << file;
    EXPECT_EQ(mmlc::WriteSmf(mmlc::CompileMml(*source)), *built) << file;
  }
}

}  // namespace
