#include "tools/headless/headless_host.h"

#include <cstdio>

#include "presentation/display.h"

namespace tolvane::headless {

ClientSize HeadlessHost::ClientAreaSize() const {
  if (fullScreen_) return {pres::kFullScreenWidth, pres::kFullScreenHeight};
  return {pres::kScreenWidth, pres::kScreenHeight};
}

void HeadlessHost::ShowMessage(std::string_view text) {
  std::fprintf(stderr, "tolvane-headless: %.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace tolvane::headless
