#include "game/engine/pad_input.h"

#include "game/engine/actor_pool.h"
#include "game/engine/frame_state.h"
#include "game/engine/work_slots.h"
#include "presentation/services.h"

namespace tolvane {

namespace {

// ReadMenuKey's six inputs are numbered 1..6 (up, down, left, right, button 1,
// button 2); input j is pad bit j - 1.
constexpr int kMenuInputs = 6;
constexpr int32_t kFirstRepeatCalls = 6;
constexpr int32_t kRepeatCalls = 2;
constexpr uint64_t kAllStates = (uint64_t{1} << kPadStates) - 1;

uint64_t Mask(int32_t input) {
  return input >= 1 && input <= kMenuInputs ? uint64_t{1} << (input - 1) : 0;
}

void ToPad(uint64_t bits, TPadState& pad) {
  for (size_t i = 0; i < pad.size(); ++i) pad[i] = static_cast<uint8_t>(bits >> (8 * i));
}

uint64_t FromPad(const TPadState& pad) {
  uint64_t bits = 0;
  for (size_t i = 0; i < pad.size(); ++i) bits |= uint64_t{pad[i]} << (8 * i);
  return bits & kAllStates;
}

int32_t& Held(TActor& a, int j) {
  return a.Work[static_cast<size_t>(kMenuHeldWord + j)];
}

}  // namespace

bool PadHeld(const TPadState& pad, int bit) {
  if (bit < 0 || bit >= kPadStates) return false;
  return (pad[static_cast<size_t>(bit / 8)] >> (bit % 8) & 1) != 0;
}

void ReadPad(TPadState& state) {
  uint64_t bits = 0;
  if (pres::InputDevice* input = pres::Services().input) {
    input->Update();
    bits = input->States() & kAllStates;
  }
  ToPad(bits, state);
}

void ReadMenuKey(TActor& a, TPadState& keys) {
  int32_t& counter = a.Work[kMenuCounterWord];
  int32_t& repeating = a.Work[kMenuRepeatingWord];
  int32_t& current = a.Work[kMenuCurrentWord];
  ToPad(0, keys);
  MenuKeysFrame = FrameCount;

  uint64_t old = 0;
  for (int j = 1; j <= kMenuInputs; ++j) {
    if (Held(a, j) == 1) old |= Mask(j);
  }
  TPadState sampled{};
  ReadPad(sampled);
  const uint64_t now = FromPad(sampled);
  for (int j = 1; j <= kMenuInputs; ++j) Held(a, j) = (now & Mask(j)) != 0 ? 1 : 0;

  if (now != old) {
    const uint64_t pressed = now & ~old;
    for (int j = 1; j <= kMenuInputs; ++j) {
      if ((pressed & Mask(j)) != 0) {
        current = j;
        repeating = 0;
        counter = 0;
        ToPad(Mask(j), keys);
        return;
      }
      if ((now & Mask(j)) == 0 && j == current) {  // the repeated input was released
        current = 0;
        repeating = 0;
        counter = 0;
      }
    }
  }

  counter += 1;
  if (counter < (repeating == 0 ? kFirstRepeatCalls : kRepeatCalls)) return;
  ToPad(Mask(current), keys);
  counter = 0;
  repeating = 1;
}

TActor& NewMenuKeyReader() {
  TActor& a = NewActor(LayerBack);
  a.Work[kMenuCounterWord] = 0;
  a.Work[kMenuRepeatingWord] = 0;
  a.Work[kMenuCurrentWord] = 0;
  for (int j = 1; j <= kMenuInputs; ++j) Held(a, j) = 0;
  TPadState discarded{};
  ReadMenuKey(a, discarded);
  return a;
}

}  // namespace tolvane
