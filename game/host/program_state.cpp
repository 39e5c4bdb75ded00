#include "game/host/program_state.h"

#include <cstdio>

#include "game/host/host_services.h"

namespace tolvane {

std::array<SongHandle, kMusicHandleSlots> MusicHandle{};
pres::SettingsFile* IniFile = nullptr;

void CloseMainForm() {
  if (Host().window != nullptr) Host().window->CloseMainWindow();
}

void ShowMessageBox(std::string_view text) {
  if (Host().window != nullptr) {
    Host().window->ShowMessage(text);
  } else {
    std::fprintf(stderr, "tolvane: %.*s\n", static_cast<int>(text.size()), text.data());
  }
}

}  // namespace tolvane
