#include "game/play/bosses/fortress_boss.h"

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/play/boss_behaviours.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/enemy_behaviours.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/play_field.h"
#include "game/play/speed_tables.h"

namespace tolvane {

namespace {

constexpr int32_t kFortressFirstSmoke = 6000;
constexpr int32_t kFortressHurryBelow = 6000;

constexpr int32_t kEntrySpeed = 2;
constexpr int32_t kMainImage = pic::kFortress;
constexpr int32_t kMainFlashImage = pic::kFortressFlash;
constexpr int32_t kLaunchImage = pic::kFortressLaunch;
constexpr int32_t kLaunchFlashImage = pic::kFortressLaunchFlash;

// Ray bursts: aim on step 10, a ray a frame on steps 11-14 (three when hurried), 15 steps.
constexpr int32_t kAimStep = 10;
constexpr int32_t kFirstRayStep = 11;
constexpr int32_t kLastRayStep = 14;
constexpr int32_t kBurstSteps = 15;
constexpr int32_t kRayOffsetX = -95;
constexpr int32_t kRayOffsetY = -20;
constexpr int32_t kRaySpread = 20;  // the hurried bursts' extra rays aim this far above and below

// Pods every 40 steps, from (x - 110, y + 80); hurried, the steps run twice as fast.
constexpr int32_t kPodSteps = 40;
constexpr int32_t kPodOffsetX = -110;
constexpr int32_t kPodOffsetY = 80;

// The retreat: toward (250, 160) for 50 frames, then away to (650, 160); a dart every 3rd
// frame from (550, random y) at the player, 20 pixels a frame.
constexpr int32_t kLungeFrames = 50;
constexpr int32_t kLungeX = 250;
constexpr int32_t kAwayX = 650;
constexpr int32_t kDartSteps = 3;
constexpr int32_t kDartX = kOffFieldRight;
constexpr int32_t kDartYStream = 1;
constexpr int32_t kDartScore = 50;
constexpr int32_t kDartHitPoints = 7;
constexpr int32_t kDartSpeed = 20;

bool Hurried(const TActor& actor) {
  return actor.Work[kHitPoints] < actor.Work[kFortressHurry];
}

void LaunchDart() {
  TActor& dart = NewActor(LayerFront);
  SetImage(dart, kFortressDartImage);
  dart.X = kDartX;
  dart.Y = static_cast<int32_t>(RandomNext(kDartYStream, kFieldHeight));
  dart.Kind = KindEnemy;
  SetEnemyWords(dart, CurrentRecordDrop(), kDartScore, kDartHitPoints);
  auto& w = dart.Work;
  w[kOriginX] = dart.X;
  w[kOriginY] = dart.Y;
  w[kTargetX] = PlayerActor->X;
  w[kTargetY] = PlayerActor->Y;
  w[kShotSpeed] = kDartSpeed;
  w[kShotFrames] = 0;
  dart.Move = DartMove;
}

}  // namespace

void FortressBoss(TActor& actor) {
  actor.Y = kFortressRestY;
  if (actor.X > kFortressRestX) actor.X -= kEntrySpeed;
  if (actor.X > kFortressRestX) return;
  actor.X = kFortressRestX;
  actor.FlashImage = kMainFlashImage;
  actor.Flash = 0;
  actor.Work[kHitPoints] = actor.Work[kFortressKeptHitPoints];
  actor.Move = FortressRays;
}

void FortressRays(TActor& actor) {
  auto& w = actor.Work;
  HitFlash(actor, kFortressLastHitPoints);
  w[kFortressPhaseClock] += 1;
  const int32_t s = w[kFortressStepClock] += 1;
  if (s == kAimStep) {
    w[kFortressAimX] = PlayerActor->X;
    w[kFortressAimY] = PlayerActor->Y;
  } else if (s >= kFirstRayStep && s <= kLastRayStep) {
    const int32_t x = actor.X + kRayOffsetX;
    const int32_t y = actor.Y + kRayOffsetY;
    SpawnRay(x, y, w[kFortressAimX], w[kFortressAimY]);
    if (Hurried(actor)) {
      SpawnRay(x, y, w[kFortressAimX], w[kFortressAimY] - kRaySpread);
      SpawnRay(x, y, w[kFortressAimX], w[kFortressAimY] + kRaySpread);
    }
  } else if (s == kBurstSteps) {
    w[kFortressStepClock] = 0;
  }
  if (w[kFortressPhaseClock] == kFortressPhaseFrames) {
    w[kFortressPhaseClock] = 0;
    w[kFortressStepClock] = 0;
    ChangeLook(actor, kLaunchImage, kLaunchFlashImage);
    actor.Move = FortressLaunch;
  }
  DamageSmoke(actor, kFortressSmoke);
}

void FortressLaunch(TActor& actor) {
  auto& w = actor.Work;
  HitFlash(actor, kFortressLastHitPoints);
  w[kFortressPhaseClock] += 1;
  w[kFortressStepClock] += Hurried(actor) ? 2 : 1;
  if (w[kFortressStepClock] >= kPodSteps) {
    w[kFortressStepClock] = 0;
    LaunchPod(actor.X + kPodOffsetX, actor.Y + kPodOffsetY);
  }
  if (w[kFortressPhaseClock] == kFortressPhaseFrames) {
    w[kFortressPhaseClock] = 0;
    w[kFortressStepClock] = 0;
    ChangeLook(actor, kMainImage, kNoImage);
    actor.Flash = 0;
    w[kFortressKeptHitPoints] = w[kHitPoints];
    w[kHitPoints] = kFortressRetreatHitPoints;
    actor.Move = FortressRetreat;
  }
  DamageSmoke(actor, kFortressSmoke);
}

void FortressRetreat(TActor& actor) {
  auto& w = actor.Work;
  w[kFortressPhaseClock] += 1;
  w[kFortressStepClock] += 1;
  if (w[kFortressPhaseClock] < kLungeFrames) {
    MoveToward(actor, kLungeX, kFortressRestY, SoftGlideTable);
  } else {
    MoveToward(actor, kAwayX, kFortressRestY, RetreatTable);
  }
  if (w[kFortressStepClock] == kDartSteps) {
    w[kFortressStepClock] = 0;
    LaunchDart();
  }
  if (w[kFortressPhaseClock] == kFortressRetreatFrames) {
    w[kFortressPhaseClock] = 0;
    w[kFortressStepClock] = 0;
    actor.Move = FortressBoss;
  }
}

// Comes from farther right than the others.
void SpawnFortressBoss(TActor& actor) {
  actor.X = kLateBossX;
  auto& w = actor.Work;
  w[kFortressKeptHitPoints] = w[kHitPoints];
  w[kFortressSmoke] = kFortressFirstSmoke;
  w[kFortressPhaseClock] = 0;
  w[kFortressStepClock] = 0;
  w[kFortressAimX] = 0;
  w[kFortressAimY] = 0;
  w[kFortressLastHitPoints] = w[kHitPoints];
  w[kFortressHurry] = kFortressHurryBelow;
}

}  // namespace tolvane
