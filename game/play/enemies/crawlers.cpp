// CeilingCrawler (code 21) and FloorCrawler (code 22).
#include "game/play/enemies/crawlers.h"

#include "game/play/enemies/drifters.h"
#include "game/play/enemies/enemy_common.h"
#include "game/play/play_field.h"

namespace tolvane {

namespace {

constexpr uint32_t kCrawlerXRange = 380;
constexpr int32_t kCrawlerStartThrow = 20;

constexpr int32_t kCrawlerSpeed = 3;
constexpr int32_t kThrowSlowing = 2;
// The two surfaces, 12 pixels inside the field.
constexpr int32_t kCeilingY = 12;
constexpr int32_t kFloorY = kFieldHeight - 12;
// Landed: a smaller hit box, the crawling look, 3 pixels left a frame, firing.
constexpr int32_t kLandedHitScale = 40;
constexpr int32_t kLandedPattern = 1;
constexpr int32_t kLandedChance = 50;

void Land(TActor& actor, int32_t surfaceY) {
  actor.Y = surfaceY;
  actor.HitScale = kLandedHitScale;
  actor.Pattern = kLandedPattern;
  BecomeDrifter(actor, 0, -kCrawlerSpeed, kLandedChance, kAimedShotSpeed);
}

}  // namespace

// Thrown downward first, then up against the ceiling.
void CeilingCrawler(TActor& actor) {
  actor.X -= kCrawlerSpeed;
  actor.Y += actor.Work[kCrawlerThrow];
  actor.Work[kCrawlerThrow] -= kThrowSlowing;
  if (actor.Y <= kCeilingY && actor.Work[kCrawlerThrow] <= 0) Land(actor, kCeilingY);
  LeaveIfOff(actor, osLeft);
}

// Thrown upward first, then down onto the floor.
void FloorCrawler(TActor& actor) {
  actor.X -= kCrawlerSpeed;
  actor.Y -= actor.Work[kCrawlerThrow];
  actor.Work[kCrawlerThrow] -= kThrowSlowing;
  if (actor.Y >= kFloorY && actor.Work[kCrawlerThrow] <= 0) Land(actor, kFloorY);
  LeaveIfOff(actor, osLeft);
}

// At the record's X, or at random 100-479 when it was left to the default.
void SpawnCrawler(TActor& actor) {
  actor.X = PlacedX(actor.X, kCrawlerXRange);
  actor.Work[kCrawlerThrow] = kCrawlerStartThrow;
}

}  // namespace tolvane
