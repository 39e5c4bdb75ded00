// DrifterBoss (code 113): the circler's flight with wider, faster circles about a base that
// sweeps between x 200 and 400; no volleys and no smoke.
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/circler_boss.h"
#include "game/play/enemy_words.h"

namespace tolvane {

namespace {

constexpr CircleFlight kDrifterFlight = {200, 400, 100, 5, 2, 5};

}  // namespace

void DrifterBoss(TActor& actor) {
  FlyCircle(actor, kDrifterFlight);
}

void SpawnDrifterBoss(TActor& actor) {
  StartCircle(actor, kDrifterFlight);
}

}  // namespace tolvane
