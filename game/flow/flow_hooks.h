#pragma once
// What the game flow asks of the system besides the window: today's date (for a new
// high-score entry) and the folder the stage files lie in. Both are procedures a test
// may replace, so a run stays deterministic.
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
// The folder of the running program (the stage files lie beside it).
std::string SystemProgramFolder();

using DateProc = CalendarDate (*)();
using FolderProc = std::string (*)();
extern DateProc TodaysDate;       // SystemDate unless replaced
extern FolderProc ProgramFolder;  // SystemProgramFolder unless replaced

// Both back to the system's (tests).
void ResetFlowHooks();

}  // namespace tolvane
