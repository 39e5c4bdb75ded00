#pragma once
// A play screen for boss tests: the player's set and the bosses' pictures at the sizes of the
// real art, a boss spawned by a stage file (its record, the halt after it, the stage clear),
// and a look at what changes from frame to frame.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "game/engine/actor_pool.h"
#include "game/play/game_state.h"
#include "tests/support/play_harness.h"

namespace tolvane::testing {

// Spawn record, halt, and the stage clear one frame after the halt.
std::vector<StageRecord> BossStage(int32_t code, int32_t x, int32_t y);

// Synthetic pictures the size of the bosses' real ones.
void UseBossSizes(PlayHarness& harness);

// The active actors that came into slots free before (a frame's new arrivals).
class NewArrivals {
 public:
  NewArrivals() { Mark(); }
  void Mark();
  // Arrivals since the last mark showing the image.
  std::vector<TActor*> WithImage(int32_t image) const;

 private:
  std::vector<uint8_t> wasActive_;
};

// The boss's look and behaviour from this frame on.
struct BossChange {
  int frame;
  int32_t image;
  MoveProc move;
};

class BossTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Fires the boss's record in frame 1 and returns it; the boss moves in that frame too.
  TActor& SpawnBoss(int32_t code, int32_t x = 0, int32_t y = 160);
  void Run(int frames) {
    harness_.RunFrames(frames);
    frame_ += frames;
  }
  // Damage as a player shot deals it.
  static void Hit(TActor& enemy, int32_t damage);
  // Active actors of the kind.
  static int CountKind(uint8_t kind);
  // The last active actor in slot order running the behaviour, or nullptr.
  static TActor* Running(MoveProc move);

  // Runs frames and notes each frame (counted from the spawn frame, 1) at which the boss's
  // image or behaviour differs from the frame before. After each frame, onFrame (if given)
  // sees that frame's arrivals.
  using Change = BossChange;
  using FrameCheck = std::function<void(const NewArrivals&)>;
  std::vector<Change> Watch(const TActor& boss, int frames, const FrameCheck& onFrame = {});

  PlayHarness harness_;
  int frame_ = 0;  // frames run since the spawn frame (which is 1)
};

}  // namespace tolvane::testing
