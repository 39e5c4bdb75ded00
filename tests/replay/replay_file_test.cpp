// The replay file: what is written reads back whole, and a file that is not a replay of this
// version, or is cut short or damaged, is named for what it is instead of being believed.
#include "game/replay/replay_file.h"

#include <gtest/gtest.h>

#include <variant>

namespace tolvane {
namespace {

Replay SmallReplay() {
  Replay r;
  r.dataDigest = 0x0123456789ABCDEFull;
  r.date = {2024, 5, 17, 21, 3, 9};
  r.finalScore = 123450;
  r.stageReached = 3;
  r.frames = 130;
  r.finalDigest = 0xFEDCBA9876543210ull;
  r.start.frameCount = 77;
  r.start.newGameSlot = 299;
  r.start.keySequenceIndex = 8;
  r.start.options = kOptionBackground | kOptionSound;
  r.start.startStage = 2;
  r.start.startWeaponLevel = {17, 17, 17};
  r.start.maxSkip = 3;
  r.start.frameRate = 31;
  r.start.random.seed[4] = 0xDEADBEEF;
  r.start.random.counter[1] = 12;
  r.start.ranks[0] = {"ZED", 99999, 2023, 12, 31};
  r.start.leftovers[5].work[3] = -7;
  r.start.leftovers[5].work[64] = 1 << 30;
  r.start.leftovers[kPoolSize].work[0] = 42;  // the scratch actor
  r.start.leftovers[12].animTable = 2;
  const FrameSample fire = FrameSample{1} << 4;
  r.runs = {{fire, 40}, {fire | 1, 10}, {kSkippedFrame | (FrameSample{1} << 40), 79}, {0, 1}};
  r.rates = {{0, 30}, {64, 32}};
  r.digests = {111, 222};
  return r;
}

std::vector<uint8_t> Encoded() {
  return EncodeReplay(SmallReplay());
}

ReplayFault FaultOf(const std::vector<uint8_t>& bytes) {
  auto decoded = DecodeReplay(bytes);
  const auto* error = std::get_if<ReplayFileError>(&decoded);
  return error != nullptr ? error->fault : ReplayFault(-1);
}

TEST(ReplayFile, WhatIsWrittenReadsBackWhole) {
  const Replay original = SmallReplay();
  auto decoded = DecodeReplay(EncodeReplay(original));
  ASSERT_TRUE(std::holds_alternative<Replay>(decoded));
  const Replay& r = std::get<Replay>(decoded);
  EXPECT_EQ(r.dataDigest, original.dataDigest);
  EXPECT_EQ(r.date.year, 2024);
  EXPECT_EQ(r.date.second, 9);
  EXPECT_EQ(r.finalScore, 123450);
  EXPECT_EQ(r.stageReached, 3);
  EXPECT_EQ(r.frames, 130u);
  EXPECT_EQ(r.finalDigest, original.finalDigest);
  EXPECT_EQ(r.start.frameCount, 77);
  EXPECT_EQ(r.start.newGameSlot, 299);
  EXPECT_EQ(r.start.options, original.start.options);
  EXPECT_EQ(r.start.startWeaponLevel, original.start.startWeaponLevel);
  EXPECT_EQ(r.start.random.seed, original.start.random.seed);
  EXPECT_EQ(r.start.random.counter, original.start.random.counter);
  EXPECT_EQ(r.start.ranks[0].name, "ZED");
  EXPECT_EQ(r.start.ranks[0].score, 99999);
  for (size_t n = 0; n < kLeftoverCount; ++n) {
    EXPECT_EQ(r.start.leftovers[n].work, original.start.leftovers[n].work) << "slot " << n;
    EXPECT_EQ(r.start.leftovers[n].animTable, original.start.leftovers[n].animTable);
  }
  ASSERT_EQ(r.runs.size(), original.runs.size());
  for (size_t n = 0; n < r.runs.size(); ++n) {
    EXPECT_EQ(r.runs[n].sample, original.runs[n].sample);
    EXPECT_EQ(r.runs[n].frames, original.runs[n].frames);
  }
  ASSERT_EQ(r.rates.size(), 2u);
  EXPECT_EQ(r.rates[1].frame, 64u);
  EXPECT_EQ(r.rates[1].rate, 32);
  EXPECT_EQ(r.digests, original.digests);
}

TEST(ReplayFile, BadBytesAreNamedForWhatTheyAre) {
  const std::vector<uint8_t> good = Encoded();
  EXPECT_EQ(FaultOf({}), ReplayFault::NotAReplay);
  EXPECT_EQ(FaultOf({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}), ReplayFault::NotAReplay);

  for (size_t cut : {size_t{9}, size_t{40}, good.size() / 2, good.size() - 1}) {
    EXPECT_EQ(FaultOf(std::vector<uint8_t>(good.begin(), good.begin() + long(cut))),
              ReplayFault::Truncated)
        << "cut at " << cut;
  }

  std::vector<uint8_t> later = good;
  later[8] = 2;
  auto decoded = DecodeReplay(later);
  ASSERT_TRUE(std::holds_alternative<ReplayFileError>(decoded));
  EXPECT_EQ(std::get<ReplayFileError>(decoded).fault, ReplayFault::OtherVersion);
  EXPECT_EQ(std::get<ReplayFileError>(decoded).version, 2);

  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_EQ(FaultOf(longer), ReplayFault::Corrupted);
  std::vector<uint8_t> score = good;
  score[33] ^= 0x10;  // the final score: the listing must not show a changed one
  EXPECT_EQ(FaultOf(score), ReplayFault::Corrupted);
  std::vector<uint8_t> digest = good;
  digest.back() ^= 1;
  EXPECT_EQ(FaultOf(digest), ReplayFault::Corrupted);
}

TEST(ReplayFile, ChangedInputsStillReadSoTheDigestsCatchThem) {
  std::vector<uint8_t> bytes = Encoded();
  const Replay original = SmallReplay();
  // The inputs follow the header and the start section; their first byte is the first sample.
  const size_t startSize = bytes[48] | size_t{bytes[49]} << 8;
  bytes[kReplayHeaderSize + startSize] ^= 1;
  auto decoded = DecodeReplay(bytes);
  ASSERT_TRUE(std::holds_alternative<Replay>(decoded));
  EXPECT_NE(std::get<Replay>(decoded).runs[0].sample, original.runs[0].sample);
}

}  // namespace
}  // namespace tolvane
