// stagec: stage texts to stage files and back, and every refusal as the user sees it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/stagec/stage_checks.h"
#include "tools/stagec/stage_file.h"
#include "tools/stagec/stage_text.h"

namespace {

using tolvane::StageRecord;

// Parses and checks a text; returns the user-visible lines of every problem.
std::vector<std::string> Messages(const std::string& text) {
  const stagec::ParsedStage parsed = stagec::ParseStageText(text);
  stagec::Problems problems = parsed.problems;
  if (problems.empty())
    problems = stagec::CheckStage(parsed.records, parsed.lines, parsed.lastLine);
  std::vector<std::string> out;
  for (const auto& p : problems) out.push_back(stagec::FormatProblem("s.txt", true, p));
  return out;
}

const char* const kStage =
    "# a small stage\n"
    "   60  Swooper      0  80   0\n"
    "   60  glider       0   0   4   ; lower-case names work\n"
    "  120  3          500 -20   0\n"
    "  200  Picture      1 100  20\n"
    "  300  BossCaption  1\n"
    "  400  WandererBoss\n"
    "  400  Halt\n"
    "  500  StageClear\n";

TEST(StagecRoundTrip, TextFileTextFileGivesIdenticalBytes) {
  const stagec::ParsedStage first = stagec::ParseStageText(kStage);
  ASSERT_TRUE(first.problems.empty());
  ASSERT_TRUE(stagec::CheckStage(first.records, first.lines, first.lastLine).empty());
  EXPECT_EQ(first.records[1], (StageRecord{60, 2, 0, 0, 4}));
  EXPECT_EQ(first.records[2], (StageRecord{120, 3, 500, -20, 0}));
  EXPECT_EQ(first.records[3], (StageRecord{200, 150, 1, 100, 20}));
  EXPECT_EQ(first.lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}));

  const std::vector<uint8_t> bytes = stagec::EncodeStageFile(first.records);
  ASSERT_EQ(bytes.size(), 8u * 20u);
  const stagec::DecodedStage decoded = stagec::DecodeStageFile(bytes);
  EXPECT_EQ(decoded.records, first.records);
  const std::string text = stagec::FormatStageText(decoded.records);
  EXPECT_NE(text.find("Swooper"), std::string::npos);
  EXPECT_NE(text.find("# archive entry 15"), std::string::npos);
  const stagec::ParsedStage again = stagec::ParseStageText(text);
  EXPECT_TRUE(again.problems.empty());
  EXPECT_EQ(stagec::EncodeStageFile(again.records), bytes);
}

TEST(StagecRoundTrip, AnyFileDecompilesToTextThatCompilesBack) {
  // Unknown codes and extreme values still survive decompiling, even though compiling such
  // a text is refused by the stage rules.
  const std::vector<StageRecord> odd{{0, 42, -2147483647 - 1, 2147483647, -5}, {7, 999, 0, 0, 0}};
  std::vector<uint8_t> bytes = stagec::EncodeStageFile(odd);
  bytes.push_back(0xAB);  // a partial record the game ignores
  const stagec::DecodedStage decoded = stagec::DecodeStageFile(bytes);
  EXPECT_EQ(decoded.trailingBytes, 1u);
  const std::string text = stagec::FormatStageText(decoded.records);
  EXPECT_NE(text.find("# unknown code"), std::string::npos);
  const stagec::ParsedStage parsed = stagec::ParseStageText(text);
  EXPECT_TRUE(parsed.problems.empty());
  EXPECT_EQ(parsed.records, odd);
}

TEST(StagecRefusals, SyntaxNamesTheLine) {
  EXPECT_EQ(Messages("10 Swoper\n"),
            (std::vector<std::string>{"s.txt:1: error: unknown code 'Swoper'"}));
  EXPECT_EQ(
      Messages("\n10\n"),
      (std::vector<std::string>{"s.txt:2: error: a record needs at least a time and a code"}));
  EXPECT_EQ(Messages("10 Swooper 1 2 3 4\n"),
            (std::vector<std::string>{
                "s.txt:1: error: too many fields: a record is time, code, x, y, extra"}));
  EXPECT_EQ(Messages("10 Swooper 1x\n"),
            (std::vector<std::string>{"s.txt:1: error: x '1x' is not a whole number"}));
  EXPECT_EQ(Messages("10 Swooper 0 99999999999\n"),
            (std::vector<std::string>{"s.txt:1: error: y '99999999999' is not a whole number"}));
}

TEST(StagecRefusals, StageRulesNameTheLine) {
  EXPECT_EQ(Messages("20 Swooper\n10 Swooper\n30 StageClear\n"),
            (std::vector<std::string>{
                "s.txt:2: error: time 10 is earlier than the time 20 of the record before it"}));
  EXPECT_EQ(Messages("-1 Swooper\n30 StageClear\n"),
            (std::vector<std::string>{
                "s.txt:1: error: time -1 is negative: the record would never fire"}));
  EXPECT_EQ(Messages("10 42\n30 StageClear\n"),
            (std::vector<std::string>{"s.txt:1: error: unknown code 42"}));
  EXPECT_EQ(Messages("10 LancerBoss\n20 Swooper\n20 Halt\n30 StageClear\n"),
            (std::vector<std::string>{"s.txt:1: error: boss record LancerBoss (code 104) is not "
                                      "followed by a Halt record (code 0)",
                                      "s.txt:3: warning: a Halt record that does not follow a boss "
                                      "stops the script for good"}));
  EXPECT_EQ(
      Messages("10 Swooper\n\n# end\n"),
      (std::vector<std::string>{"s.txt:3: error: the stage has no StageClear record (code 999)"}));
  EXPECT_EQ(
      Messages(""),
      (std::vector<std::string>{"s.txt: error: the stage has no StageClear record (code 999)"}));
  EXPECT_EQ(stagec::FormatProblem("empty.bin", false, stagec::CheckStage({}, {}, 0).at(0)),
            "empty.bin: error: the stage has no StageClear record (code 999)");
  EXPECT_EQ(Messages("10 Picture 0 100\n10 Picture 92 100\n30 StageClear\n"),
            (std::vector<std::string>{"s.txt:1: error: picture number 0 is outside 1-91",
                                      "s.txt:2: error: picture number 92 is outside 1-91"}));
  std::string big;
  for (int i = 0; i < 5001; ++i) big += "1 Swooper\n";
  big += "2 StageClear\n";
  EXPECT_EQ(Messages(big),
            (std::vector<std::string>{
                "s.txt:5001: error: more than 5000 records: a stage holds at most 5000"}));
}

TEST(StagecWarnings, KeepTheStageButPointAtSurprises) {
  const auto messages = Messages("10 Picture 3 0\n20 StageClear\n30 Swooper\n");
  EXPECT_EQ(messages,
            (std::vector<std::string>{
                "s.txt:1: warning: a Picture with hold time 0 gets a random hold of 0-319 frames",
                "s.txt:3: warning: records after the StageClear record never fire"}));
  stagec::Problems problems{{3, false, "x"}};
  EXPECT_FALSE(stagec::HasFatal(problems));
  EXPECT_EQ(
      stagec::FormatProblem("stage1.bin", false, stagec::Problem{12, true, "unknown code 42"}),
      "stage1.bin: record 12: error: unknown code 42");
}

}  // namespace
