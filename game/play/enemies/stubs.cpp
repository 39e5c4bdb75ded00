// Stand-ins for the regular enemies' behaviours until their own module replaces this
// file: every enemy drifts left at a steady pace and leaves by the left edge, so a stage
// can be played and shot through.
#include "game/engine/motion.h"
#include "game/play/enemy_behaviours.h"

namespace tolvane {

namespace {

constexpr int32_t kStubSpeed = 4;

void DriftLeft(TActor& actor) {
  actor.X -= kStubSpeed;
  if (IsOffScreen(actor, osLeft) != 0) actor.Active = 0;
}

}  // namespace

void Swooper(TActor& actor) {
  DriftLeft(actor);
}
void Glider(TActor& actor) {
  DriftLeft(actor);
}
void Splitter(TActor& actor) {
  DriftLeft(actor);
}
void Charger(TActor& actor) {
  DriftLeft(actor);
}
void DartMove(TActor& actor) {
  DriftLeft(actor);
}
void LoopFlier(TActor& actor) {
  DriftLeft(actor);
}
void ArcFlier(TActor& actor) {
  DriftLeft(actor);
}
void Serpent(TActor& actor) {
  DriftLeft(actor);
}
void Popper(TActor& actor) {
  DriftLeft(actor);
}
void Drifter(TActor& actor) {
  DriftLeft(actor);
}
void TwinSplitter(TActor& actor) {
  DriftLeft(actor);
}
void Lunger(TActor& actor) {
  DriftLeft(actor);
}
void Waver(TActor& actor) {
  DriftLeft(actor);
}
void Hopper(TActor& actor) {
  DriftLeft(actor);
}
void Frog(TActor& actor) {
  DriftLeft(actor);
}
void Gunner(TActor& actor) {
  DriftLeft(actor);
}
void Zigzag(TActor& actor) {
  DriftLeft(actor);
}
void SinkerDown(TActor& actor) {
  DriftLeft(actor);
}
void SinkerUp(TActor& actor) {
  DriftLeft(actor);
}
void CeilingCrawler(TActor& actor) {
  DriftLeft(actor);
}
void FloorCrawler(TActor& actor) {
  DriftLeft(actor);
}
void FanGunnerLow(TActor& actor) {
  DriftLeft(actor);
}
void FanGunnerHigh(TActor& actor) {
  DriftLeft(actor);
}
void DiverDown(TActor& actor) {
  DriftLeft(actor);
}
void DiverUp(TActor& actor) {
  DriftLeft(actor);
}
void Snake(TActor& actor) {
  DriftLeft(actor);
}
void SnakeSegment(TActor& actor) {
  DriftLeft(actor);
}
void ArcFlierMirrored(TActor& actor) {
  DriftLeft(actor);
}

}  // namespace tolvane
