#pragma once
// A 64-bit digest of the game's state after a frame: the frame globals, every active actor
// field by field, and the text of every used text slot. How procedure and table addresses
// count is the caller's choice: by their place inside the program file (the same in every
// run of one build) or only by whether they are set (the same in every build).
#include <cstdint>

namespace tolvane {

// FNV-1a, 64 bits, fed little-endian.
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

struct DigestRules {
  uint64_t (*codePlace)(const void* address);  // what a procedure or table address adds
  bool withMaxSkip;                            // the frame-skip setting counts too
};

uint64_t StateDigest(const DigestRules& rules);

}  // namespace tolvane
