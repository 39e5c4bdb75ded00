// The fortress's pods: each flies straight at where the player was at 5 pixels a frame with
// a sideways wiggle, firing now and then, and drags a tail of segments that glide after it
// and vanish with it.
#include <array>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/play/bosses/boss_rules.h"
#include "game/play/bosses/fortress_boss.h"
#include "game/play/enemy_shots.h"
#include "game/play/enemy_words.h"
#include "game/play/game_state.h"
#include "game/play/play_field.h"
#include "game/play/play_math.h"
#include "game/play/speed_tables.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr int32_t kPodFlashImage = pic::kDragonHeadFlash;
constexpr int32_t kPodSpeed = 5;
constexpr int32_t kWiggleStep = 20;  // 256ths a frame
constexpr int32_t kWiggleWidth = 3;
constexpr int32_t kSideways = 64;  // a quarter turn
constexpr int32_t kPodFireChance = 10;

// A pod is done once this far off the field; it may leave on any side.
constexpr int32_t kPodRange = 350;

constexpr int32_t kTailScore = 50;
constexpr int32_t kTailHitPoints = 10;

bool PodGone(const TActor& pod) {
  return pod.X < -kPodRange || pod.X > kFieldWidth + kPodRange || pod.Y < -kPodRange ||
         pod.Y > kFieldHeight + kPodRange;
}

}  // namespace

int32_t LaunchPod(int32_t x, int32_t y) {
  // The tail is taken first so that, like the snake's body, it lies under its pod.
  std::array<TActor*, kPodTailSegments> tail{};
  for (TActor*& segment : tail) segment = &NewActor(LayerBack);
  TActor& pod = NewActor(LayerBack);
  SetImage(pod, kPodImage);
  pod.FlashImage = kPodFlashImage;
  pod.X = x;
  pod.Y = y;
  pod.Kind = KindEnemy;
  SetEnemyWords(pod, CurrentRecordDrop(), kPodScore, kPodHitPoints);
  auto& w = pod.Work;
  w[kOriginX] = x;
  w[kOriginY] = y;
  w[kShotAngle] = Angle256Toward(x, y, PlayerActor->X, PlayerActor->Y);
  w[kShotFrames] = 0;
  w[kPodWiggle] = 0;
  w[kPodLastHitPoints] = kPodHitPoints;
  pod.Move = WavePodMove;

  const int32_t podSlot = SlotOf(pod);
  int32_t leader = podSlot;
  for (TActor* segment : tail) {
    SetImage(*segment, kPodTailImage);
    segment->X = x;
    segment->Y = y;
    segment->Kind = KindEnemyShot;
    SetEnemyWords(*segment, 0, kTailScore, kTailHitPoints);
    segment->Work[kPodTailLeader] = leader;
    segment->Work[kPodTailPod] = podSlot;
    segment->Move = PodTailMove;
    leader = SlotOf(*segment);
  }
  return podSlot;
}

void WavePodMove(TActor& actor) {
  auto& w = actor.Work;
  w[kShotFrames] += 1;
  w[kPodWiggle] += kWiggleStep;
  const int32_t q = w[kShotAngle];
  const int32_t flown = kPodSpeed * w[kShotFrames];
  const double wiggle = kWiggleWidth * pres::Sin256(w[kPodWiggle]);
  actor.X = w[kOriginX] + RoundToInt(flown * pres::Cos256(q)) +
            RoundToInt(wiggle * pres::Cos256(q + kSideways));
  actor.Y = w[kOriginY] + RoundToInt(flown * pres::Sin256(q)) +
            RoundToInt(wiggle * pres::Sin256(q + kSideways));
  HitFlash(actor, kPodLastHitPoints);
  EnemyFire(actor, kPodFireChance, kBossFireSpeed);
  if (PodGone(actor)) actor.Active = 0;
}

void PodTailMove(TActor& actor) {
  const TActor& pod = ActorAt(actor.Work[kPodTailPod]);
  if (pod.Active == 0 || pod.Move != WavePodMove) {
    actor.Active = 0;
    return;
  }
  const TActor& leader = ActorAt(actor.Work[kPodTailLeader]);
  MoveToward(actor, leader.X, leader.Y, SoftGlideTable);
}

}  // namespace tolvane
