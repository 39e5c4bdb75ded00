#include "game/flow/flow_hooks.h"

#include <ctime>

namespace tolvane {

namespace {

constexpr int32_t kTmYearBase = 1900;
// Used only when the system gives no local time.
constexpr CalendarDate kFallbackDate = {1970, 1, 1};

}  // namespace

CalendarDate SystemDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return kFallbackDate;
  return {local.tm_year + kTmYearBase, local.tm_mon + 1, local.tm_mday};
}

std::string DataFolder() {
  return {};
}

DateProc TodaysDate = &SystemDate;
FolderProc ProgramFolder = &DataFolder;

void ResetFlowHooks() {
  TodaysDate = &SystemDate;
  ProgramFolder = &DataFolder;
}

}  // namespace tolvane
