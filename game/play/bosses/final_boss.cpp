#include "game/play/bosses/final_boss.h"

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/motion.h"
#include "game/engine/random_streams.h"
#include "game/engine/sound.h"
#include "game/play/blasts.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/bosses/charge_effects.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/speed_tables.h"

namespace tolvane {

namespace {

constexpr int32_t kFinalBossY = 190;
constexpr int32_t kFinalFirstSmoke = 40000;

constexpr int32_t kEntrySpeed = 5;
constexpr uint32_t kChoices = 2;

constexpr int32_t kMainImage = pic::kFinalBoss;
constexpr int32_t kMainFlashImage = pic::kFinalBossFlash;
constexpr int32_t kMainPatternPeriod = 5;
constexpr int32_t kRecoilImage = pic::kFinalBossRecoil;
constexpr int32_t kRecoilFlashImage = pic::kFinalBossRecoilFlash;
constexpr int32_t kRayImage = pic::kFinalBossRays;
constexpr int32_t kRayFlashImage = pic::kFinalBossRaysFlash;

// The big smoke: 20 frames of big blast, then the threshold falls to three quarters.
constexpr int32_t kSmokeFrames = 20;
constexpr int32_t kSmokeKeep = 3;
constexpr int32_t kSmokeOf = 4;

// Rays: every 15 frames aim (pattern 0), then fire on the 13th-15th (pattern 1).
constexpr int32_t kBurstFrames = 15;
constexpr int32_t kFirstRayFrame = 12;
constexpr int32_t kRayOffsetX = 30;
constexpr int32_t kRayOffsetY = 5;

// The charge pulls the player toward (430, 70); particles end once the clock passes 98.
constexpr int32_t kPullX = 430;
constexpr int32_t kPullY = 70;
constexpr int32_t kParticlesPerFrame = 2;
constexpr int32_t kParticleClockLimit = 98;

// The beam appears at (x + 50, 160) and sweeps toward x -300.
constexpr int32_t kBeamOffsetX = 50;
constexpr int32_t kBeamY = 160;
constexpr int32_t kBeamTargetX = -300;

constexpr int32_t kRecoilPatternFrame = 5;

void BigSmoke(TActor& actor) {
  auto& w = actor.Work;
  if (w[kHitPoints] >= w[kFinalSmoke]) return;
  SpawnBigBlast(actor, kSmokeFrames);
  w[kFinalSmoke] = w[kFinalSmoke] * kSmokeKeep / kSmokeOf;
}

// What every state does first: the flash and the smoke.
void Hurt(TActor& actor) {
  HitFlash(actor, kFinalLastHitPoints);
  BigSmoke(actor);
}

void Enter(TActor& actor, MoveProc state) {
  actor.PatternPeriod = 0;
  actor.Pattern = 0;
  actor.Move = state;
}

void BackToIdle(TActor& actor) {
  actor.Work[kFinalClock] = 0;
  ChangeLook(actor, kMainImage, kMainFlashImage);
  actor.PatternPeriod = kMainPatternPeriod;
  actor.Pattern = 0;
  actor.Move = FinalIdle;
}

void LaunchBeam(const TActor& boss) {
  TActor& beam = NewActor(LayerFront);
  SetImage(beam, kFinalBeamImage);
  beam.X = boss.X + kBeamOffsetX;
  beam.Y = kBeamY;
  beam.Kind = KindOrbCost;
  beam.Move = FinalBeamMove;
}

}  // namespace

void FinalBoss(TActor& actor) {
  Hurt(actor);
  SummonFinalCore(actor);
  actor.X -= kEntrySpeed;
  if (actor.X >= kFinalRestX) return;
  actor.X = kFinalRestX;
  actor.Move = FinalIdle;
}

void FinalIdle(TActor& actor) {
  Hurt(actor);
  int32_t& c = actor.Work[kFinalClock];
  c += 1;
  if (c <= kFinalIdleFrames) return;
  c = 0;
  FinalChoose(actor, static_cast<int32_t>(RandomNext(kBossStream, kChoices)));
}

void FinalChoose(TActor& boss, int32_t choice) {
  if (choice == kFinalChooseRays) {
    ChangeLook(boss, kRayImage, kRayFlashImage);
    Enter(boss, FinalRays);
    return;
  }
  if (boss.Work[kFinalCoreFlag] == 0) {
    SummonFinalCore(boss);
    if (boss.Work[kHitPoints] > kFinalStrong) return;  // idle again
  }
  Enter(boss, FinalBeamStart);
}

void FinalRays(TActor& actor) {
  Hurt(actor);
  auto& w = actor.Work;
  const int32_t step = w[kFinalClock] % kBurstFrames;
  if (step == 0) {
    w[kFinalAimX] = PlayerActor->X;
    w[kFinalAimY] = PlayerActor->Y;
    actor.Pattern = 0;
  }
  if (step == kFirstRayFrame) PlaySound(kSoundBlip);
  if (step >= kFirstRayFrame) {
    actor.Pattern = 1;
    SpawnRay(actor.X + kRayOffsetX, actor.Y + kRayOffsetY, w[kFinalAimX], w[kFinalAimY]);
  }
  w[kFinalClock] += 1;
  if (w[kFinalClock] >= kFinalRayFrames) BackToIdle(actor);
}

void FinalBeamStart(TActor& actor) {
  Hurt(actor);
  actor.Work[kFinalClock] = 0;
  actor.Work[kFinalOrb] = NewChargeOrb(actor.X, actor.Y);
  actor.Move = FinalCharging;
}

void FinalCharging(TActor& actor) {
  Hurt(actor);
  auto& w = actor.Work;
  w[kFinalClock] += 1;
  PullPlayer(kPullX, kPullY, false);
  for (int32_t i = 0; i < kParticlesPerFrame; ++i)
    SpawnChargeParticle(actor, kFinalClock, kParticleClockLimit);
  ScaleChargeOrb(w[kFinalOrb], w[kFinalClock]);
  if (w[kFinalClock] != kFinalChargeFrames) return;
  w[kFinalClock] = 0;
  FreeChargeOrb(w[kFinalOrb]);
  ChangeLook(actor, kRecoilImage, kRecoilFlashImage);
  Enter(actor, FinalRecoil);
  LaunchBeam(actor);
}

void FinalRecoil(TActor& actor) {
  Hurt(actor);
  int32_t& c = actor.Work[kFinalClock];
  c += 1;
  if (c == kRecoilPatternFrame) actor.Pattern = 1;
  if (c > kFinalRecoilFrames) BackToIdle(actor);
}

void FinalBeamMove(TActor& actor) {
  MoveToward(actor, kBeamTargetX, actor.Y, LaunchTable);
  if (actor.X < 0) actor.Active = 0;
}

// Comes from farther right than the others, at y 190.
void SpawnFinalBoss(TActor& actor) {
  actor.X = kLateBossX;
  actor.Y = kFinalBossY;
  auto& w = actor.Work;
  w[kFinalLastHitPoints] = w[kHitPoints];
  w[kFinalSmoke] = kFinalFirstSmoke;
  w[kFinalClock] = 0;
  w[kFinalCoreFlag] = 0;
  w[kFinalOrb] = 0;
  w[kFinalAimX] = 0;
  w[kFinalAimY] = 0;
}

}  // namespace tolvane
