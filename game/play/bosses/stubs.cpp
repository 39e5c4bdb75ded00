// Stand-ins for the bosses' behaviours until their own module replaces this file: a boss
// comes in from the right and waits at x 400 to be shot down; the overlay draws nothing.
#include "game/play/boss_behaviours.h"

namespace tolvane {

namespace {

constexpr int32_t kStubStopX = 400;
constexpr int32_t kStubSpeed = 2;

void ComeIn(TActor& actor) {
  if (actor.X > kStubStopX) actor.X -= kStubSpeed;
}

}  // namespace

void WandererBoss(TActor& actor) {
  ComeIn(actor);
}
void CirclerBoss(TActor& actor) {
  ComeIn(actor);
}
void LancerBoss(TActor& actor) {
  ComeIn(actor);
}
void GunshipEnemy(TActor& actor) {
  ComeIn(actor);
}
void BeamBoss(TActor& actor) {
  ComeIn(actor);
}
void SpiralBoss(TActor& actor) {
  ComeIn(actor);
}
void FortressBoss(TActor& actor) {
  ComeIn(actor);
}
void FinalBoss(TActor& actor) {
  ComeIn(actor);
}
void DrifterBoss(TActor& actor) {
  ComeIn(actor);
}

void NoiseDraw(TActor& /*actor*/) {}

}  // namespace tolvane
