#pragma once
// What the game's screens ask of the program around them, in one record: the music calls, today's
// date, the folder of the game's data and the main window (closing it, its message boxes). The
// program's defaults serve the game as it is; a window program installs its window, and a test
// replaces any part and puts everything back with ResetHost().
#include <cstdint>
#include <string>
#include <string_view>

#include "vondra.h"

namespace tolvane {

struct CalendarDate {
  int32_t year;
  int32_t month;  // 1-12
  int32_t day;    // 1-31
};

// The sequencer library's calls the game makes; an entry left empty does nothing.
struct MusicCalls {
  SongHandle (*createHandle)(const char* fileName);
  int32_t (*play)(SongHandle handle, int32_t repeat);
  void (*fadeout)(int32_t fadeTime);
  void (*stop)();
};

// What the program behind the main window does for the screens (window or headless).
class MainWindowServices {
 public:
  virtual ~MainWindowServices() = default;
  // Ends the message loop; takes effect when the current tick (if any) has finished.
  virtual void CloseMainWindow() = 0;
  // A modal message box with an OK button; returns when it has been dismissed.
  virtual void ShowMessage(std::string_view text) = 0;
};

// The library's exports.
MusicCalls LibraryMusicCalls();
// The local date from the system clock.
CalendarDate SystemDate();
// The folder of the game's data: empty, meaning the working folder, which the main window
// made the program's own folder at start-up (the tunes are found there the same way).
std::string DataFolder();

struct HostServices {
  MusicCalls music = LibraryMusicCalls();
  CalendarDate (*today)() = &SystemDate;
  std::string (*dataFolder)() = &DataFolder;
  MainWindowServices* window = nullptr;  // installed by the main window while it exists
};

HostServices& Host();

// The record back to the program's defaults, the music handle slots emptied and no settings
// file (tests, and a program that starts a fresh run in the same process).
void ResetHost();

}  // namespace tolvane
