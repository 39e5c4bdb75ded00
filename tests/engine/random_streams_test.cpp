#include "game/engine/random_streams.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// Reference values worked out from Seed := Seed * 1566083941 + 1 + Counter (mod 2^32),
// with Counter raised first. Stream 2, seed 3:
//   call 1: 3 * 1566083941 + 1 + 1 = 4698251825; - 2^32 = 403284529 -> mod 100 = 29
//   call 2: 403284529 * 1566083941 + 1 + 2 (mod 2^32) = 1152751704 -> 4
//   call 3: 1152751704 * 1566083941 + 1 + 3 (mod 2^32) = 194831036 -> 36
// Stream 0, seed 918287: 559438317, 589769092, 1532890392.
TEST(RandomStreamsTest, FollowTheirFormulaFromTheFixedSeeds) {
  ResetRandomState();
  RandomReset();
  EXPECT_EQ(RandomNext(2, 100), 29u);
  EXPECT_EQ(RandomNext(2, 100), 4u);
  EXPECT_EQ(RandomNext(2, 100), 36u);
  EXPECT_EQ(RandomNext(0, 1000), 317u);
  EXPECT_EQ(RandomNext(0, 1000), 92u);
  EXPECT_EQ(RandomNext(0, 0xFFFFFFFFu), 1532890392u);
  // Streams 7 and 8 share a seed and so a sequence.
  EXPECT_EQ(RandomNext(7, 0xFFFFFFFFu), 2741936689u);
  EXPECT_EQ(RandomNext(8, 0xFFFFFFFFu), 2741936689u);
}

TEST(RandomStreamsTest, StreamsAreIndependentAndResetRepeatsThem) {
  ResetRandomState();
  RandomReset();
  const uint32_t a = RandomNext(2, 100);
  const uint32_t b = RandomNext(2, 100);
  RandomReset();
  RandomNext(3, 100);
  RandomNext(1, 7);
  EXPECT_EQ(RandomNext(2, 100), a);
  EXPECT_EQ(RandomNext(2, 100), b);
}

TEST(RandomStreamsTest, BeforeTheFirstResetSeedsAreZero) {
  ResetRandomState();
  // 0 * m + 1 + 1 = 2, then 2 * 1566083941 + 1 + 2 = 3132167885 (mod 2^32).
  EXPECT_EQ(RandomNext(4, 0xFFFFFFFFu), 2u);
  EXPECT_EQ(RandomNext(4, 0xFFFFFFFFu), 3132167885u);
}

TEST(RandomStreamsTest, BadArgumentsGiveZeroAndLeaveTheStreamAlone) {
  ResetRandomState();
  RandomReset();
  EXPECT_EQ(RandomNext(2, 0), 0u);
  EXPECT_EQ(RandomNext(9, 100), 0u);
  EXPECT_EQ(RandomNext(-1, 100), 0u);
  EXPECT_EQ(RandomNext(2, 100), 29u) << "stream 2 still at its first value";
}

}  // namespace
}  // namespace tolvane
