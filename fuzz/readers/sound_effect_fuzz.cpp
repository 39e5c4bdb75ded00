// libFuzzer target: any text is a sound-effect description that renders to the length it
// gives, or is refused with a ParseError; rendering twice gives the same samples.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/sfxgen/sfx_synth.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sfxgen::Effect effect;
  try {
    effect = sfxgen::ParseEffect(std::string_view(reinterpret_cast<const char*>(data), size),
                                 "fuzz.sfx");
  } catch (const sfxgen::ParseError&) {
    return 0;
  }
  const auto samples = sfxgen::Render(effect);
  if (samples.size() != static_cast<size_t>(std::lround(effect.length * sfxgen::kSampleRate)))
    std::abort();
  if (sfxgen::Render(effect) != samples) std::abort();
  if (sfxgen::WavFile(samples).size() < samples.size() + 44) std::abort();
  return 0;
}
