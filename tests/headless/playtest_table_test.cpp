// The playtest figures from made-up games: which places count as walls (how many of the
// games that got there lost something within the window, only at the lags asked for, boss
// fights by their own time), how far the games got, and the section put into its document.
#include "tools/headless/playtest_table.h"

#include <gtest/gtest.h>

namespace tolvane::headless {
namespace {

// A try at `stage` that got to `lastClock` and lost something at each clock given.
StageLog Try(int32_t stage, int32_t lastClock, std::vector<int32_t> lossClocks,
             bool cleared = false, bool again = false) {
  StageLog s;
  s.stage = stage;
  s.again = again;
  s.lastClock = lastClock;
  s.lastFrame = lastClock;  // no boss waits: a frame per clock tick from frame 0
  s.lossClocks = lossClocks;
  s.lossFrames = lossClocks;
  if (cleared) s.clearFrame = lastClock;
  return s;
}

PlaytestGame Game(int32_t lag, std::vector<StageLog> stages) {
  return {lag, 1, std::move(stages)};
}

TEST(PlaytestTableTest, AWallIsWhereNearlyEveryGameThatGotThereLostSomething) {
  std::vector<PlaytestGame> games;
  // Nine of ten games lose around clock 1000, half of them around 2000; only three get to
  // 3000, and all three lose there. Lag-9 games, which do not count, all lose at 2500.
  for (int32_t i = 0; i < 10; ++i) {
    std::vector<int32_t> losses;
    if (i < 9) losses.push_back(980 + 10 * i);
    if (i % 2 == 0) losses.push_back(2000);
    if (i < 3) losses.push_back(3010);
    games.push_back(Game(i < 5 ? 3 : 6, {Try(1, i < 3 ? 4000 : 2900, losses)}));
    games.push_back(Game(9, {Try(1, 4000, {2500})}));
  }
  const std::vector<Wall> walls = FindWalls(games, {3, 6}, 62, 0.8, 3);
  ASSERT_EQ(walls.size(), 2u);
  EXPECT_EQ(walls[0].from, (StagePlace{1, -1, 990})) << "at 980 only 7 lie within 62 frames";
  EXPECT_EQ(walls[0].to, 1050) << "the overlapping windows make one wall";
  EXPECT_EQ(walls[0].hit, 9);
  EXPECT_EQ(walls[0].reached, 10);
  EXPECT_EQ(walls[1].from, (StagePlace{1, -1, 3010}));
  EXPECT_EQ(walls[1].hit, 3);
  EXPECT_EQ(walls[1].reached, 3) << "only the games that got there count";

  EXPECT_TRUE(FindWalls(games, {3, 6}, 62, 0.8, 4).size() == 1u) << "too few got to 3000";
}

TEST(PlaytestTableTest, LossesInABossFightArePlacedByTheTimeIntoTheFight) {
  StageLog fight = Try(2, 5800, {});
  fight.waits = {{7000, 5800, 7600}};
  fight.lastFrame = 7700;
  fight.lossClocks = {5790, 5800, 5800};
  fight.lossFrames = {6990, 7300, 7650};
  const std::vector<StagePlace> places = LossPlaces(fight);
  ASSERT_EQ(places.size(), 3u);
  EXPECT_EQ(places[0], (StagePlace{2, -1, 5790})) << "before the boss came";
  EXPECT_EQ(places[1], (StagePlace{2, 5800, 300}));
  EXPECT_EQ(places[2], (StagePlace{2, -1, 5800})) << "after it fell";

  const PlaytestGame game = Game(3, {fight});
  EXPECT_TRUE(Reached(game, {2, 5800, 600}));
  EXPECT_FALSE(Reached(game, {2, 5800, 601})) << "the boss fell 600 frames in";
  EXPECT_FALSE(Reached(game, {2, 2620, 0})) << "no fight held the script at 2620";
  EXPECT_FALSE(Reached(game, {3, -1, 0}));
}

TEST(PlaytestTableTest, TheSectionCountsHowFarTheGamesGotAndReplacesTheOldOne) {
  const std::vector<PlaytestGame> games = {
      Game(6, {Try(1, 5700, {}, true), Try(2, 900, {})}),
      Game(6, {Try(1, 2000, {1000}), Try(1, 5700, {}, true, true), Try(2, 6000, {}, true),
               Try(3, 100, {})}),
  };
  const std::string section = PlaytestSection(games);
  EXPECT_NE(section.find("| 6 | 1 of 2 | 2 of 2 | 1 of 2 | 0 of 2 | 0 of 2 | 0 of 2 |"),
            std::string::npos)
      << section;
  EXPECT_NE(section.find("| 6 | 1 | 3 | 1 | 0/0, 3.0 min, 2 tries |"), std::string::npos)
      << section;

  const std::string first = ReplaceSection("# Playtests\n\nBy hand.\n", "one\n");
  EXPECT_EQ(first.find("# Playtests\n\nBy hand.\n"), 0u);
  const std::string second = ReplaceSection(first + "After.\n", "two\n");
  EXPECT_EQ(second.find("one"), std::string::npos);
  EXPECT_NE(second.find("two\n"), std::string::npos);
  EXPECT_NE(second.find("By hand."), std::string::npos);
  EXPECT_NE(second.find("After."), std::string::npos);
}

}  // namespace
}  // namespace tolvane::headless
