// The stage code table and the record layout shared by the game and stagec.
#include "game/play/stage_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <set>
#include <string>

#include "tests/tools/source_grep.h"

namespace {

using namespace tolvane;

TEST(StageCodes, CodesAndNamesAreUniqueAndInOrder) {
  std::set<std::string> names;
  for (size_t i = 0; i < kStageCodes.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(kStageCodes[i - 1].code, kStageCodes[i].code) << kStageCodes[i].name;
    }
    std::string lower = kStageCodes[i].name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    EXPECT_TRUE(names.insert(lower).second) << "duplicate name " << kStageCodes[i].name;
    // A name must never read as a number, or a stage text would be ambiguous.
    EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(kStageCodes[i].name[0])));
  }
  EXPECT_EQ(kStageCodes.size(), 50u);
}

TEST(StageCodes, BossesAndScrollStopsAreTheExpectedCodes) {
  std::set<int> bosses;
  std::set<int> stops;
  for (const StageCode& c : kStageCodes) {
    if (c.action == CodeAction::Spawn && IsBoss(c)) bosses.insert(c.code);
    if (c.stopScroll) stops.insert(c.code);
  }
  EXPECT_EQ(bosses, (std::set<int>{100, 102, 104, 107, 108, 109, 110, 113}));
  EXPECT_EQ(stops, (std::set<int>{100, 104, 107, 108, 109}));
  // Codes 15 and 105 share boss pictures but do not advance the script.
  EXPECT_FALSE(IsBoss(*FindStageCode(15)));
  EXPECT_FALSE(IsBoss(*FindStageCode(105)));
}

TEST(StageCodes, LookupsAndStageScaledValues) {
  EXPECT_EQ(FindStageCode(999)->action, CodeAction::StageClear);
  EXPECT_EQ(FindStageCode(42), nullptr);
  EXPECT_EQ(FindStageCodeByName("wandererboss")->code, 100);
  EXPECT_EQ(FindStageCodeByName("HALT")->code, 0);
  EXPECT_EQ(FindStageCodeByName("Wanderer"), nullptr);
  const StageCode& dart = *FindStageCode(5);
  EXPECT_EQ(dart.hitScale + dart.hitScalePerStage * 3, 30);
  const StageCode& lunger = *FindStageCode(12);
  EXPECT_EQ(lunger.hitPoints + lunger.hitPointsPerStage * 4, 40);
  EXPECT_EQ(FindStageCode(3)->image, kSpawnAnimated);
  EXPECT_EQ(FindStageCode(105)->flashImage, pic::kGunshipFlash);
}

TEST(StageCodes, PictureListHas91RisingEntries) {
  EXPECT_EQ(kPictureList.front(), 15);
  EXPECT_EQ(kPictureList[35], 105);
  EXPECT_EQ(kPictureList.back(), 307);
  EXPECT_TRUE(std::is_sorted(kPictureList.begin(), kPictureList.end()));
  EXPECT_EQ(std::set<int>(kPictureList.begin(), kPictureList.end()).size(), 91u);
}

TEST(StageRecordLayout, LittleEndianFieldsInFileOrder) {
  const StageRecord r{0x01020304, 999, -1, 550, -2147483647 - 1};
  uint8_t bytes[kStageRecordSize];
  EncodeStageRecord(r, bytes);
  static constexpr uint8_t expected[kStageRecordSize] = {0x04, 0x03, 0x02, 0x01, 0xE7, 0x03, 0,
                                                         0,    0xFF, 0xFF, 0xFF, 0xFF, 0x26, 0x02,
                                                         0,    0,    0,    0,    0,    0x80};
  EXPECT_TRUE(std::equal(bytes, bytes + kStageRecordSize, expected));
  EXPECT_EQ(DecodeStageRecord(bytes), r);
  static_assert(DecodeStageRecord(expected).Code == 999);
}

// Each enemy is one row of the table: its look, worth and procedures. No other table of
// stage codes, no switch on them and no positional list of Work words may come back.
TEST(StageCodes, EachEnemyIsDefinedInItsRowAlone) {
  const std::regex second(R"(StageCode\{|case (1[0-9]{2}|[0-9]{1,2}):|SetWords\(|\bBehaviour::)");
  for (const std::string& line :
       testing_support::SourceLinesMatching(second, {"game"}, {"game/play/stage_codes.h"})) {
    ADD_FAILURE() << line;
  }
}

}  // namespace
