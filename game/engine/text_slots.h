#pragma once
// The text buffers of the text actors: 64 slots of 64 characters (63 and a NUL) with
// a used flag, plus a spare buffer handed out when all are in use. Callers keep the
// returned buffer and may rewrite the text in place while the actor lives.
#include <array>
#include <cstdint>
#include <string_view>

namespace tolvane {

inline constexpr int32_t kTextSlotCount = 64;
inline constexpr int32_t kTextSlotSize = 64;   // bytes per buffer, NUL included
inline constexpr int32_t kSpareTextSlot = 64;  // index of SpareTextBuffer in TextSlot

// Slots 0..63, then the spare buffer at kSpareTextSlot.
extern std::array<std::array<char, kTextSlotSize>, kTextSlotCount + 1> TextSlot;
extern std::array<uint8_t, kTextSlotCount> TextSlotUsed;
// Writes into it are harmless and show nowhere; it is never marked used.
extern char* const SpareTextBuffer;

// Takes the lowest free slot, marks it used and copies text into it, cut to 63
// characters. Returns the slot number, or -1 when all 64 are used.
int32_t TakeTextSlot(std::string_view text);
// Marks a slot free; numbers outside 0..63 are ignored.
void FreeTextSlot(int32_t slot);
void FreeAllTextSlots();
// The buffer of a slot number (0..64); nullptr for any other number.
const char* TextSlotText(int32_t slot);

// All slots free and empty (tests).
void ResetTextSlots();

}  // namespace tolvane
