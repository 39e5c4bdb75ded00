#pragma once
// A person at the controls, for judging difficulty. Its hands act `lag` frames after its
// eyes saw the game (a person reacts in about 6 frames), but it anticipates, as people do:
// it plans from where the steps already on their way will have taken the player, with
// everything it saw moving moved on as far. What it cannot foresee is what changes in
// those frames: a shot fired, an enemy turning.
//
// On top of that it is imperfect in four ways:
// - misjudged speeds: it judges each newcomer (enemy or shot) to move 15 % slower to 15 %
//   faster than it does, so its foresight is off the more, the further it looks ahead;
// - misses: one newcomer in 25 goes unnoticed for `lag` to 2 x `lag` frames;
// - lapses: about once in 300 frames its attention slips, and for 1 to `lag` frames it goes
//   on doing what it was doing, so whatever happens then is answered later still;
// - fumbles: one change of direction in 5 comes a frame late, a key let go or pressed late.
// At lag 0 it is the exact autopilot: the machine's reference, not a person.
//
// Its chances come from a random stream of its own, seeded: the same seed gives the same
// game, a continue is a new try, and the game's streams are never touched.
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "game/engine/actor_pool.h"
#include "tools/headless/pilot_brain.h"

namespace tolvane::headless {

class HumanPilot {
 public:
  HumanPilot(uint64_t seed, int32_t lag);

  // The step to take in the frame about to run; call once before every frame, in play or
  // not, as PilotBrain::Decide, which it calls.
  PilotStep Step(PilotBrain& brain);

 private:
  bool Chance(uint64_t oneIn);
  int32_t Between(int32_t least, int32_t most);
  void Look();

  std::mt19937_64 random_;
  int32_t lag_;
  std::vector<PilotStep> pending_;      // decided, not yet taken; the front is taken next
  PilotStep decided_{};                 // the last step decided
  PilotStep taken_{};                   // the last step taken
  int32_t lapse_ = 0;                   // frames of the current lapse still to come
  std::array<bool, kPoolSize> seen_{};  // the slot held an active actor at the last look
  std::array<uint8_t, kPoolSize> kind_{};
  std::array<int32_t, kPoolSize> unnoticedFor_{};
  std::array<double, kPoolSize> speedJudged_{};  // a share of the true speed
  std::array<double, kPoolSize> judged_{};       // the same, 0 while unnoticed
};

}  // namespace tolvane::headless
