// libFuzzer target: any text either parses as a key script, with frames that never go
// back and known keys only, or is refused with a message naming its line.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/headless/key_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using tolvane::headless::KeyScript;
  std::string error;
  const auto script =
      KeyScript::Parse(std::string_view(reinterpret_cast<const char*>(data), size), &error);
  if (!script) {
    if (error.empty()) std::abort();
    return 0;
  }
  int32_t frame = 0;
  for (const auto& change : script->Changes()) {
    if (change.frame < frame || change.virtualKey <= 0) std::abort();
    frame = change.frame;
  }
  return 0;
}
