// The stage scripts the game ships: they compile cleanly, the built files match them,
// and each stage spawns its own enemies and ends with its boss and the clear record.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tools/common/file_io.h"
#include "tools/stagec/stage_checks.h"
#include "tools/stagec/stage_file.h"
#include "tools/stagec/stage_text.h"

namespace {

using namespace tolvane;

stagec::ParsedStage Load(int stage) {
  const std::string path =
      std::string(TOLVANE_SOURCE_DIR) + "/content/stages/stage" + std::to_string(stage) + ".txt";
  const auto text = tools::ReadText(path);
  EXPECT_TRUE(text.has_value()) << path;
  return stagec::ParseStageText(text.value_or(""));
}

std::set<int> Codes(const stagec::ParsedStage& s) {
  std::set<int> codes;
  for (const StageRecord& r : s.records) codes.insert(r.Code);
  return codes;
}

TEST(ContentStages, EveryStageCompilesWithoutWarningsAndMatchesItsBuiltFile) {
  for (int stage = 1; stage <= 5; ++stage) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const stagec::ParsedStage parsed = Load(stage);
    EXPECT_TRUE(parsed.problems.empty());
    const stagec::Problems problems =
        stagec::CheckStage(parsed.records, parsed.lines, parsed.lastLine);
    for (const auto& p : problems) ADD_FAILURE() << stagec::FormatProblem("stage", true, p);

    const std::vector<uint8_t> bytes = stagec::EncodeStageFile(parsed.records);
    const auto built = tools::ReadBytes(std::string(TOLVANE_BINARY_DIR) + "/game/stage" +
                                        std::to_string(stage) + ".bin");
    ASSERT_TRUE(built.has_value()) << "the build did not produce the stage file";
    EXPECT_EQ(*built, bytes);
    // Decompiling the built file and compiling the text again gives the same bytes.
    const stagec::ParsedStage again =
        stagec::ParseStageText(stagec::FormatStageText(stagec::DecodeStageFile(*built).records));
    EXPECT_EQ(stagec::EncodeStageFile(again.records), bytes);
    EXPECT_EQ(parsed.records.back().Code, kCodeStageClear);
  }
}

TEST(ContentStages, EachStageHasItsEnemiesBossCaptionAndPictures) {
  struct Plan {
    std::set<int> enemies;
    std::set<int> bosses;
    int firstPicture;
    int lastPicture;
  };
  const Plan plans[5] = {
      {{1, 2, 3, 4, 10, 11, 12, 105}, {100}, 1, 8},
      {{5, 6, 7, 8, 9, 29}, {113, 102}, 9, 26},
      {{13, 14, 16, 17}, {104}, 27, 40},
      {{18, 19, 20, 21, 22, 25, 26, 27, 28}, {108, 107}, 41, 64},
      {{15, 23, 24, 105, 111, 112, 152, 153, 154, 157}, {109, 110}, 65, 91},
  };
  for (int stage = 1; stage <= 5; ++stage) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const stagec::ParsedStage parsed = Load(stage);
    const std::set<int> codes = Codes(parsed);
    const Plan& plan = plans[stage - 1];
    for (int code : plan.enemies) EXPECT_TRUE(codes.count(code)) << "code " << code << " missing";
    for (int code : plan.bosses) EXPECT_TRUE(codes.count(code)) << "boss " << code << " missing";
    bool caption = false;
    for (const StageRecord& r : parsed.records) {
      if (r.Code == kCodeBossCaption) caption = caption || r.ArgX == stage;
      if (r.Code == kCodePicture) {
        EXPECT_GE(r.ArgX, plan.firstPicture);
        EXPECT_LE(r.ArgX, plan.lastPicture);
        EXPECT_GT(r.ArgY, 0) << "a picture needs a hold time";
      }
    }
    EXPECT_TRUE(caption) << "no boss caption for this stage";
    // The stage ends with its boss and the Halt after it; between the Halt and the clear
    // record nothing is spawned (a closing picture or a scroll change at most).
    const auto& recs = parsed.records;
    size_t last = recs.size() - 1;
    while (last > 0 && recs[last - 1].Code != kCodeHalt) {
      const StageCode* code = FindStageCode(recs[last - 1].Code);
      ASSERT_NE(code, nullptr);
      EXPECT_NE(code->action, CodeAction::Spawn)
          << "record " << last - 1 << " spawns after the boss";
      --last;
    }
    ASSERT_GE(last, 2u) << "no Halt before the clear record";
    const StageCode* lastBoss = FindStageCode(recs[last - 2].Code);
    ASSERT_NE(lastBoss, nullptr);
    EXPECT_TRUE(IsBoss(*lastBoss));
  }
}

// A drifter is freed once off any edge, so each must start where its first step leaves it on
// screen (x 0 would mean 550); the fortress's pods and darts drop what its Halt record says.
TEST(ContentStages, DriftersStartWithinReachAndTheFortressHaltCarriesItsDrop) {
  const int32_t drifter = FindStageCodeByName("Drifter")->code;
  const int32_t fortress = FindStageCodeByName("FortressBoss")->code;
  int drifters = 0;
  for (int stage = 1; stage <= 5; ++stage) {
    SCOPED_TRACE("stage " + std::to_string(stage));
    const stagec::ParsedStage parsed = Load(stage);
    const auto& recs = parsed.records;
    for (size_t i = 0; i < recs.size(); ++i) {
      if (recs[i].Code == drifter) {
        ++drifters;
        EXPECT_GT(recs[i].ArgX, 0) << "record " << i;
        EXPECT_LE(recs[i].ArgX, 512) << "record " << i;
      }
      if (recs[i].Code == fortress) {
        ASSERT_LT(i + 1, recs.size());
        EXPECT_EQ(recs[i + 1].Code, kCodeHalt);
        EXPECT_EQ(recs[i + 1].Extra, 4) << "pods and darts drop protection items";
      }
    }
  }
  EXPECT_EQ(drifters, 20);
}

}  // namespace
