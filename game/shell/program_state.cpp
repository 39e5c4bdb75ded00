#include "game/shell/program_state.h"

#include <cstdio>

namespace tolvane {

std::array<SongHandle, kMusicHandleSlots> MusicHandle{};
pres::SettingsFile* IniFile = nullptr;

namespace {

MainWindowServices* gServices = nullptr;

}  // namespace

void SetMainWindowServices(MainWindowServices* services) {
  gServices = services;
}

void CloseMainForm() {
  if (gServices != nullptr) gServices->CloseMainWindow();
}

void ShowMessageBox(std::string_view text) {
  if (gServices != nullptr) {
    gServices->ShowMessage(text);
  } else {
    std::fprintf(stderr, "tolvane: %.*s\n", static_cast<int>(text.size()), text.data());
  }
}

}  // namespace tolvane
