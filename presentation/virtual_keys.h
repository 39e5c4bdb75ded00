#pragma once
// Windows virtual-key codes the game and its key table use.
namespace pres::vk {

inline constexpr int kBack = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kMenu = 0x12;  // Alt
inline constexpr int kPause = 0x13;
inline constexpr int kCapital = 0x14;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kPrior = 0x21;
inline constexpr int kNext = 0x22;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kInsert = 0x2D;
inline constexpr int kDelete = 0x2E;
inline constexpr int k0 = 0x30;  // '0'..'9' are their characters
inline constexpr int kA = 0x41;  // 'A'..'Z' likewise
inline constexpr int kNumpad0 = 0x60;
inline constexpr int kMultiply = 0x6A;
inline constexpr int kAdd = 0x6B;
inline constexpr int kSubtract = 0x6D;
inline constexpr int kDecimal = 0x6E;
inline constexpr int kDivide = 0x6F;
inline constexpr int kF1 = 0x70;
inline constexpr int kF2 = 0x71;
inline constexpr int kF4 = 0x73;
inline constexpr int kOemSemicolon = 0xBA;
inline constexpr int kOemPlus = 0xBB;
inline constexpr int kOemComma = 0xBC;
inline constexpr int kOemMinus = 0xBD;
inline constexpr int kOemPeriod = 0xBE;
inline constexpr int kOemSlash = 0xBF;
inline constexpr int kOemBackquote = 0xC0;
inline constexpr int kOemOpenBracket = 0xDB;
inline constexpr int kOemBackslash = 0xDC;
inline constexpr int kOemCloseBracket = 0xDD;
inline constexpr int kOemQuote = 0xDE;

inline constexpr int Letter(char c) {
  return kA + (c - 'A');
}
inline constexpr int Numpad(int digit) {
  return kNumpad0 + digit;
}

}  // namespace pres::vk
