// The high-score table: reading stored values, placement and insertion, the display line,
// and the settings file across runs, including damaged files and failed writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/text_actors.h"
#include "game/engine/text_common.h"
#include "game/flow/boot_scene.h"
#include "game/flow/flow_texts.h"
#include "game/flow/high_score_file.h"
#include "game/flow/high_scores.h"
#include "game/flow/ranking_screen.h"
#include "game/flow/title_screen.h"
#include "tests/flow/flow_fixture.h"

namespace tolvane::testing {
namespace {

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void FillTable(int32_t score) {
  for (int32_t n = 0; n < kRankCount; ++n) {
    RankName[static_cast<size_t>(n)] = "P" + std::to_string(n);
    RankScore[static_cast<size_t>(n)] = score;
  }
}

TEST(SplitFields, BlanksAndControlCharactersSeparateAndAtMostTenFieldsAreKept) {
  FieldList fields;
  EXPECT_EQ(SplitFields("  ABC\t 12\x01\x01 2000  ", fields), 3);
  EXPECT_EQ(fields[0], "ABC");
  EXPECT_EQ(fields[1], "12");
  EXPECT_EQ(fields[2], "2000");
  EXPECT_EQ(SplitFields("", fields), 0);
  EXPECT_EQ(SplitFields("   ", fields), 0);
  // Bytes above 127 belong to a field, they do not end it.
  EXPECT_EQ(SplitFields("名前 5", fields), 2);
  EXPECT_EQ(fields[0], "名前");
  EXPECT_EQ(SplitFields("1 2 3 4 5 6 7 8 9 10 11 12", fields), kMaxFields);
  EXPECT_EQ(fields[9], "10");
}

TEST(StoredEntry, GoodEntriesReadAndBadFieldsTakeTheDefaultOneByOne) {
  SetRankFromText(0, "ZED 123456 2024 05 31");
  EXPECT_EQ(RankName[0], "ZED");
  EXPECT_EQ(RankScore[0], 123456);
  EXPECT_EQ(RankYear[0], 2024);
  EXPECT_EQ(RankMonth[0], 5);
  EXPECT_EQ(RankDay[0], 31);

  SetRankFromText(1, "AMY 77");  // date missing
  EXPECT_EQ(RankName[1], "AMY");
  EXPECT_EQ(RankScore[1], 77);
  EXPECT_EQ(RankYear[1], 2000);
  EXPECT_EQ(RankMonth[1], 1);
  EXPECT_EQ(RankDay[1], 1);

  SetRankFromText(2, "BOB lots 1999 x12 3");  // non-numeric score and month
  EXPECT_EQ(RankName[2], "BOB");
  EXPECT_EQ(RankScore[2], 0);
  EXPECT_EQ(RankYear[2], 1999);
  EXPECT_EQ(RankMonth[2], 1);
  EXPECT_EQ(RankDay[2], 3);

  SetRankFromText(3, "");  // nothing at all
  EXPECT_EQ(RankName[3], "TAIL");
  EXPECT_EQ(RankScore[3], 0);

  SetRankFromText(4, "BIG 99999999999 2000 1 1.5");  // out of range, not whole
  EXPECT_EQ(RankScore[4], 0);
  EXPECT_EQ(RankDay[4], 1);

  SetRankFromText(5, "NEG -40 2000 1 1");
  EXPECT_EQ(RankScore[5], -40);
}

TEST(StoredEntry, NumbersAreWrittenPlainAndAnEmptyNameAsTail) {
  SetRankFromText(0, "TAIL 0 2000 01 01");
  EXPECT_EQ(RankAsText(0), "TAIL 0 2000 1 1");
  InsertRank(1, 4500, {2031, 4, 7});
  EXPECT_EQ(RankAsText(1), "TAIL 4500 2031 4 7");
}

TEST(Placement, EqualScoresStayAboveAndTheTenthEqualIsNotPlaced) {
  FillTable(1000);
  EXPECT_EQ(PlaceOf(1000), kNotPlaced);
  EXPECT_EQ(PlaceOf(999), kNotPlaced);
  EXPECT_EQ(PlaceOf(1001), 0);

  for (int32_t n = 0; n < kRankCount; ++n)
    RankScore[static_cast<size_t>(n)] = 1000 - 100 * n;  // 1000 .. 100
  EXPECT_EQ(PlaceOf(700), 4);                            // below the 700 already at place 3
  EXPECT_EQ(PlaceOf(701), 3);
  EXPECT_EQ(PlaceOf(100), kNotPlaced);
  EXPECT_EQ(PlaceOf(101), 9);
}

TEST(Placement, InsertionMovesTheRestDownAndLosesTheTenth) {
  FillTable(0);
  for (int32_t n = 0; n < kRankCount; ++n) RankScore[static_cast<size_t>(n)] = 100 - n;
  InsertRank(2, 555, {2031, 4, 7});
  EXPECT_EQ(RankName[1], "P1");
  EXPECT_EQ(RankName[2], "");
  EXPECT_EQ(RankScore[2], 555);
  EXPECT_EQ(RankYear[2], 2031);
  EXPECT_EQ(RankMonth[2], 4);
  EXPECT_EQ(RankDay[2], 7);
  EXPECT_EQ(RankName[3], "P2");
  EXPECT_EQ(RankName[9], "P8");     // P9 is gone
  InsertRank(10, 1, {2031, 4, 7});  // outside the table: nothing
  EXPECT_EQ(RankName[9], "P8");
}

TEST(RankingDisplay, LinesHaveOrdinalsLeadingZerosAndSlashedDates) {
  ResetHighScores();
  EXPECT_EQ(RankingLine(0), " 1st   TAIL 00000000 2000/01/01");
  SetRankFromText(9, "abc-9 1234 2031 4 7");
  EXPECT_EQ(RankingLine(9), "10th  abc-9 00001234 2031/04/07");
  SetRankFromText(2, "Q 5 2031 12 25");
  EXPECT_EQ(RankingLine(2), " 3rd      Q 00000005 2031/12/25");
}

TEST_F(FlowTest, RankingScreenGlidesTheLinesInThreeFramesApartAndButtonOneLeaves) {
  ResetHighScores();
  Boot();
  Press(PadDown);  // choice 1: high scores
  Press(PadButton1);
  const int shownAtFirst = static_cast<int>(Texts().size());
  RunFrames(3);
  EXPECT_EQ(static_cast<int>(Texts().size()), shownAtFirst + 1);
  RunFrames(30);
  int lines = 0;
  for (const TActor& a : ActorPool) {
    if (a.Active == 0 || a.Draw != GlideIn) continue;
    if (std::string(ActorText(a)).find("TAIL 00000000 2000/01/01") == std::string::npos) continue;
    ++lines;
    // Centred under the heading: 31 characters of 11 pixels at 110 % leave (480 - 375) / 2.
    EXPECT_EQ(a.X, 52);
  }
  EXPECT_EQ(lines, kRankCount);
  EXPECT_EQ(CountImage(pic::kTitleTile), 12);  // the title tiles stayed behind the table
  Press(PadButton1);
  EXPECT_EQ(CountImage(pic::kHighScores), 0);
  EXPECT_NE(FindImage(182), nullptr);  // back at the title
}

TEST_F(FlowTest, TheTableWrittenByTheGameReadsBackInAFreshStart) {
  for (int32_t n = 0; n < kRankCount; ++n) {
    SetRankFromText(n, "N" + std::to_string(n) + " " + std::to_string(90000 - n * 1000) +
                           " 2031 4 " + std::to_string(n + 1));
  }
  RankName[4].clear();
  ASSERT_TRUE(WriteHighScores());
  const std::string text = FileText(SettingsPath());
  EXPECT_NE(text.find("[Tolvane Echo]"), std::string::npos);
  EXPECT_NE(text.find("RANK0=N0 90000 2031 4 1"), std::string::npos);
  EXPECT_NE(text.find("RANK4=TAIL 86000 2031 4 5"), std::string::npos);
  EXPECT_NE(text.find("RANK9=N9 81000 2031 4 10"), std::string::npos);

  ResetHighScores();
  OpenSettings(SettingsPath());
  Boot();
  for (int32_t n = 0; n < kRankCount; ++n) {
    const auto i = static_cast<size_t>(n);
    EXPECT_EQ(RankName[i], n == 4 ? "TAIL" : "N" + std::to_string(n));
    EXPECT_EQ(RankScore[i], 90000 - n * 1000);
    EXPECT_EQ(RankYear[i], 2031);
    EXPECT_EQ(RankMonth[i], 4);
    EXPECT_EQ(RankDay[i], n + 1);
  }
}

TEST_F(FlowTest, ADamagedSettingsFileStillStartsTheGame) {
  {
    std::ofstream file(SettingsPath(), std::ios::binary);
    file << "garbage without equals\n[Tolvane Echo\n[Tolvane Echo]\n=no key\nRANK0=ONLY\nRANK1=\n"
            "RANK2=X y z w v\nRANK3=   LOTS   500   2030   2   3   extra fields "
            "here\n\x01\x02\xff\n";
  }
  OpenSettings(SettingsPath());
  Boot();
  EXPECT_EQ(RankName[0], "ONLY");
  EXPECT_EQ(RankScore[0], 0);
  EXPECT_EQ(RankName[1], "TAIL");
  EXPECT_EQ(RankName[2], "X");
  EXPECT_EQ(RankYear[2], 2000);
  EXPECT_EQ(RankName[3], "LOTS");
  EXPECT_EQ(RankScore[3], 500);
  EXPECT_EQ(RankDay[3], 3);
  EXPECT_EQ(RankName[9], "TAIL");
  EXPECT_NE(FindImage(182), nullptr);  // the title is up
  EXPECT_EQ(SceneProc, TitleKeyWatcher);
}

TEST_F(FlowTest, AFailedWriteKeepsTheTableAndSaysSoOnStandardError) {
  std::ofstream(Folder() / "not-a-folder") << "x";
  OpenSettings((Folder() / "not-a-folder" / "qarnwell.ini").string());
  SetRankFromText(0, "KEEP 4242 2031 4 7");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(WriteHighScores());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("high-score table could not be saved"), std::string::npos);
  EXPECT_EQ(RankName[0], "KEEP");
  EXPECT_EQ(RankScore[0], 4242);

  std::filesystem::create_directories(Folder() / "folder.ini");
  OpenSettings((Folder() / "folder.ini").string());
  ::testing::internal::CaptureStderr();
  ReadHighScores();
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("could not be read, defaults used"),
            std::string::npos);
  EXPECT_EQ(RankName[0], "TAIL");
}

}  // namespace
}  // namespace tolvane::testing
