#pragma once
// A play screen with the player at (40, 160) and an empty script, and enemies placed by
// hand with 32 x 32 pictures (hot spot 16, 16), so a test can run a behaviour frame by
// frame and compare its path with values worked out from its formula.
#include <gtest/gtest.h>

#include "game/engine/actor_pool.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "tests/support/play_harness.h"

namespace tolvane {

class EnemyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.UsePlaySizes();
    harness_.BuildPlayScene(1, 1);
    testing::PlayHarness::LoadScript({});
    harness_.PlacePlayer(40, 160);
  }
  static TActor& Enemy(MoveProc move, int32_t x, int32_t y, int32_t hitPoints = 10,
                       uint8_t kind = KindEnemy) {
    TActor& e = NewActor(LayerBack);
    SetImage(e, pic::kSwooper);
    e.X = x;
    e.Y = y;
    e.Kind = kind;
    SetEnemyWords(e, 0, 100, hitPoints);
    e.Move = move;
    return e;
  }
  // Runs the actor's own MoveProc (whichever state it is in) the given number of times.
  static void Step(TActor& actor, int frames = 1) {
    for (int i = 0; i < frames && actor.Active != 0; ++i) actor.Move(actor);
  }
  static int Count(MoveProc move) {
    int n = 0;
    for (const TActor& a : ActorPool) n += (a.Active != 0 && a.Move == move) ? 1 : 0;
    return n;
  }

  testing::PlayHarness harness_;
};

}  // namespace tolvane
