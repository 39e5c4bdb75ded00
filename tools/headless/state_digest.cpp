#include "tools/headless/state_digest.h"

#include <dlfcn.h>

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/text_slots.h"

namespace tolvane::headless {
namespace {

class Fnv1a {
 public:
  void Add(uint64_t value, int bytes = 8) {
    for (int i = 0; i < bytes; ++i) {
      hash_ ^= (value >> (8 * i)) & 0xFF;
      hash_ *= 0x100000001B3ull;
    }
  }
  uint64_t Value() const { return hash_; }

 private:
  uint64_t hash_ = 0xCBF29CE484222325ull;
};

// Where a code or data address lies inside its loaded file: the same in every run of a
// build, whatever address the loader chose.
uint64_t PlaceInProgram(const void* address) {
  if (address == nullptr) return 0;
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fbase == nullptr) return 1;
  return static_cast<uint64_t>(static_cast<const char*>(address) -
                               static_cast<const char*>(info.dli_fbase));
}

template <typename Proc>
uint64_t PlaceOfProc(Proc proc) {
  return PlaceInProgram(reinterpret_cast<const void*>(proc));
}

void AddActor(Fnv1a& h, const TActor& a) {
  h.Add(a.Active, 1);
  h.Add(a.Kind, 1);
  for (int32_t v :
       {a.X, a.Y, a.Width, a.Height, a.ScaleX, a.ScaleY, a.Image, a.Pattern, a.CenterX, a.CenterY,
        a.HitScale, a.Alpha, a.FlashImage, a.AnimIndex, a.AnimStep, a.AnimCount, a.PatternPeriod}) {
    h.Add(static_cast<uint32_t>(v), 4);
  }
  h.Add(PlaceOfProc(a.Move));
  h.Add(PlaceOfProc(a.Draw));
  h.Add(PlaceInProgram(a.AnimTable));
  for (uint8_t v : {a.Blink, a.Flash, a.BlinkPhase, a.AnimMode}) h.Add(v, 1);
  for (int32_t w : a.Work) h.Add(static_cast<uint32_t>(w), 4);
}

}  // namespace

uint64_t StateDigest() {
  Fnv1a h;
  for (int32_t v : {FrameCount, MaxSkip}) h.Add(static_cast<uint32_t>(v), 4);
  h.Add(QuitRequested, 1);
  h.Add(PlaceOfProc(SceneProc));
  for (size_t slot = 0; slot < ActorPool.size(); ++slot) {
    if (ActorPool[slot].Active == 0) continue;
    h.Add(slot, 4);
    AddActor(h, ActorPool[slot]);
  }
  for (int32_t slot = 0; slot < kTextSlotCount; ++slot) {
    if (TextSlotUsed[static_cast<size_t>(slot)] == 0) continue;
    h.Add(static_cast<uint32_t>(slot), 4);
    for (const char* c = TextSlotText(slot); *c != '\0'; ++c) h.Add(static_cast<uint8_t>(*c), 1);
  }
  return h.Value();
}

}  // namespace tolvane::headless
