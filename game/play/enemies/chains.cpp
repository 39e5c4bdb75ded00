// Serpent (code 8) with its grown segments, and Snake (code 28) with its body.
#include "game/play/enemies/chains.h"

#include <array>

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/engine/random_streams.h"
#include "game/engine/sound.h"
#include "game/play/enemies/enemy_common.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"
#include "game/play/play_math.h"
#include "game/play/speed_tables.h"
#include "presentation/trig.h"

namespace tolvane {

namespace {

constexpr int32_t kFirstGrowth = 250;  // the serpent's first segment grows below this
constexpr size_t kSnakeSegments = 20;

// A grown segment: the serpent's picture, 3 pixels behind the last segment and up to 40
// above or below it; it hurts on contact and cannot be shot.
constexpr int32_t kSerpentImage = pic::kSerpent;
constexpr int32_t kGrowBehind = 3;
constexpr uint32_t kGrowSpread = 80;
constexpr int32_t kSegmentScore = 50;
constexpr int32_t kSegmentHitPoints = 10;
// One segment for every 2 hit points below the first threshold.
constexpr int32_t kGrowthStep = 2;

// The snake: 5 pixels left a frame on a wave of 3 pixels, 20/256 of a turn a frame;
// gone once well past the left edge.
constexpr int32_t kSnakeSpeed = 5;
constexpr int32_t kSnakeWaveStep = 20;
constexpr int32_t kSnakeWaveHeight = 3;
constexpr int32_t kSnakeGoneX = -350;
constexpr int32_t kSnakeChance = 10;

// Glides after the actor ahead while the head still runs its head behaviour.
void Follow(TActor& segment, int leaderWord, int headWord, MoveProc headMove) {
  const TActor& head = ActorAt(segment.Work[headWord]);
  if (head.Active == 0 || head.Move != headMove) {
    segment.Active = 0;
    return;
  }
  const TActor& leader = ActorAt(segment.Work[leaderWord]);
  MoveToward(segment, leader.X, leader.Y, SoftGlideTable);
}

void GrowSegment(TActor& serpent) {
  PlaySound(kSoundLetter);
  const int32_t lastSlot = serpent.Work[kSerpentLast];
  const TActor& last = ActorAt(lastSlot);
  TActor& segment = NewActor(LayerFront);
  SetImage(segment, kSerpentImage);
  segment.X = last.X + kGrowBehind;
  segment.Y = last.Y + static_cast<int32_t>(RandomNext(0, kGrowSpread)) -
              static_cast<int32_t>(kGrowSpread / 2);
  segment.Kind = KindEnemyShot;
  SetEnemyWords(segment, 0, kSegmentScore, kSegmentHitPoints);
  segment.Work[kSerpentSegmentLeader] = lastSlot;
  segment.Work[kSerpentSegmentBlank] = 0;
  segment.Work[kSerpentSegmentHead] = SlotOf(serpent);
  segment.Move = SerpentSegment;
  serpent.Work[kSerpentThreshold] -= kGrowthStep;
  serpent.Work[kSerpentLast] = SlotOf(segment);
}

}  // namespace

// Chases the player and never fires. At most one segment grows per frame, so a heavy hit
// grows the tail over several frames.
void Serpent(TActor& actor) {
  MoveToward(actor, PlayerActor->X, PlayerActor->Y, SerpentTable);
  if (actor.Work[kHitPoints] < actor.Work[kSerpentThreshold]) GrowSegment(actor);
}

void SerpentSegment(TActor& actor) {
  Follow(actor, kSerpentSegmentLeader, kSerpentSegmentHead, Serpent);
}

void Snake(TActor& actor) {
  HitFlash(actor, kSnakeHitPoints);
  actor.X -= kSnakeSpeed;
  actor.Work[kSnakeAngle] += kSnakeWaveStep;
  actor.Y -= RoundToInt(pres::Sin256(actor.Work[kSnakeAngle]) * kSnakeWaveHeight);
  EnemyFire(actor, kSnakeChance, kAimedShotSpeed);
  if (actor.X < kSnakeGoneX) actor.Active = 0;
}

void SnakeSegment(TActor& actor) {
  Follow(actor, kSegmentLeader, kSegmentHead, Snake);
}

void SpawnSerpent(TActor& actor) {
  actor.Work[kSerpentLast] = SlotOf(actor);
  actor.Work[kSerpentThreshold] = kFirstGrowth;
}

void SpawnSnake(TActor& actor) {
  actor.Work[kSnakeAngle] = 0;
  actor.Work[kSnakeHitPoints] = actor.Work[kHitPoints];
}

TActor& NewSnakeWithBody(uint8_t layer, int32_t x, int32_t y) {
  std::array<TActor*, kSnakeSegments> segments{};
  for (TActor*& segment : segments) segment = &NewActor(layer);
  TActor& head = NewActor(layer);
  int32_t leader = SlotOf(head);
  for (TActor* segment : segments) {
    SetImage(*segment, pic::kDragonBody);
    segment->X = x;
    segment->Y = y;
    segment->Kind = KindEnemyShot;
    SetEnemyWords(*segment, 0, kSegmentScore, kSegmentHitPoints);
    segment->Work[kSegmentLeader] = leader;
    segment->Work[kSegmentHead] = SlotOf(head);
    segment->Move = SnakeSegment;
    leader = SlotOf(*segment);
  }
  return head;
}

}  // namespace tolvane
