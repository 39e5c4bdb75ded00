#include "tools/headless/human_pilot.h"

#include "game/play/game_state.h"

namespace tolvane::headless {
namespace {

constexpr double kMisjudged = 0.15;    // the most a speed is judged off, as a share
constexpr uint64_t kLapseOneIn = 300;  // per frame
constexpr uint64_t kMissOneIn = 25;    // per newcomer
constexpr uint64_t kFumbleOneIn = 5;   // per change of direction

bool Threat(const TActor& a) {
  return a.Kind == KindEnemyShot || a.Kind == KindEnemy || a.Kind == KindOrbCost;
}

}  // namespace

HumanPilot::HumanPilot(uint64_t seed, int32_t lag) : random_(seed), lag_(lag) {}

bool HumanPilot::Chance(uint64_t oneIn) {
  return random_() % oneIn == 0;
}

int32_t HumanPilot::Between(int32_t least, int32_t most) {
  return least + static_cast<int32_t>(random_() % static_cast<uint64_t>(most - least + 1));
}

void HumanPilot::Look() {
  for (size_t slot = 0; slot < ActorPool.size(); ++slot) {
    const TActor& a = ActorPool[slot];
    const bool active = a.Active != 0 && Threat(a);
    if (active && (!seen_[slot] || kind_[slot] != a.Kind)) {
      unnoticedFor_[slot] = Chance(kMissOneIn) ? Between(lag_, 2 * lag_) : 0;
      speedJudged_[slot] = 1.0 + kMisjudged * (Between(-1000, 1000) / 1000.0);
    } else if (unnoticedFor_[slot] > 0) {
      --unnoticedFor_[slot];
    }
    if (!active) unnoticedFor_[slot] = 0;
    judged_[slot] = unnoticedFor_[slot] > 0 ? 0.0 : speedJudged_[slot];
    seen_[slot] = active;
    kind_[slot] = a.Kind;
  }
}

PilotStep HumanPilot::Step(PilotBrain& brain) {
  if (lag_ == 0) return brain.Decide();
  Look();
  // The brain looks every frame, so that what it saw moving keeps its speed, even while
  // a lapse keeps its answer from the hands.
  const PilotStep fresh = brain.Decide({pending_, &judged_});
  if (lapse_ == 0 && Chance(kLapseOneIn)) lapse_ = Between(1, lag_);
  if (lapse_ > 0) {
    --lapse_;
  } else {
    decided_ = fresh;
  }
  pending_.push_back(decided_);
  PilotStep step = pending_.front();
  if (static_cast<int32_t>(pending_.size()) > lag_) pending_.erase(pending_.begin());
  if (step != taken_ && Chance(kFumbleOneIn)) step = taken_;
  taken_ = step;
  return step;
}

}  // namespace tolvane::headless
