#pragma once
// What the main window owns for the whole run and the game's screens use: the MIDI handle slots
// and the settings file object; and closing the main window and its message boxes, through the
// window the host record holds. The screens reach the window only through these, so they never
// depend on the toolkit.
#include <array>
#include <cstdint>
#include <string_view>

#include "presentation/settings_file.h"
#include "vondra.h"

namespace tolvane {

inline constexpr int32_t kMusicHandleSlots = 30;
// The settings file that holds the high-score table.
inline constexpr const char* kSettingsFileName = "qarnwell.ini";

// Sequencer handles made by the screens; every non-zero one is destroyed at shut-down.
extern std::array<SongHandle, kMusicHandleSlots> MusicHandle;
// The settings file object; null before start-up made it and after shut-down.
extern pres::SettingsFile* IniFile;

// Closes the main window (the title menu's quit, QuitRequested). Nothing without a window.
void CloseMainForm();
// Shows a message in a modal box in the main window and waits until it is dismissed
// (the missing stage file). Without a window the text goes to standard error.
void ShowMessageBox(std::string_view text);

}  // namespace tolvane
