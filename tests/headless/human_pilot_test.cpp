// The human-like pilot on a play screen built by the harness: though its hands act six
// frames after it sees, it gets out of the way of what it saw coming; and its slips are its
// own seeded chances, the same for the same seed and others for another.
#include "tools/headless/human_pilot.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/engine/actor_pool.h"
#include "game/engine/pad_input.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"
#include "tests/support/play_harness.h"

namespace tolvane::headless {
namespace {

using testing::PlayHarness;

constexpr int32_t kLeft = 128;  // polar angle straight left, in 256ths
constexpr int32_t kPersonLag = 6;

class HumanPilotTest : public ::testing::Test {
 protected:
  HumanPilotTest() { harness_.UsePlaySizes(); }

  void Build() {
    harness_.BuildPlayScene(1, 1);
    harness_.PlacePlayer(100, 160);
  }

  // Runs frames with the pilot steering; returns where the player was after each.
  std::vector<int32_t> Run(HumanPilot& pilot, PilotBrain& brain, int frames) {
    std::vector<int32_t> track;
    for (int i = 0; i < frames; ++i) {
      const PilotStep step = pilot.Step(brain);
      harness_.ReleaseAll();
      if (step.dx < 0) harness_.Hold(PadLeft);
      if (step.dx > 0) harness_.Hold(PadRight);
      if (step.dy < 0) harness_.Hold(PadUp);
      if (step.dy > 0) harness_.Hold(PadDown);
      harness_.RunFrames(1);
      track.push_back(PlayerActor->X * 1000 + PlayerActor->Y);
    }
    return track;
  }

  // Shots flying left at the player's height from further and further away.
  static void ShotsInARow() {
    for (int32_t i = 0; i < 8; ++i)
      NewPolarShot(kBulletImage, 400 + 60 * i, 150 + 6 * (i % 3), kLeft, 9);
  }

  PlayHarness harness_;
};

TEST_F(HumanPilotTest, WhatItSawComingIsDodgedThoughItActsLate) {
  for (uint64_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    Build();
    NewPolarShot(kBulletImage, 330, 160, kLeft, 10);
    HumanPilot pilot(seed, kPersonLag);
    PilotBrain brain;
    Run(pilot, brain, 40);
    EXPECT_EQ(Tails, 3);
  }
}

TEST_F(HumanPilotTest, TheSameSeedPlaysTheSameAndAnotherSeedOtherwise) {
  std::vector<std::vector<int32_t>> tracks;
  for (uint64_t seed : {7u, 7u, 8u}) {
    Build();
    ShotsInARow();
    HumanPilot pilot(seed, kPersonLag);
    PilotBrain brain;
    tracks.push_back(Run(pilot, brain, 120));
  }
  EXPECT_EQ(tracks[0], tracks[1]);
  EXPECT_NE(tracks[0], tracks[2]);
}

}  // namespace
}  // namespace tolvane::headless
