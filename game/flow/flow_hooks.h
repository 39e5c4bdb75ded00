#pragma once
// What the game flow asks of the system besides the window: today's date (for a new
// high-score entry) and the folder the stage files lie in. Both are procedures a test
// may replace, so a run stays deterministic and finds its own stage files.
#include <cstdint>
#include <string>

namespace tolvane {

struct CalendarDate {
  int32_t year;
  int32_t month;  // 1-12
  int32_t day;    // 1-31
};

// The local date from the system clock.
CalendarDate SystemDate();
// The folder of the game's data: empty, meaning the working folder, which the main window
// made the program's own folder at start-up (the tunes are found there the same way).
std::string DataFolder();

using DateProc = CalendarDate (*)();
using FolderProc = std::string (*)();
extern DateProc TodaysDate;       // SystemDate unless replaced
extern FolderProc ProgramFolder;  // DataFolder unless replaced

// Both back to the system's (tests).
void ResetFlowHooks();

}  // namespace tolvane
