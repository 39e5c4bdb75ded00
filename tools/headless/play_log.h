#pragma once
// What happened in a headless game, stage by stage: when each stage began, when its script
// reached the wait for a boss and when that wait ended, when it was cleared, the score,
// tails lost, items taken, and the weapon levels and orbs the player left it with. Watches
// the game's state between frames; never changes it.
#include <array>
#include <cstdint>
#include <ostream>
#include <vector>

#include "game/engine/actor_pool.h"

namespace tolvane::headless {

struct BossWait {
  int32_t frame = 0;      // frame at which the script began to wait
  int32_t clock = 0;      // the script's clock there (the halt record's time)
  int32_t endFrame = -1;  // frame at which the boss fell; -1 while it lives
};

struct StageLog {
  int32_t stage = 0;
  bool again = false;       // the same stage started over after a continue
  int32_t startFrame = 0;   // the first frame of the stage's script
  int32_t clearFrame = -1;  // the frame the clear tally began; -1 if it never did
  int32_t clearClock = 0;   // the script's clock there
  int32_t score = 0;        // when the clear tally began (before its bonus), or at the last look
  int32_t tailsLost = 0;
  int32_t orbsLost = 0;             // hits (or beams) that a protection orb took instead of a tail
  std::vector<int32_t> lossClocks;  // the script's clock at each tail or orb lost
  std::vector<int32_t> lossFrames;  // and the frame
  int32_t lastFrame = 0;            // the last frame looked at in this stage
  int32_t lastClock = 0;            // the script's clock there
  int32_t itemsTaken = 0;
  std::array<int32_t, 3> levels{};  // weapon levels when the stage ended or the run stopped
  int32_t orbs = 0;
  std::vector<BossWait> waits;  // in order; the last is the stage's boss

  bool Cleared() const { return clearFrame >= 0; }
};

class PlayLog {
 public:
  // Looks at the state left by the frame before `frame`. Frames in the log are the frames
  // in which things happened (FrameCount then).
  void Observe(int32_t frame);

  const std::vector<StageLog>& Stages() const { return stages_; }
  // True once a stage's clear tally has begun since the last call.
  bool TakeClear();
  bool GameOver() const { return gameOver_; }
  // Stages started again after a game over.
  int32_t Continues() const;

  // One line per stage: frames, figures and the boss waits.
  void Write(std::ostream& out) const;

 private:
  void TrackItems(bool playing, int32_t playerX, int32_t playerY);

  std::vector<StageLog> stages_;
  bool running_ = false;  // the stage actor ran the script at the last look
  int32_t lastPos_ = 0;   // the script's position and clock at the last look
  int32_t lastClock_ = 0;
  bool halted_ = false;
  int32_t tails_ = 0;
  int32_t orbs_ = 0;
  bool clearSeen_ = false;
  bool gameOver_ = false;
  std::array<bool, kPoolSize> item_{};
  std::array<int32_t, kPoolSize> itemX_{};
  std::array<int32_t, kPoolSize> itemY_{};
};

}  // namespace tolvane::headless
