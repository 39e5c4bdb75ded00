#include "game/engine/motion.h"

#include <cstdlib>

#include "presentation/display.h"

namespace tolvane {

int32_t IsOffScreen(const TActor& actor, int32_t sides) {
  const int64_t left = int64_t{actor.X} - actor.CenterX;
  const int64_t top = int64_t{actor.Y} - actor.CenterY;
  if (left + actor.Width < 0 && (sides & osLeft) != 0) return 1;
  if (left > pres::kScreenWidth && (sides & osRight) != 0) return 1;
  if (top + actor.Height < 0 && (sides & osTop) != 0) return 1;
  if (top > pres::kScreenHeight && (sides & osBottom) != 0) return 1;
  return 0;
}

// The walk ends at the end row, however many rows the caller says it passes; a table that
// lacks one (never passed by the game) stops at its last row instead of reading past it.
int32_t SpeedStep(int32_t pos, int32_t target, SpeedTable table, int32_t /*high*/) {
  if (table.empty()) return 0;
  const int64_t diff = int64_t{target} - pos;
  const int64_t dist = diff < 0 ? -diff : diff;
  const int32_t sign = diff < 0 ? -1 : (diff > 0 ? 1 : 0);
  int64_t sum = 0;
  size_t row = 0;
  for (; row + 1 < table.size(); ++row) {
    if (table[row].frames == kSpeedTableEnd) break;
    sum += int64_t{table[row].frames} * table[row].speed;
    if (sum >= dist) break;
  }
  return table[row].speed * sign;
}

void MoveBySpeedTable(TActor& actor, int32_t targetX, int32_t targetY, int32_t high,
                      SpeedTable table) {
  actor.X += SpeedStep(actor.X, targetX, table, high);
  actor.Y += SpeedStep(actor.Y, targetY, table, high);
}

int32_t HitTest(const TActor& a, const TActor& b) {
  const int64_t dx = std::abs(int64_t{a.X} - b.X);
  const int64_t reachX = a.CenterX * a.HitScale / 100 + b.CenterX * b.HitScale / 100;
  if (dx > reachX) return 0;
  const int64_t dy = std::abs(int64_t{a.Y} - b.Y);
  const int64_t reachY = a.CenterY * a.HitScale / 100 + b.CenterY * b.HitScale / 100;
  return dy <= reachY ? 1 : 0;
}

}  // namespace tolvane
