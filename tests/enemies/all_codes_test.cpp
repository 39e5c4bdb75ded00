// One enemy of every regular code, played headless for 2000 frames with the player firing:
// every one of them and everything they fire must be gone by the end (each leaves the
// field, dies or is freed by its own rule). The end state is recorded as a regression
// check: when a change of behaviour is intended, review the new values (the failure
// prints them) and record them.
#include <cstdio>
#include <string>
#include <vector>

#include "game/engine/pad_input.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "tests/enemies/enemy_fixture.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

// The codes 60 frames apart at fixed heights (the crawlers and divers place themselves
// across the field). Code 15 flies the circler boss's behaviour and is fought with the
// bosses. The drifter comes in at the right edge, as the stages place it: from the default
// x 550 it would be off the field, and so freed, on its first frame.
std::vector<StageRecord> EveryCode() {
  constexpr int32_t kDrifterCode = 10;
  constexpr int32_t kDrifterX = 512;
  std::vector<StageRecord> records;
  int32_t time = 40;
  for (int32_t code = 1; code <= 29; ++code) {
    if (code == 15) continue;
    records.push_back(
        {time, code, code == kDrifterCode ? kDrifterX : 0, 60 + (code * 37) % 200, 0});
    time += 60;
  }
  return records;
}

std::string Describe(const TActor& a) {
  char text[128];
  std::snprintf(text, sizeof text, "slot %d kind %d at (%d, %d) image %d hit points %d", SlotOf(a),
                a.Kind, a.X, a.Y, a.Image, a.Work[kHitPoints]);
  return text;
}

TEST(AllCodesTest, EveryRegularEnemyLeavesDiesOrIsFreedWithin2000Frames) {
  PlayHarness harness;
  harness.UsePlaySizes();
  harness.BuildPlayScene(1, 50);
  PlayHarness::LoadScript(EveryCode());
  harness.FillOrbs(kProtectionCount);
  const int resting = PlayHarness::ActiveCount();

  // The main shot, level with code 15 for the first 700 frames; then, sweeping up and
  // down the field, the spread shot and from frame 1400 the missiles. The last shots
  // fired leave before the end.
  for (int frame = 1; frame <= 2000; ++frame) {
    harness.Hold(PadButton1, frame < 1950);
    harness.Hold(PadButton2, frame == 700 || frame == 1400);
    const bool sweeping = frame > 700;
    const bool goingUp = (frame / 60) % 2 == 0;
    harness.Hold(PadUp, sweeping && goingUp && frame % 4 == 0);
    harness.Hold(PadDown, sweeping && !goingUp && frame % 4 == 0);
    harness.RunFrames(1);
  }
  for (const TActor& a : ActorPool) {
    if (a.Active == 0) continue;
    EXPECT_NE(a.Kind, KindEnemy) << Describe(a);
    EXPECT_NE(a.Kind, KindEnemyShot) << Describe(a);
  }
  EXPECT_EQ(PlayHarness::ActiveCount(), resting) << "only the play screen itself is left";

  const uint64_t digest = PlayHarness::PoolDigest();
  std::printf("all codes: Score %d, MaxCombo %d, tails %d, digest 0x%016llx\n", Score, MaxCombo,
              Tails, static_cast<unsigned long long>(digest));
  // Reviewed (again once code 15 went to the bosses' fights, and once the drifter came in
  // at the right edge): the serpent (5000) and the others shot down make 13300; the popper
  // burst, the fan gunners spent orbs on contact, the rest left by their edges or ended
  // their paths; no tail lost.
  EXPECT_EQ(Score, 13300);
  EXPECT_EQ(MaxCombo, 2);
  EXPECT_EQ(Tails, 3);
  EXPECT_EQ(digest, 0xa3f8b4ec16becb44ULL);
}

}  // namespace
}  // namespace tolvane
