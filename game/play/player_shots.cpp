#include "game/play/player_shots.h"

#include <cstdlib>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/motion.h"
#include "game/engine/random_streams.h"
#include "game/play/blasts.h"
#include "game/play/contact_scan.h"
#include "game/play/damage.h"
#include "game/play/enemy_words.h"
#include "game/play/play_field.h"

namespace tolvane {

namespace {

// Forward main shots gain 3 pixels per frame, backward ones 5.
constexpr int32_t kForwardGain = 3;
constexpr int32_t kBackwardGain = 5;

constexpr int32_t kSpreadImage = pic::kSpread;
constexpr int32_t kSpreadPatternPeriod = 2;
constexpr int32_t kSpreadHitScale = 50;
constexpr int32_t kSpreadTopSpeed = 16;  // horizontal + |vertical|
// The blast a spread shot makes on a hit carries its damage, at level 1.
constexpr int32_t kSpreadBlastDamage = 50;

}  // namespace

TActor& NewMainShot(int32_t x, int32_t y, int32_t image, int32_t hitScale, int32_t speedX,
                    int32_t speedY, int32_t damage) {
  TActor& shot = NewActor(LayerBack);
  SetImage(shot, image);
  shot.X = x;
  shot.Y = y;
  shot.Kind = KindPlayerShot;
  shot.HitScale = hitScale;
  shot.Work[kShotSpeedX] = speedX;
  shot.Work[kShotSpeedY] = speedY;
  shot.Work[kShotDamage] = damage;
  shot.Move = MainShotMove;
  return shot;
}

// The shot's damage is that of the blast it makes; it deals none itself.
TActor& NewSpreadShot(int32_t x, int32_t y, int32_t step) {
  TActor& shot = NewActor(LayerBack);
  SetImage(shot, kSpreadImage);
  shot.X = x;
  shot.Y = y;
  shot.Kind = KindPlayerShot;
  shot.PatternPeriod = kSpreadPatternPeriod;
  shot.HitScale = kSpreadHitScale;
  const int32_t speedY =
      static_cast<int32_t>(RandomNext(0, static_cast<uint32_t>(4 * step + 10))) - 2 * step - 5;
  shot.Work[kShotSpeedX] = kSpreadTopSpeed - std::abs(speedY);
  shot.Work[kShotSpeedY] = speedY;
  shot.Move = SpreadShotMove;
  return shot;
}

void MainShotMove(TActor& actor) {
  auto& w = actor.Work;
  actor.X += w[kShotSpeedX];
  actor.Y += w[kShotSpeedY];
  w[kShotSpeedX] += w[kShotSpeedX] > 0 ? kForwardGain : -kBackwardGain;
  // A shot leaving the screen still hits what it touches in this frame (an enemy coming in
  // from beyond the edge). Every enemy touched takes the damage, then the shot is spent.
  // It is freed only after the scan, so a kill's item cannot take its slot mid-scan.
  bool spent = IsOffScreen(actor, osAnySide) != 0;
  ScanContacts(actor, KindEnemy, [&](TActor& enemy) {
    enemy.Work[kPendingDamage] = w[kShotDamage];
    ApplyDamage(enemy, 0);
    spent = true;
    return true;
  });
  if (spent) actor.Active = 0;
}

void SpreadShotMove(TActor& actor) {
  actor.X += actor.Work[kShotSpeedX];
  actor.Y += actor.Work[kShotSpeedY];
  // Like a main shot, one leaving the screen still makes its blast on what it touches.
  const bool offEdge = IsOffScreen(actor, osAnySide) != 0;
  ScanContacts(actor, KindEnemy, [&](TActor&) {
    actor.Active = 0;
    SpawnBlast(actor, 0, kSpreadBlastDamage, 0, 0);
    return false;
  });
  if (offEdge) actor.Active = 0;
}

}  // namespace tolvane
