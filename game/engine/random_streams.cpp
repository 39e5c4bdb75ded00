#include "game/engine/random_streams.h"

#include <cstddef>

namespace tolvane {

namespace {

constexpr std::array<uint32_t, kRandomStreams> kSeeds = {
    918287, 3391, 3, 1162719, 62713, 138325, 727713, 65539, 65539,
};
constexpr uint32_t kMultiplier = 1566083941u;

std::array<uint32_t, kRandomStreams> seed{};
std::array<uint32_t, kRandomStreams> counter{};

}  // namespace

uint32_t RandomNext(int32_t stream, uint32_t range) {
  if (stream < 0 || stream >= kRandomStreams || range == 0) return 0;
  const auto s = static_cast<size_t>(stream);
  counter[s] += 1;
  seed[s] = seed[s] * kMultiplier + 1u + counter[s];  // unsigned: wraps modulo 2^32
  return seed[s] % range;
}

void RandomReset() {
  seed = kSeeds;
  counter.fill(0);
}

RandomState CurrentRandomState() {
  return {seed, counter};
}

void RestoreRandomState(const RandomState& state) {
  seed = state.seed;
  counter = state.counter;
}

void ResetRandomState() {
  seed.fill(0);
  counter.fill(0);
}

}  // namespace tolvane
