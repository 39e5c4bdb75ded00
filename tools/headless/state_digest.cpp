#include "tools/headless/state_digest.h"

#include <dlfcn.h>

#include "game/engine/state_digest.h"

namespace tolvane::headless {
namespace {

// Where a code or data address lies inside its loaded file: the same in every run of a
// build, whatever address the loader chose.
uint64_t PlaceInProgram(const void* address) {
  if (address == nullptr) return 0;
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fbase == nullptr) return 1;
  return static_cast<uint64_t>(static_cast<const char*>(address) -
                               static_cast<const char*>(info.dli_fbase));
}

}  // namespace

uint64_t StateDigest() {
  return tolvane::StateDigest(DigestRules{&PlaceInProgram, true});
}

}  // namespace tolvane::headless
