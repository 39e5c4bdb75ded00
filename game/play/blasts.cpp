#include "game/play/blasts.h"

#include <algorithm>

#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/engine/sound.h"
#include "game/play/backdrop.h"
#include "game/play/contact_scan.h"
#include "game/play/damage.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"

namespace tolvane {

namespace {

constexpr int32_t kAnimAChance = 30;  // of 0..99: BlastAnimA when the draw is at most this
constexpr int32_t kScaleBase = 80;    // percent, plus 0..39
constexpr int32_t kScaleSpread = 40;
// Small blasts of a big blast: damage 2, drift -2..2.
constexpr int32_t kBigBlastDamage = 2;
constexpr int32_t kBigBlastDriftRange = 5;
constexpr int32_t kBigBlastDriftShift = 2;

// A point of the box of the given size around pos: pos + 1 - size / 2 + 0..size-1.
int32_t PointIn(int32_t pos, int32_t size) {
  return pos + 1 - size / 2 + static_cast<int32_t>(RandomNext(0, static_cast<uint32_t>(size)));
}

}  // namespace

TActor& SpawnBlast(const TActor& source, int32_t delay, int32_t damage, int32_t drift,
                   int32_t level) {
  PlaySound(kSoundExplosion);
  TActor& blast = NewActor(LayerFront);
  int32_t x = source.X;
  int32_t y = source.Y;
  if (source.Width > 0 && source.Height > 0) {
    x = PointIn(source.X, source.Width);
    y = PointIn(source.Y, source.Height);
  }
  blast.X = x;
  blast.Y = y;
  blast.Kind = KindNeutral;
  blast.Image = kAnimatedImage;
  blast.AnimTable =
      static_cast<int32_t>(RandomNext(0, 100)) <= kAnimAChance ? BlastAnimA : BlastAnimB;
  blast.AnimMode = AnimFree;
  blast.ScaleX = blast.ScaleY = kScaleBase + static_cast<int32_t>(RandomNext(0, kScaleSpread));
  blast.Work[kBlastDelay] = delay;
  blast.Work[kBlastDamage] = damage;
  blast.Work[kBlastLevel] = level + 1;
  blast.Work[kBlastDrift] = drift;
  blast.Move = BlastMove;
  MaxCombo = std::max(MaxCombo, level + 1);
  return blast;
}

TActor& SpawnBigBlast(const TActor& source, int32_t frames) {
  TActor& big = NewActor(LayerBack);
  big.X = source.X;
  big.Y = source.Y;
  big.Width = source.Width;
  big.Height = source.Height;
  big.Work[kBigBlastFrames] = frames;
  big.Move = BigBlastMove;
  return big;
}

void BlastMove(TActor& actor) {
  auto& w = actor.Work;
  actor.X += BackSpeed() / 2;
  actor.Y += w[kBlastDrift];
  w[kBlastDelay] -= 1;
  if (w[kBlastDelay] > 0) return;
  // Only the first enemy touched takes the damage; the rest are handed 0, which does nothing.
  ScanContacts(actor, KindEnemy, [&](TActor& enemy) {
    enemy.Work[kPendingDamage] = w[kBlastDamage];
    w[kBlastDamage] = 0;
    ApplyDamage(enemy, w[kBlastLevel]);
    return true;
  });
}

void BigBlastMove(TActor& actor) {
  actor.X += BackSpeed() / 2;
  actor.Work[kBigBlastFrames] -= 1;
  if (actor.Work[kBigBlastFrames] > 0) {
    const int32_t drift =
        static_cast<int32_t>(RandomNext(0, kBigBlastDriftRange)) - kBigBlastDriftShift;
    SpawnBlast(actor, 0, kBigBlastDamage, drift, 0);
  } else {
    actor.Active = 0;
  }
}

}  // namespace tolvane
