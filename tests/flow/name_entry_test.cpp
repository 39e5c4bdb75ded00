// The name entry after a placed game over: the grid, the letters, deleting, the length
// limit, ending with "*", the stored table, and the name display.
#include "game/flow/name_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "game/engine/actor_pool.h"
#include "game/engine/sound.h"
#include "game/flow/game_progress.h"
#include "game/flow/high_scores.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "presentation/services.h"
#include "tests/flow/flow_fixture.h"

namespace tolvane::testing {
namespace {

TEST(Letters, TheGridHoldsTheAlphabetRowByRowWithTheCommandsLast) {
  EXPECT_EQ(LetterAt(0, 0), 'A');
  EXPECT_EQ(LetterAt(12, 0), 'M');
  EXPECT_EQ(LetterAt(0, 2), 'a');
  EXPECT_EQ(LetterAt(10, 4), '-');
  EXPECT_EQ(LetterAt(11, 4), '/');
  EXPECT_EQ(LetterAt(12, 4), '*');
  EXPECT_EQ(LetterPattern('A'), 0);
  EXPECT_EQ(LetterPattern('a'), 26);
  EXPECT_EQ(LetterPattern('9'), 61);
  EXPECT_EQ(LetterPattern('-'), 62);
  for (char c : {'/', '*', ' ', '?', '\0', '\xe5'}) EXPECT_EQ(LetterPattern(c), -1) << int(c);
}

class NameEntryTest : public FlowTest {
 protected:
  // A game-over actor that has waited its 200 frames, with the score to place.
  TActor& GameOverAfter(int32_t score) {
    Score = score;
    TActor& actor = NewActor(LayerBack);
    actor.Work[kDeathTimer] = 199;
    actor.Move = GameOverMove;
    RunFrames(2);  // placement, then the entry is built
    return actor;
  }
  std::string FileText() {
    std::ifstream in(SettingsPath(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(NameEntryTest, AnEqualScoreEntersBelowAndTheEntryGetsTodaysDate) {
  for (int32_t n = 0; n < kRankCount; ++n)
    SetRankFromText(n, "OLD " + std::to_string(1000 - n * 100) + " 2000 1 1");
  TActor& actor = GameOverAfter(700);
  EXPECT_EQ(actor.Work[kPlaceWord], 4);
  EXPECT_EQ(actor.Move, NameEntryMove);
  EXPECT_EQ(RankScore[3], 700);
  EXPECT_EQ(RankName[3], "OLD");
  EXPECT_EQ(RankName[4], "");
  EXPECT_EQ(RankScore[4], 700);
  EXPECT_EQ(RankYear[4], 2031);
  EXPECT_EQ(RankMonth[4], 4);
  EXPECT_EQ(RankDay[4], 7);
  EXPECT_EQ(RankScore[9], 200);  // the former tenth (100) is gone
  EXPECT_EQ(CountImage(pic::kNameLetters), 65);
  EXPECT_EQ(CountImage(pic::kEnterYourName), 1);
}

TEST_F(NameEntryTest, NamesTakeSixLettersAndDeletingWorksBothWays) {
  TActor& actor = GameOverAfter(500);
  ASSERT_EQ(actor.Work[kPlaceWord], 0);
  const size_t sounds = waves_.played.size();
  Press(PadButton2);  // nothing to delete: silent
  EXPECT_EQ(waves_.played.size(), sounds);
  for (int i = 0; i < 7; ++i) Press(PadButton1);  // "A" seven times
  EXPECT_EQ(RankName[0], "AAAAAA");
  EXPECT_EQ(std::count(waves_.played.begin(), waves_.played.end(), kSoundLetter),
            6);  // the seventh is silent
  Press(PadButton2);
  EXPECT_EQ(RankName[0], "AAAAA");
  PickLetter(actor, 11, 4);  // "/"
  EXPECT_EQ(RankName[0], "AAAA");
  Press(PadLeft);
  Press(PadButton1);  // "-"
  EXPECT_EQ(RankName[0], "AAAA-");
  // The letter under the cursor swells; the one it left is plain again.
  const TActor& holder = ActorAt(actor.Work[kGridHolderWord]);
  EXPECT_EQ(ActorAt(holder.Work[4 * 13 + 10]).Work[1], 100);
  EXPECT_EQ(ActorAt(holder.Work[4 * 13 + 11]).Work[1], 40);
}

TEST_F(NameEntryTest, CursorWrapsAroundTheGridWithASoundPerMove) {
  TActor& actor = GameOverAfter(500);
  const size_t sounds = waves_.played.size();
  Press(PadUp);
  Press(PadLeft);
  EXPECT_EQ(actor.Work[kCursorRowWord], 4);
  EXPECT_EQ(actor.Work[kCursorColumnWord], 12);
  EXPECT_EQ(waves_.played.size(), sounds + 2);
  Press(PadDown);
  Press(PadRight);
  EXPECT_EQ(actor.Work[kCursorRowWord], 0);
  EXPECT_EQ(actor.Work[kCursorColumnWord], 0);
}

TEST_F(NameEntryTest, StarWithAnEmptyNameStoresTailWritesAllTenKeysAndGoesOn) {
  RankName[7].clear();  // an empty name elsewhere becomes TAIL too
  TActor& actor = GameOverAfter(300);
  PickLetter(actor, 12, 4);  // "*"
  EXPECT_EQ(RankName[0], "TAIL");
  EXPECT_EQ(RankName[8], "TAIL");
  const std::string text = FileText();
  EXPECT_NE(text.find("RANK0=TAIL 300 2031 4 7"), std::string::npos);
  for (int n = 1; n < kRankCount; ++n)
    EXPECT_NE(text.find("RANK" + std::to_string(n) + "=TAIL 0 2000 1 1"), std::string::npos);
  EXPECT_EQ(CountImage(pic::kNameLetters), 0);
  EXPECT_EQ(CountImage(pic::kEnterYourName), 0);
  EXPECT_EQ(actor.Move, ContinueMove);  // the continue screen is up
}

TEST_F(NameEntryTest, TheNameIsDrawnCentredWithItsCursorAndUnknownLettersDrawNothing) {
  harness_->SetEntrySize(202, 20, 20, 65);
  harness_->SetEntrySize(204, 20, 20, 1);
  TActor& actor = GameOverAfter(500);
  const int32_t n = actor.Work[kPlaceWord];
  RankName[static_cast<size_t>(n)] = "A?";  // "?" only reaches here through a hand-edited file
  TActor display{};
  display.Work[kNameDisplayPlace] = n;
  pres::Display& screen = harness_->Display();
  screen.Fill(0);
  NameDraw(display);
  const std::vector<uint32_t> pixels = screen.ReadBackBuffer();
  auto at = [&pixels](int x, int y) { return pixels[static_cast<size_t>(y * 480 + x)]; };
  // Three cells of 44 from x = 240 - 3 * 44 / 2 = 174, top 80.
  EXPECT_NE(at(174 + 5, 85), 0u);       // "A"
  EXPECT_EQ(at(174 + 44 + 5, 85), 0u);  // "?" draws nothing
  EXPECT_NE(at(174 + 88 + 5, 85), 0u);  // the cursor
  EXPECT_EQ(at(174 - 5, 85), 0u);
}

}  // namespace
}  // namespace tolvane::testing
