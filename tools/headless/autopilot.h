#pragma once
// The autopilot: a pad source that plays the game by itself. In a stage it holds the fire
// button, keeps to the chosen weapon and steers with PilotBrain; around play it answers
// the screens enough to get on: it starts a game from the title (or jumps straight to a
// stage with given weapon levels), ends a name entry at once, continues after a game over
// and leaves the ending's last picture. A PlayLog records what happens.
//
// Apart from the key presses it touches the game only where a developer would: the jump to
// a stage sets the new game's start stage and levels, and a late start moves the script on.
#include <cstdint>
#include <deque>
#include <optional>

#include "tools/headless/human_pilot.h"
#include "tools/headless/pad_source.h"
#include "tools/headless/pilot_brain.h"
#include "tools/headless/play_log.h"

namespace tolvane::headless {

struct AutopilotOptions {
  int32_t stage = 0;        // 1-5: start a new game at this stage from the title; 0: the menu's way
  int32_t weaponLevel = 1;  // with `stage`: the level of all three weapons
  int32_t weapon = 0;       // the weapon to keep selected, 0-2
  int32_t fromTime = 0;  // > 0: each stage's script starts at this clock, skipping what lies before
  int32_t lag = 0;       // frames between seeing and steering: a slower, more human pilot
  std::optional<uint64_t> human;  // a seed: steer as HumanPilot does, with the lag above
  int32_t continues = -1;         // continues to take in a game; -1: as many as it needs
};

class Autopilot final : public PadSource {
 public:
  explicit Autopilot(const AutopilotOptions& options);

  void BeforeFrame(int32_t frame, pres::InputDevice& input) override;

  const PlayLog& Log() const { return log_; }
  PlayLog& Log() { return log_; }
  // True once the title screen is up again after the ending was reached.
  bool BackAtTitleAfterEnding() const { return titleAfterEnding_; }
  // True once the title screen is up again after the game: the ending, or a game over with
  // no continue left.
  bool BackAtTitleAfterGame() const { return titleAfterEnding_ || titleAfterGivingUp_; }

 private:
  void Set(pres::InputDevice& input, int key, bool down);
  void Pulse(pres::InputDevice& input, int key);
  void AnswerScreens(pres::InputDevice& input);
  void SkipAhead();

  AutopilotOptions options_;
  PilotBrain brain_;
  std::optional<HumanPilot> human_;
  std::deque<PilotStep> steps_;  // decided but not yet taken (with a lag)
  PlayLog log_;
  bool pulseDown_ = false;  // the pulsed key went down last frame
  int pulseKey_ = 0;
  bool jumped_ = false;
  bool endingSeen_ = false;
  bool titleAfterEnding_ = false;
  bool gaveUp_ = false;
  bool titleAfterGivingUp_ = false;
  int32_t skippedStart_ = -1;  // frame of the stage start whose script was moved on
};

}  // namespace tolvane::headless
