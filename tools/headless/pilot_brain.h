#pragma once
// The autopilot's steering: from the actor pool as it stands before a frame, which way the
// player should move. It looks a few frames ahead, extrapolating every enemy, enemy shot and
// orb-costing object from its last step, tries short two-part courses in the nine directions
// and takes the first step of the safest course that also leads toward its goal: an item to
// pick up, a line of fire on the chosen enemy, or a resting point.
//
// A test and design tool, not game logic: deterministic (slot order, no randomness), it reads
// the game's state but never writes it.
#include <array>
#include <cstdint>
#include <span>

#include "game/engine/actor.h"
#include "game/engine/actor_pool.h"

namespace tolvane::headless {

struct PilotStep {
  int dx = 0;  // -1 left, 0, +1 right
  int dy = 0;  // -1 up, 0, +1 down

  bool operator==(const PilotStep&) const = default;
};

// What a pilot that acts later than it sees knows besides the pool (human_pilot.h): the
// steps it has decided but not yet taken, which will carry the player on before the step
// being decided is taken; and, per slot, how fast it judges each actor to move, as a share
// of the speed seen (0: not noticed at all).
struct PilotView {
  std::span<const PilotStep> pending;
  const std::array<double, kPoolSize>* judged = nullptr;
};

class PilotBrain {
 public:
  // How far ahead courses are followed, and the frame at which a course may turn.
  static constexpr int kHorizon = 10;
  static constexpr int kTurnAt = 3;

  // The step for the frame about to run. Call once per frame, also while the player is not
  // steerable, so that the last positions (and with them the velocities) stay current.
  // With pending steps in the view, the step is for the frame after them: the courses start
  // where those steps leave the player, and everything seen moving has moved on as far.
  PilotStep Decide(const PilotView& view = {});

  // The slot of the enemy being lined up, or -1.
  int32_t Target() const { return target_; }

 private:
  struct Track {
    bool seen = false;
    uint8_t kind = 0;
    int32_t image = 0;
    int32_t x = 0;
    int32_t y = 0;
  };
  struct Goal {
    int32_t x = 0;
    int32_t y = 0;
  };

  Goal ChooseGoal(int32_t playerX, int32_t playerY);
  void Remember();

  std::array<Track, kPoolSize> last_{};
  int32_t target_ = -1;
};

}  // namespace tolvane::headless
