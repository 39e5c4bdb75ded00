#include "game/play/bosses/charge_effects.h"

#include <cmath>
#include <cstdlib>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/enemy_shots.h"
#include "game/play/play_math.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr int32_t kOrbAlpha = 100;
constexpr int32_t kOrbStartScale = 1;
constexpr int32_t kOrbHitScale = 10;

constexpr int32_t kParticleImage = pic::kChargeParticle;
constexpr int32_t kParticlePatternPeriod = 2;
constexpr int32_t kParticleRadius = 300;
constexpr uint32_t kParticleAngles = 256;
constexpr uint32_t kParticleSpeedRange = 10;
constexpr int32_t kParticleMinSpeed = 5;
constexpr int32_t kParticleArrival = 15;  // ends within this many pixels of the target's x

}  // namespace

int32_t NewChargeOrb(int32_t x, int32_t y) {
  TActor& orb = NewActor(LayerFront);
  SetImage(orb, kChargeOrbImage);
  orb.X = x;
  orb.Y = y;
  orb.Kind = KindEnemyShot;
  orb.Alpha = kOrbAlpha;
  orb.ScaleX = orb.ScaleY = kOrbStartScale;
  orb.HitScale = kOrbHitScale;
  return SlotOf(orb);
}

void ScaleChargeOrb(int32_t slot, int32_t percent) {
  if (TActor* orb = StillThere(slot, kChargeOrbImage)) orb->ScaleX = orb->ScaleY = percent;
}

void FreeChargeOrb(int32_t slot) {
  if (TActor* orb = StillThere(slot, kChargeOrbImage)) orb->Active = 0;
}

void SpawnChargeParticle(const TActor& boss, int clockWord, int32_t clockLimit) {
  const auto angle = static_cast<int32_t>(RandomNext(kBossStream, kParticleAngles));
  const int32_t speed =
      static_cast<int32_t>(RandomNext(kBossStream, kParticleSpeedRange)) + kParticleMinSpeed;
  TActor& particle = NewActor(LayerFront);
  SetImage(particle, kParticleImage);
  particle.PatternPeriod = kParticlePatternPeriod;
  particle.X = boss.X + RoundToInt(kParticleRadius * pres::Cos256(angle));
  particle.Y = boss.Y + RoundToInt(kParticleRadius * pres::Sin256(angle));
  auto& w = particle.Work;
  w[kOriginX] = particle.X;
  w[kOriginY] = particle.Y;
  w[kTargetX] = boss.X;
  w[kTargetY] = boss.Y;
  w[kShotSpeed] = speed;
  w[kShotFrames] = 0;
  w[kParticleOwner] = SlotOf(boss);
  w[kParticleClockWord] = clockWord;
  w[kParticleEndClock] = clockLimit;
  particle.Move = ChargeParticleMove;
}

void ChargeParticleMove(TActor& actor) {
  auto& w = actor.Work;
  w[kShotFrames] += 1;
  const int32_t distance = w[kShotFrames] * w[kShotSpeed];
  const double direction = DirectionToward(w[kOriginX], w[kOriginY], w[kTargetX], w[kTargetY]);
  actor.X = w[kOriginX] + RoundToInt(std::cos(direction) * distance);
  actor.Y = w[kOriginY] + RoundToInt(std::sin(direction) * distance);
  const TActor& owner = ActorAt(w[kParticleOwner]);
  const int clockWord = w[kParticleClockWord];
  const bool charged = clockWord >= 0 && clockWord < kWorkWords &&
                       owner.Work[static_cast<size_t>(clockWord)] > w[kParticleEndClock];
  if (std::abs(actor.X - w[kTargetX]) <= kParticleArrival || charged) actor.Active = 0;
}

}  // namespace tolvane
