#include "game/host/host_services.h"

#include <ctime>

#include "game/host/program_state.h"

namespace tolvane {

namespace {

constexpr int32_t kTmYearBase = 1900;
// Used only when the system gives no local time.
constexpr CalendarDate kFallbackDate = {1970, 1, 1};

}  // namespace

MusicCalls LibraryMusicCalls() {
  return {&mmsCreateHandle, &mmsPlay, &mmsFadeout, &mmsStop};
}

CalendarDate SystemDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return kFallbackDate;
  return {local.tm_year + kTmYearBase, local.tm_mon + 1, local.tm_mday};
}

std::string DataFolder() {
  return {};
}

HostServices& Host() {
  static HostServices services;
  return services;
}

void ResetHost() {
  Host() = HostServices{};
  MusicHandle.fill(nullptr);
  IniFile = nullptr;
}

}  // namespace tolvane
