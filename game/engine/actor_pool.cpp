#include "game/engine/actor_pool.h"

#include "game/engine/image_geometry.h"
#include "game/engine/text_slots.h"

namespace tolvane {

std::array<TActor, kPoolSize> ActorPool;
TActor ScratchActor;

namespace {

// The end slot of each scan is never tested: LayerBack never takes 329, the other
// layers never take 0.
constexpr int32_t kFrontFirst = 300;
constexpr int32_t kBackLast = kPoolSize - 2;

void ResetSlot(TActor& a) {
  a.Active = 1;
  a.Kind = KindNeutral;
  a.X = a.Y = a.Width = a.Height = 0;
  a.ScaleX = a.ScaleY = 100;
  a.Image = kNoImage;
  a.Pattern = 0;
  a.CenterX = a.CenterY = 0;
  a.HitScale = 80;
  a.Move = nullptr;
  a.Draw = nullptr;
  a.Alpha = 255;
  a.Blink = 0;
  a.Flash = 0;
  a.FlashImage = kNoImage;
  a.BlinkPhase = 1;
  a.AnimIndex = 0;
  a.AnimStep = 1;
  a.AnimCount = 0;
  a.AnimMode = AnimLoop;
  a.PatternPeriod = 0;
  // AnimTable and Work are left as the previous occupant wrote them (cheap, and what the
  // behaviours are written for): a behaviour must set every Work word it reads.
}

}  // namespace

TActor& NewActor(uint8_t layer) {
  int32_t first = kPoolSize - 1;
  int32_t last = 1;
  int32_t step = -1;
  if (layer == LayerBack) {
    first = 0;
    last = kBackLast;
    step = 1;
  } else if (layer == LayerFront) {
    first = kFrontFirst;
  }
  for (int32_t slot = first;; slot += step) {
    TActor& a = ActorPool[static_cast<size_t>(slot)];
    if (a.Active == 0) {
      ResetSlot(a);
      return a;
    }
    if (slot == last) break;
  }
  return ScratchActor;
}

void SetImage(TActor& actor, int32_t image) {
  actor.Image = image;
  TakeImageGeometry(actor, image);
}

void ClearAllActors() {
  for (TActor& a : ActorPool) a.Active = 0;
  FreeAllTextSlots();
}

void ClearSceneActors() {
  for (TActor& a : ActorPool) {
    if (!(a.Active == 1 && a.Kind == KindPersistent)) a.Active = 0;
  }
  FreeAllTextSlots();
}

void MoveActors() {
  for (TActor& a : ActorPool) {
    if (a.Active != 0 && a.Move != nullptr) a.Move(a);
  }
}

int32_t SlotOf(const TActor& actor) {
  if (&actor >= ActorPool.data() && &actor < ActorPool.data() + kPoolSize) {
    return static_cast<int32_t>(&actor - ActorPool.data());
  }
  return kScratchSlot;
}

TActor& ActorAt(int32_t slot) {
  if (slot >= 0 && slot < kPoolSize) return ActorPool[static_cast<size_t>(slot)];
  return ScratchActor;
}

void ResetActorPool() {
  for (TActor& a : ActorPool) a = TActor{};
  ScratchActor = TActor{};
}

}  // namespace tolvane
