#include <string>

#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/engine/work_slots.h"
#include "tests/engine/engine_fixture.h"

namespace tolvane {
namespace {

constexpr int kVkShift = 16;
constexpr int kVkSpace = 32;
constexpr int kVkUp = 38;
constexpr int kVkDown = 40;

class MenuKeyTest : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    input_.SetBinding(pres::kInputUp, {kVkUp, 0, 0});
    input_.SetBinding(pres::kInputDown, {kVkDown, 0, 0});
    input_.SetBinding(pres::kInputButton1, {kVkSpace, 0, 0});
    input_.SetBinding(pres::kInputButton1 + 2, {kVkShift, 0, 0});
    pres::Services().input = &input_;
  }

  // One call of ReadMenuKey; the reported input as a letter, '.' for none.
  char Call(TActor& reader) {
    TPadState keys{};
    ReadMenuKey(reader, keys);
    const char names[] = "UDLRAB";
    char got = '.';
    int count = 0;
    for (int bit = 0; bit < kPadStates; ++bit) {
      if (!PadHeld(keys, bit)) continue;
      ++count;
      got = bit < 6 ? names[bit] : '?';
    }
    return count > 1 ? '!' : got;
  }
  std::string Calls(TActor& reader, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += Call(reader);
    return out;
  }

  pres::InputDevice input_;
};

TEST_F(MenuKeyTest, HeldKeyRepeatsAfterSixThenEveryTwoAndStopsOnRelease) {
  TActor& reader = NewActor(LayerBack);
  reader.Work.fill(0);
  input_.KeyDown(kVkDown);
  EXPECT_EQ(Calls(reader, 10), "D.....D.D.") << "frames 0, 6 and 8";
  input_.KeyUp(kVkDown);
  EXPECT_EQ(Calls(reader, 8), "........");
  input_.KeyDown(kVkDown);
  EXPECT_EQ(Calls(reader, 3), "D..") << "a new press after release reports at once";
}

TEST_F(MenuKeyTest, TwoKeysInOneFrameReportTheFirstInOrderOnly) {
  TActor& reader = NewActor(LayerBack);
  reader.Work.fill(0);
  input_.KeyDown(kVkDown);
  input_.KeyDown(kVkUp);
  EXPECT_EQ(Calls(reader, 9), "U.....U.U");
  input_.KeyUp(kVkUp);
  EXPECT_EQ(Calls(reader, 8), "........") << "down was never newly pressed";
  input_.KeyUp(kVkDown);
  Call(reader);
  input_.KeyDown(kVkDown);
  EXPECT_EQ(Call(reader), 'D');
}

TEST_F(MenuKeyTest, PressingAnotherKeySwitchesAtOnce) {
  TActor& reader = NewActor(LayerBack);
  reader.Work.fill(0);
  input_.KeyDown(kVkDown);
  EXPECT_EQ(Calls(reader, 3), "D..");
  input_.KeyDown(kVkSpace);
  EXPECT_EQ(Calls(reader, 7), "A.....A");
}

TEST_F(MenuKeyTest, ButtonThreeDoesNotDisturbARepeat) {
  TActor& reader = NewActor(LayerBack);
  reader.Work.fill(0);
  input_.KeyDown(kVkDown);
  EXPECT_EQ(Calls(reader, 4), "D...");
  input_.KeyDown(kVkShift);
  EXPECT_EQ(Calls(reader, 6), "..D.D.") << "same rhythm as without it";
  input_.KeyUp(kVkShift);
  EXPECT_EQ(Calls(reader, 2), "D.");
}

TEST_F(MenuKeyTest, KeyHeldWhileAScreenOpensIsNotAPress) {
  input_.KeyDown(kVkSpace);
  TActor& reader = NewMenuKeyReader();
  EXPECT_EQ(reader.Work[kMenuCurrentWord], 5) << "primed on the held button";
  EXPECT_EQ(Calls(reader, 7), ".....A.") << "only the repeat, 6 calls after priming";
}

TEST_F(MenuKeyTest, MenuReaderClearsLeftoverWords) {
  TActor& old = NewActor(LayerBack);
  old.Work.fill(1);  // leftovers of a previous occupant: every input "held"
  old.Active = 0;
  TActor& reader = NewMenuKeyReader();
  ASSERT_EQ(&reader, &old);
  input_.KeyDown(kVkUp);
  EXPECT_EQ(Call(reader), 'U');
}

TEST_F(MenuKeyTest, ReadPadPacksStatesIntoFiveBytes) {
  input_.SetBinding(35, {'Q', 0, 0});  // button 32, the last state
  input_.KeyDown(kVkDown);
  input_.KeyDown(kVkShift);
  input_.KeyDown('Q');
  TPadState pad{};
  ReadPad(pad);
  EXPECT_EQ(pad[0], 0b0100'0010) << "down (bit 1) and button 3 (bit 6)";
  EXPECT_EQ(pad[4], 0b0000'1000) << "state 35 is bit 3 of byte 4";
  EXPECT_EQ(pad[1] | pad[2] | pad[3], 0);
  pres::Services().input = nullptr;
  ReadPad(pad);
  EXPECT_EQ(pad, TPadState{}) << "no input device: nothing held";
}

}  // namespace
}  // namespace tolvane
