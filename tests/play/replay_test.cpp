// A replay: a small stage played by a scripted pad for 800 frames through the frame
// driver on the built archive. Its end state was recorded and reviewed; any change of
// game behaviour shows up here. When a change is intended, review the new values (the
// failure prints them) and record them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "game/engine/pad_input.h"
#include "game/play/game_state.h"
#include "game/play/player.h"
#include "game/play/stage_script.h"
#include "tests/support/play_harness.h"

namespace tolvane {
namespace {

using testing::PlayHarness;

// The stage: small enemies with drops, a large enemy, a boss with its halt, then the clear.
const std::vector<StageRecord> kReplayStage = {
    {30, 1, 500, 160, 1},   // Swooper, drops a weapon item
    {60, 2, 0, 160, 0},     // Glider, default X
    {90, 4, 0, 160, 4},     // Charger, drops a protection item
    {140, 5, 550, 160, 0},  // three darts in a row: a kill's blasts can take the next
    {140, 5, 575, 160, 0},  {140, 5, 600, 160, 0},
    {200, 150, 1, 60, 0},    // a picture for 60 frames
    {230, 10, 512, 100, 0},  // three Drifters, coming in at the right edge
    {230, 10, 512, 160, 0}, {230, 10, 512, 220, 0},
    {300, 11, 0, 0, 2},     // TwinSplitter at a random height, drops a weapon item
    {330, 151, 1, 0, 0},    // caption and slow scroll
    {340, 113, 0, 160, 3},  // DrifterBoss
    {340, 0, 0, 0, 0},      // halt until it dies
    {350, 155, 0, 0, 0},    {420, 999, 0, 0, 0},
};

void StageCleared(TActor& actor) {
  actor.Move = nullptr;
}

struct Recorded {
  int32_t score;
  int32_t maxCombo;
  int actors;
  uint64_t digest;
};

TEST(ReplayTest, EightHundredFramesOfAScriptedStage) {
  PlayHarness harness(PlayHarness::ArchiveSource::Built);
  if (!harness.ArchiveLoaded())
    GTEST_SKIP() << "no built archive at " << testing::BuiltArchivePath();
  harness.BuildPlayScene(1, 30);
  PlayHarness::LoadScript(kReplayStage);
  StageClearHook = StageCleared;

  harness.Hold(PadButton1);  // fire held all the way
  for (int frame = 1; frame <= 800; ++frame) {
    harness.Hold(PadUp, (frame >= 250 && frame < 255) || (frame >= 290 && frame < 295));
    harness.Hold(PadDown, frame >= 270 && frame < 280);
    harness.Hold(PadRight, frame >= 320 && frame < 330);
    harness.Hold(PadButton2, frame == 120 || frame == 121 || (frame >= 300 && frame < 304));
    harness.RunFrames(1);
  }
  const Recorded got{Score, MaxCombo, PlayHarness::ActiveCount(), PlayHarness::PoolDigest()};
  int orbs = 0;
  for (const TActor* orb : ProtectionActors) orbs += orb->Image != kNoImage ? 1 : 0;
  std::printf(
      "replay: Score %d, MaxCombo %d, actors %d, digest 0x%016llx; weapon %d, levels %d/%d/%d, "
      "orbs %d, tails %d, script at %d\n",
      got.score, got.maxCombo, got.actors, static_cast<unsigned long long>(got.digest),
      PlayerActor->Work[kWeapon], WeaponLevel(*PlayerActor, 0), WeaponLevel(*PlayerActor, 1),
      WeaponLevel(*PlayerActor, 2), orbs, Tails, ScriptPos);

  // Reviewed: swooper 100, glider 200, charger 100 (its protection item taken), one dart
  // by a level-1 blast (100) while the other two fly off to the left, one of them costing
  // a tail on the way; one drifter by a level-1 blast (800), the other two fly off;
  // the twin splitter's twin half (200) while the other half leaves by the top; the
  // drifter boss 20000 (it circles in from x 550 and falls near frame 575); the script
  // resumed after the boss and reached the stage clear 80 frames later.
  const Recorded expected{21500, 2, 39, 0xeb58db77cdacfa67ULL};
  EXPECT_EQ(ScriptPos, 15);
  EXPECT_EQ(StageActor->Move, nullptr);
  EXPECT_EQ(got.score, expected.score);
  EXPECT_EQ(got.maxCombo, expected.maxCombo);
  EXPECT_EQ(got.actors, expected.actors);
  EXPECT_EQ(got.digest, expected.digest);
}

}  // namespace
}  // namespace tolvane
