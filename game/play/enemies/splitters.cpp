// Splitter (code 3), TwinSplitter (code 11) and their halves, Scatterer.
#include "game/play/enemies/splitters.h"

#include "content/images/picture_ids.h"
#include "game/engine/actor_pool.h"
#include "game/play/enemies/enemy_common.h"
#include "game/play/enemy_shots.h"
#include "game/play/game_state.h"
#include "game/play/play_field.h"
#include "game/play/speed_tables.h"

namespace tolvane {

namespace {

// Both glide toward x 240 on their own row and split once left of 250.
constexpr int32_t kGlideToX = 240;
constexpr int32_t kSplitX = 250;

// The halves: each has 10 hit points whatever the splitter had left; the twin is worth
// 200 and drops nothing.
constexpr int32_t kHalfHitPoints = 10;
constexpr int32_t kHalfSpread = 6;
constexpr int32_t kHalfSpeed = 5;
constexpr int32_t kTwinScore = 200;
constexpr int32_t kTwinHitScale = 80;

// The TwinSplitter's twin: its own picture, cycling.
constexpr int32_t kTwinSplitterImage = pic::kTwinSplitter;
constexpr int32_t kTwinSplitterPatternPeriod = 5;

constexpr int32_t kTwinSplitterChance = 80;
constexpr int32_t kSplitterChancePerStage = 10;

enum class TwinLook { Animated, TwinSplitter };

void Split(TActor& actor, TwinLook look) {
  actor.Work[kScatterDY] = -kHalfSpread;
  actor.Work[kHitPoints] = kHalfHitPoints;
  actor.Move = Scatterer;

  TActor& twin = NewActor(LayerBack);
  if (look == TwinLook::Animated) {
    twin.Image = kAnimatedImage;
    twin.AnimTable = kSplitterAnim;
  } else {
    SetImage(twin, kTwinSplitterImage);
    twin.PatternPeriod = kTwinSplitterPatternPeriod;
  }
  twin.X = actor.X;
  twin.Y = actor.Y;
  twin.Kind = KindEnemy;
  twin.HitScale = kTwinHitScale;
  SetEnemyWords(twin, 0, kTwinScore, kHalfHitPoints);
  twin.Work[kScatterDY] = kHalfSpread;
  twin.Move = Scatterer;
}

// Fires every frame up to the split, and once more in the frame of the split.
void GlideAndSplit(TActor& actor, SpeedTable table, TwinLook look, int32_t chance) {
  MoveToward(actor, kGlideToX, actor.Y, table);
  if (actor.X < kSplitX) Split(actor, look);
  EnemyFire(actor, chance, kAimedShotSpeed);
}

}  // namespace

void Splitter(TActor& actor) {
  GlideAndSplit(actor, SoftGlideTable, TwinLook::Animated, kSplitterChancePerStage * StageNumber());
}

void TwinSplitter(TActor& actor) {
  GlideAndSplit(actor, GlideTable, TwinLook::TwinSplitter, kTwinSplitterChance);
}

void Scatterer(TActor& actor) {
  actor.X -= kHalfSpeed;
  actor.Y += actor.Work[kScatterDY];
  LeaveIfOff(actor, osLeft + osTop + osBottom);
}

void SpawnSplitter(TActor& actor) {
  actor.Image = kAnimatedImage;
  actor.AnimTable = kSplitterAnim;
}

}  // namespace tolvane
