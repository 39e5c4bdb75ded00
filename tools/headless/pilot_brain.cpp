#include "tools/headless/pilot_brain.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/player.h"

namespace tolvane::headless {
namespace {

constexpr int32_t kPlayerStep = 12;  // pixels per frame on each axis
constexpr int32_t kScreenW = 480;
constexpr int32_t kScreenH = 320;
// A step longer than this is a slot taken by a new actor, not a motion.
constexpr int32_t kLongestStep = 64;
// A shot seen for the first time is assumed to fly at the player this fast.
constexpr double kFreshShotSpeed = 10.0;
// Main shots leave 5 pixels above the player's hot spot.
constexpr int32_t kShotRise = 5;
// Room the pilot likes to keep to shots and bodies, and to the top and bottom edges.
constexpr double kComfort = 28.0;
constexpr int32_t kEdgeRoom = 30;
// Lines of fire are followed this many frames ahead, with this much room.
constexpr double kFarAhead = 40.0;
constexpr double kLineRoom = 8.0;
constexpr double kLineWeight = 400.0;
// Bullets worth this little are not worth lining up for.
constexpr int32_t kLeastTargetWorth = 50;

struct Threat {
  double x, y, vx, vy;
  int32_t reachX, reachY;  // sum of both half extents
  uint8_t kind;
};

struct Point {
  int32_t x, y;
};

constexpr std::array<PilotStep, 9> kSteps = {{
    {0, 0},
    {0, -1},
    {0, 1},
    {-1, 0},
    {1, 0},
    {-1, -1},
    {1, -1},
    {-1, 1},
    {1, 1},
}};

int32_t HalfExtent(int32_t center, int32_t hitScale) {
  return center * hitScale / 100;
}

// How much room to leave: bodies move less predictably than shots, and the further ahead
// the less sure the extrapolation.
double Margin(uint8_t kind, int step) {
  if (kind == KindEnemyShot) return 3.0 + step / 3.0;
  return 6.0 + step;
}

// Distance between two boxes (negative when they overlap), by the larger axis gap.
double Gap(double dx, double dy, const Threat& t) {
  return std::max(std::abs(dx) - t.reachX, std::abs(dy) - t.reachY);
}

// Standing in a stream of shots that is still far away: the sooner a shot would pass
// within reach of (x, y), the more it costs. Lets the pilot leave a line of fire long
// before the look-ahead sees a hit coming.
double LineOfFireCost(const std::vector<Threat>& shots, int32_t x, int32_t y) {
  double cost = 0;
  for (const Threat& t : shots) {
    const double speed2 = t.vx * t.vx + t.vy * t.vy;
    if (speed2 < 1) continue;
    const double dx = x - t.x, dy = y - t.y;
    const double when = std::clamp((dx * t.vx + dy * t.vy) / speed2, 0.0, kFarAhead);
    if (Gap(dx - t.vx * when, dy - t.vy * when, t) < kLineRoom) cost += kLineWeight / (when + 4);
  }
  return cost;
}

}  // namespace

PilotStep PilotBrain::Decide(const PilotView& view) {
  const TActor& player = *PlayerActor;
  const bool steering = player.Active != 0 && player.Move == PlayerMove;
  if (!steering) {
    target_ = -1;
    Remember();
    return {};
  }

  const int32_t phx = HalfExtent(player.CenterX, player.HitScale);
  const int32_t phy = HalfExtent(player.CenterY, player.HitScale);
  const int32_t minX = player.CenterX * 40 / 100, maxX = kScreenW - minX;
  const int32_t minY = player.CenterY * 40 / 100, maxY = kScreenH - minY;
  // Where the player will be when this step is taken, and how many frames away that is.
  Point from{player.X, player.Y};
  for (const PilotStep& s : view.pending) {
    from.x = std::clamp(from.x + s.dx * kPlayerStep, minX, maxX);
    from.y = std::clamp(from.y + s.dy * kPlayerStep, minY, maxY);
  }
  const auto ahead = static_cast<double>(view.pending.size());

  // Everything that can cost a tail or an orb within the horizon; and every shot, for the
  // lines of fire further ahead.
  std::vector<Threat> threats;
  std::vector<Threat> shots;
  for (int32_t slot = 0; slot < kPoolSize; ++slot) {
    const TActor& a = ActorPool[static_cast<size_t>(slot)];
    if (a.Active == 0 || &a == &player) continue;
    if (a.Kind != KindEnemyShot && a.Kind != KindEnemy && a.Kind != KindOrbCost) continue;
    const double judged = view.judged != nullptr ? (*view.judged)[static_cast<size_t>(slot)] : 1.0;
    if (judged == 0) continue;
    Threat t{double(a.X),
             double(a.Y),
             0,
             0,
             phx + HalfExtent(a.CenterX, a.HitScale),
             phy + HalfExtent(a.CenterY, a.HitScale),
             a.Kind};
    const Track& was = last_[static_cast<size_t>(slot)];
    const int32_t sx = a.X - was.x, sy = a.Y - was.y;
    if (was.seen && was.kind == a.Kind && was.image == a.Image && std::abs(sx) <= kLongestStep &&
        std::abs(sy) <= kLongestStep) {
      t.vx = sx;
      t.vy = sy;
    } else if (a.Kind == KindEnemyShot) {
      const double dx = player.X - a.X, dy = player.Y - a.Y;
      const double d = std::max(1.0, std::hypot(dx, dy));
      t.vx = dx / d * kFreshShotSpeed;
      t.vy = dy / d * kFreshShotSpeed;
    }
    t.vx *= judged;
    t.vy *= judged;
    t.x += ahead * t.vx;
    t.y += ahead * t.vy;
    if (t.kind == KindEnemyShot) shots.push_back(t);
    // Only what could come near within the horizon is worth testing.
    const double slack = 40.0;
    if (std::abs(t.x - from.x) - t.reachX > kHorizon * (kPlayerStep + std::abs(t.vx)) + slack ||
        std::abs(t.y - from.y) - t.reachY > kHorizon * (kPlayerStep + std::abs(t.vy)) + slack)
      continue;
    threats.push_back(t);
  }

  const Goal goal = ChooseGoal(from.x, from.y);

  // Each first step is judged by the safest course that begins with it (danger, room left
  // to shots, room to the edges) plus how close it brings the player to the goal. Judging
  // the goal by the first step alone keeps the pilot from putting off a move that a later
  // turn of the course could make just as well.
  double bestCost = 0;
  PilotStep best{};
  bool any = false;
  for (const PilotStep& first : kSteps) {
    double safest = 0;
    bool anyCourse = false;
    for (const PilotStep& then : kSteps) {
      int32_t px = from.x, py = from.y;
      double cost = 0;
      int hitAt = 0;
      for (int k = 1; k <= kHorizon && hitAt == 0; ++k) {
        const PilotStep& s = k <= kTurnAt ? first : then;
        px = std::clamp(px + s.dx * kPlayerStep, minX, maxX);
        py = std::clamp(py + s.dy * kPlayerStep, minY, maxY);
        for (const Threat& t : threats) {
          // Threats in later slots have not moved yet when the player's contact scan runs,
          // so both the position before and after their step are tested.
          for (int lag = k - 1; lag <= k; ++lag) {
            const double gap = Gap(px - (t.x + lag * t.vx), py - (t.y + lag * t.vy), t);
            if (gap <= Margin(t.kind, k))
              hitAt = k;
            else if (lag == k && gap < kComfort)
              cost += (kComfort - gap) * 4.0 / k;
          }
          if (hitAt != 0) break;
        }
        const int32_t edge = std::min(py - minY, maxY - py);
        if (edge < kEdgeRoom) cost += (kEdgeRoom - edge) * 0.5 / k;
      }
      if (hitAt != 0) cost += 1e6 * (kHorizon + 1 - hitAt);
      if (!anyCourse || cost < safest) {
        anyCourse = true;
        safest = cost;
      }
    }
    const int32_t x1 = std::clamp(from.x + first.dx * kPlayerStep, minX, maxX);
    const int32_t y1 = std::clamp(from.y + first.dy * kPlayerStep, minY, maxY);
    const double cost = safest + LineOfFireCost(shots, x1, y1) + std::abs(x1 - goal.x) +
                        1.5 * std::abs(y1 - goal.y);
    if (!any || cost < bestCost) {
      any = true;
      bestCost = cost;
      best = first;
    }
  }
  Remember();
  return best;
}

PilotBrain::Goal PilotBrain::ChooseGoal(int32_t playerX, int32_t playerY) {
  // An item within reach comes first: it drifts left 3 pixels a frame.
  bool haveItem = false;
  double itemTime = 0;
  Goal item{};
  for (const TActor& a : ActorPool) {
    if (a.Active == 0 || a.Kind != KindItem) continue;
    const double t =
        std::max(std::abs(a.X - playerX), std::abs(a.Y - playerY)) / double(kPlayerStep + 3);
    const int32_t x = a.X - static_cast<int32_t>(3 * t);
    if (x < 16) continue;
    if (!haveItem || t < itemTime) {
      haveItem = true;
      itemTime = t;
      item = {x, a.Y};
    }
  }
  if (haveItem) return item;

  // Otherwise the enemy in front that is nearest in height, kept for a while once chosen.
  double bestCost = 0;
  int32_t best = -1;
  for (int32_t slot = 0; slot < kPoolSize; ++slot) {
    const TActor& a = ActorPool[static_cast<size_t>(slot)];
    if (a.Active == 0 || a.Kind != KindEnemy || a.X > kScreenW + 10 || a.X < playerX + 20) continue;
    if (a.Work[kScoreValue] < kLeastTargetWorth) continue;
    double cost = std::abs(a.Y - (playerY - kShotRise)) + 0.3 * (a.X - playerX);
    if (a.Work[kScoreValue] > kBigScore) cost -= 80;  // big ones end fights and waits
    if (slot == target_) cost -= 40;
    if (best < 0 || cost < bestCost) {
      best = slot;
      bestCost = cost;
    }
  }
  target_ = best;
  if (best < 0) return {80, 160};
  const TActor& t = ActorPool[static_cast<size_t>(best)];
  const Track& was = last_[static_cast<size_t>(best)];
  int32_t vy = 0;
  if (was.seen && was.image == t.Image && std::abs(t.Y - was.y) <= kLongestStep) vy = t.Y - was.y;
  const int32_t flight = (t.X - playerX) / 16;
  return {std::clamp(t.X - 200, 30, 160), t.Y + vy * flight + kShotRise};
}

void PilotBrain::Remember() {
  for (size_t slot = 0; slot < last_.size(); ++slot) {
    const TActor& a = ActorPool[slot];
    last_[slot] = Track{a.Active != 0, a.Kind, a.Image, a.X, a.Y};
  }
}

}  // namespace tolvane::headless
