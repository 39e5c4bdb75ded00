#include "game/shell/video_start.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace tolvane {
namespace {

// The X input method reads the locale's whole compose table (half a megabyte of text, the
// largest single cost of SDL's start); the table only serves typed text.
constexpr const char* kComposeFileVariable = "XCOMPOSEFILE";
constexpr const char* kEmptyComposeFile = "/dev/null";
// With no session bus to be had, SDL's connection attempt forks the whole process to run a
// launcher that is not there; an address no bus answers on ends the attempt at once.
constexpr const char* kSessionBusVariable = "DBUS_SESSION_BUS_ADDRESS";
constexpr const char* kNoSessionBus = "disabled:";
constexpr const char* kBusLauncher = "dbus-launch";
constexpr const char* kBusLauncherDirectory = "/usr/bin";

bool Executable(const std::string& path) {
  return access(path.c_str(), X_OK) == 0;
}

bool OnSearchPath(std::string_view program) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "";
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    const std::string_view directory = rest.substr(0, colon);
    if (!directory.empty() && Executable(std::string(directory) + "/" + std::string(program))) {
      return true;
    }
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  }
  return false;
}

}  // namespace

bool SessionBusPossible() {
  if (std::getenv(kSessionBusVariable) != nullptr) return true;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    if (access((std::string(runtime) + "/bus").c_str(), F_OK) == 0) return true;
  }
  return Executable(std::string(kBusLauncherDirectory) + "/" + kBusLauncher) ||
         OnSearchPath(kBusLauncher);
}

VideoStartSettings::VideoStartSettings() {
  Set(kComposeFileVariable, kEmptyComposeFile);
  if (!SessionBusPossible()) Set(kSessionBusVariable, kNoSessionBus);
}

VideoStartSettings::~VideoStartSettings() {
  for (const std::string& name : setNames_) unsetenv(name.c_str());
}

void VideoStartSettings::Set(const char* name, const char* value) {
  if (std::getenv(name) != nullptr) return;
  setenv(name, value, 1);
  setNames_.emplace_back(name);
}

}  // namespace tolvane
