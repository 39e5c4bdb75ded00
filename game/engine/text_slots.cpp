#include "game/engine/text_slots.h"

#include <algorithm>

namespace tolvane {

std::array<std::array<char, kTextSlotSize>, kTextSlotCount + 1> TextSlot{};
std::array<uint8_t, kTextSlotCount> TextSlotUsed{};
char* const SpareTextBuffer = TextSlot[kSpareTextSlot].data();

int32_t TakeTextSlot(std::string_view text) {
  for (int32_t slot = 0; slot < kTextSlotCount; ++slot) {
    if (TextSlotUsed[static_cast<size_t>(slot)] != 0) continue;
    TextSlotUsed[static_cast<size_t>(slot)] = 1;
    auto& buffer = TextSlot[static_cast<size_t>(slot)];
    const size_t length = std::min(text.size(), buffer.size() - 1);
    std::copy_n(text.data(), length, buffer.data());
    buffer[length] = '\0';
    return slot;
  }
  return -1;
}

void FreeTextSlot(int32_t slot) {
  if (slot >= 0 && slot < kTextSlotCount) TextSlotUsed[static_cast<size_t>(slot)] = 0;
}

void FreeAllTextSlots() {
  TextSlotUsed.fill(0);
}

const char* TextSlotText(int32_t slot) {
  if (slot < 0 || slot > kSpareTextSlot) return nullptr;
  return TextSlot[static_cast<size_t>(slot)].data();
}

void ResetTextSlots() {
  for (auto& buffer : TextSlot) buffer.fill('\0');
  FreeAllTextSlots();
}

}  // namespace tolvane
