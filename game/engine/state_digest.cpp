#include "game/engine/state_digest.h"

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/text_slots.h"

namespace tolvane {
namespace {

template <typename Proc>
uint64_t PlaceOfProc(const DigestRules& rules, Proc proc) {
  return rules.codePlace(reinterpret_cast<const void*>(proc));
}

void AddActor(Fnv1a& h, const DigestRules& rules, const TActor& a) {
  h.Add(a.Active, 1);
  h.Add(a.Kind, 1);
  for (int32_t v :
       {a.X, a.Y, a.Width, a.Height, a.ScaleX, a.ScaleY, a.Image, a.Pattern, a.CenterX, a.CenterY,
        a.HitScale, a.Alpha, a.FlashImage, a.AnimIndex, a.AnimStep, a.AnimCount, a.PatternPeriod}) {
    h.Add(static_cast<uint32_t>(v), 4);
  }
  h.Add(PlaceOfProc(rules, a.Move));
  h.Add(PlaceOfProc(rules, a.Draw));
  h.Add(rules.codePlace(a.AnimTable));
  for (uint8_t v : {a.Blink, a.Flash, a.BlinkPhase, a.AnimMode}) h.Add(v, 1);
  for (int32_t w : a.Work) h.Add(static_cast<uint32_t>(w), 4);
}

}  // namespace

uint64_t StateDigest(const DigestRules& rules) {
  Fnv1a h;
  h.Add(static_cast<uint32_t>(FrameCount), 4);
  if (rules.withMaxSkip) h.Add(static_cast<uint32_t>(MaxSkip), 4);
  h.Add(QuitRequested, 1);
  h.Add(PlaceOfProc(rules, SceneProc));
  for (size_t slot = 0; slot < ActorPool.size(); ++slot) {
    if (ActorPool[slot].Active == 0) continue;
    h.Add(slot, 4);
    AddActor(h, rules, ActorPool[slot]);
  }
  for (int32_t slot = 0; slot < kTextSlotCount; ++slot) {
    if (TextSlotUsed[static_cast<size_t>(slot)] == 0) continue;
    h.Add(static_cast<uint32_t>(slot), 4);
    for (const char* c = TextSlotText(slot); *c != '\0'; ++c) h.Add(static_cast<uint8_t>(*c), 1);
  }
  return h.Value();
}

}  // namespace tolvane
