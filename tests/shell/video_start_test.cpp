// The settings held while SDL starts its video system.
#include "game/shell/video_start.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace tolvane {
namespace {

// Sets or removes one variable for a test and puts it back afterwards.
class Variable {
 public:
  Variable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~Variable() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string Get(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "(unset)";
}

TEST(VideoStartSettings, HoldOnlyWhileSdlStartsAndNeverReplaceThePlayersOwn) {
  const Variable compose("XCOMPOSEFILE", nullptr);
  const Variable bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/players-bus");
  {
    const VideoStartSettings settings;
    EXPECT_EQ(Get("XCOMPOSEFILE"), "/dev/null");
    EXPECT_EQ(Get("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/run/players-bus");
  }
  EXPECT_EQ(Get("XCOMPOSEFILE"), "(unset)");
  EXPECT_EQ(Get("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/run/players-bus");

  // No address, no per-user bus and no launcher to be found: the attempt is cut short.
  const Variable noAddress("DBUS_SESSION_BUS_ADDRESS", nullptr);
  const Variable noRuntime("XDG_RUNTIME_DIR", "/nonexistent");
  const Variable noPath("PATH", "/nonexistent");
  if (access("/usr/bin/dbus-launch", X_OK) == 0) GTEST_SKIP() << "a bus launcher is installed";
  EXPECT_FALSE(SessionBusPossible());
  {
    const VideoStartSettings settings;
    EXPECT_EQ(Get("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
  }
  EXPECT_EQ(Get("DBUS_SESSION_BUS_ADDRESS"), "(unset)");
  // A launcher anywhere on the search path may start a bus.
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "launcher";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "dbus-launch") << "#!/bin/sh\n";
  std::filesystem::permissions(folder / "dbus-launch", std::filesystem::perms::owner_all);
  const Variable launcherOnPath("PATH", ("/nonexistent::" + folder.string()).c_str());
  EXPECT_TRUE(SessionBusPossible());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tolvane
