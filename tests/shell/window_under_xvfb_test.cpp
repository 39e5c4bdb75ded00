// The real program in a real (virtual) X server: after its first frames the window shows
// the menu bar above a picture, and Escape + Enter closes it with a clean exit. Without its
// image archive it says so in a box and on standard error, and ends with status 1. A lone Alt
// opens the first menu and Escape closes one level; the quit question answers only fresh key
// presses; full screen and back keeps the window's place under a window manager, and without
// one F4 stays in the window and says so once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "presentation/png_writer.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/screen_dump.h"

namespace {

namespace fs = std::filesystem;

bool OnPath(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// xvfb-run -a takes the first display number without a lock file, which two servers
// starting at once can both pick; starting the search at a number of this process's own
// keeps test runs side by side (other builds, other checkouts) apart.
// In a build with AddressSanitizer the game's leak check at exit is turned off here: SDL loads
// the X11 and D-Bus client libraries at run time and unloads them at exit, so what they keep for
// the life of the process is reported from modules no longer known and cannot be told apart by
// name. Memory errors are still caught, and the game's own code is leak-checked by the headless
// tests.
std::string XvfbRun(const std::string& screen = "800x600") {
  std::string command = "xvfb-run -a -n " + std::to_string(100 + ::getpid() % 800) +
                        " -s '-screen 0 " + screen + "x24' ";
#if defined(__SANITIZE_ADDRESS__)
  const char* options = std::getenv("ASAN_OPTIONS");
  const std::string given =
      options != nullptr && *options != '\0' ? std::string(options) + ":" : "";
  command = "ASAN_OPTIONS='" + given + "detect_leaks=0' " + command;
#endif
  return command;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

using tolvane::ReadScreenDump;
using tolvane::ScreenDump;

int Brightest(uint32_t rgb) {
  return std::max({int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)});
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Runs tests/shell/<script> in a virtual X server with `out` and the built game; false when a
// tool it needs is missing.
bool RunGameScript(const std::string& script, const fs::path& out,
                   std::initializer_list<const char*> tools,
                   const std::string& screen = "800x600") {
  for (const char* tool : tools) {
    if (!OnPath(tool)) return false;
  }
  const fs::path game = fs::path(TOLVANE_BINARY_DIR) / "game" / "tolvane";
  fs::remove_all(out);
  fs::create_directories(out);
  const std::string command = XvfbRun(screen) + "sh '" TOLVANE_SOURCE_DIR "/tests/shell/" + script +
                              "' '" + out.string() + "' '" + game.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return true;
}

// Pixels of the grey of a box's title bar in a screen dump: a box is open in the window.
int BoxPixels(const ScreenDump& shot) {
  constexpr uint32_t kBoxTitleBar = 0xD1D1D1;
  return int(std::count(shot.pixels.begin(), shot.pixels.end(), kBoxTitleBar));
}

TEST(WindowUnderXvfb, ShowsMenuBarAndPictureThenClosesCleanly) {
  for (const char* tool : {"xvfb-run", "xwd", "xdotool"}) {
    if (!OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
  }
  const fs::path game = fs::path(TOLVANE_BINARY_DIR) / "game" / "tolvane";
  ASSERT_TRUE(fs::exists(game)) << game;
  ASSERT_TRUE(fs::exists(game.parent_path() / "tolvgfx.dxg"));
  const fs::path out = fs::path(TOLVANE_BINARY_DIR) / "tests" / "shell" / "xvfb-run";
  fs::remove_all(out);
  fs::create_directories(out);

  const std::string command = XvfbRun() +
                              "sh '" TOLVANE_SOURCE_DIR "/tests/shell/run_under_xvfb.sh' '" +
                              out.string() + "' '" + game.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  EXPECT_EQ(ReadText(out / "status.txt"), "0\n") << "stderr: " << ReadText(out / "stderr.txt");
  std::map<std::string, int> geometry;
  std::istringstream lines(ReadText(out / "geometry.txt"));
  for (std::string line; std::getline(lines, line);) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) geometry[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
  }
  // Without a window manager the window sits exactly where the program put it.
  EXPECT_EQ(geometry["X"], 100);
  EXPECT_EQ(geometry["Y"], 100);
  EXPECT_EQ(geometry["WIDTH"], 480);
  const int menuBar = geometry["HEIGHT"] - 320;
  EXPECT_GE(menuBar, 16) << "a menu bar above the 320-pixel picture";

  ScreenDump shot;
  ASSERT_TRUE(ReadScreenDump(out / "shot.xwd", &shot));
  pres::WritePng((out / "shot.png").string(), shot.width, shot.height, shot.pixels);
  const int left = geometry["X"], top = geometry["Y"];
  int light = 0, dark = 0, barPixels = 0;
  for (int y = top; y < top + menuBar; ++y) {
    for (int x = left; x < left + 480; ++x, ++barPixels) {
      const int bright = Brightest(shot.At(x, y));
      light += bright > 180 ? 1 : 0;
      dark += bright < 100 ? 1 : 0;
    }
  }
  EXPECT_GT(light, barPixels * 7 / 10) << "a light menu bar";
  EXPECT_GT(dark, 100) << "with captions written on it";
  int lit = 0;
  for (int y = top + menuBar; y < top + menuBar + 320; ++y) {
    for (int x = left; x < left + 480; ++x) lit += Brightest(shot.At(x, y)) > 24 ? 1 : 0;
  }
  EXPECT_GT(lit, 480 * 320 / 2) << "the picture is there and not black";

  std::istringstream cpu(ReadText(out / "cpu.txt"));
  long before = 0, after = 0, perSecond = 100;
  cpu >> before >> after >> perSecond;
  RecordProperty("startup_ms", ReadText(out / "startup_ms.txt"));
  const std::string idle = std::to_string(double(after - before) * 100.0 / double(perSecond) / 3.0);
  RecordProperty("idle_cpu_percent", idle);
  std::printf("start-up %s ms, CPU while running %s %%\n",
              std::to_string(std::atoi(ReadText(out / "startup_ms.txt").c_str())).c_str(),
              idle.c_str());
}

TEST(WindowUnderXvfb, MissingArchiveIsShownInABoxAndEndsWithStatusOne) {
  for (const char* tool : {"xvfb-run", "xwd", "xdotool"}) {
    if (!OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
  }
  const fs::path built = fs::path(TOLVANE_BINARY_DIR) / "game";
  ASSERT_TRUE(fs::exists(built / "tolvane")) << built;
  // The program and its library alone in a folder: no archive beside them.
  tolvane::ScratchFolder scratch;
  const fs::path folder = scratch / "game";
  fs::create_directories(folder);
  for (const char* file : {"tolvane", "libvondra.so"}) fs::copy_file(built / file, folder / file);
  const fs::path out = scratch / "out";
  fs::create_directories(out);

  const std::string command =
      XvfbRun() + "sh '" TOLVANE_SOURCE_DIR "/tests/shell/missing_archive_under_xvfb.sh' '" +
      out.string() + "' '" + (folder / "tolvane").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  EXPECT_EQ(ReadText(out / "status.txt"), "1\n")
      << "ends with a failure status once the box is answered";
  const std::string said = ReadText(out / "stderr.txt");
  EXPECT_NE(said.find("tolvgfx.dxg"), std::string::npos) << said;
  EXPECT_NE(said.find(folder.string()), std::string::npos)
      << "names the folder looked in: " << said;

  std::map<std::string, int> geometry;
  std::istringstream lines(ReadText(out / "geometry.txt"));
  for (std::string line; std::getline(lines, line);) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) geometry[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
  }
  ASSERT_GT(geometry["WIDTH"], 0);
  ScreenDump shot;
  ASSERT_TRUE(ReadScreenDump(out / "shot.xwd", &shot));
  pres::WritePng((out / "shot.png").string(), shot.width, shot.height, shot.pixels);
  // The box (light, with dark writing) sits in the otherwise black window.
  int light = 0, dark = 0;
  for (int y = geometry["Y"]; y < std::min(shot.height, geometry["Y"] + geometry["HEIGHT"]); ++y) {
    for (int x = geometry["X"]; x < std::min(shot.width, geometry["X"] + geometry["WIDTH"]); ++x) {
      const int bright = Brightest(shot.At(x, y));
      light += bright > 180 ? 1 : 0;
      dark += bright < 100 ? 1 : 0;
    }
  }
  EXPECT_GT(light, 2000) << "a box is open in the window";
  EXPECT_GT(dark, 0);
}

// Pixels of an open menu's light grey over the picture of a window at 100, 100 whose menu
// bar is 22 pixels high; the picture itself has none.
int MenuPixels(const ScreenDump& shot) {
  int count = 0;
  for (int y = 122; y < 442; ++y) {
    for (int x = 100; x < 580; ++x) {
      const uint32_t rgb = shot.At(x, y);
      const int red = int(rgb >> 16), green = int(rgb >> 8 & 0xFF), blue = int(rgb & 0xFF);
      count += red == green && green == blue && red >= 0xE8 ? 1 : 0;
    }
  }
  return count;
}

TEST(WindowUnderXvfb, MenuKeysThenQuitQuestionTakesFreshKeysAndFullScreenIsRefused) {
  const fs::path out = fs::path(TOLVANE_BINARY_DIR) / "tests" / "shell" / "xvfb-box-keys";
  if (!RunGameScript("box_keys_under_xvfb.sh", out, {"xvfb-run", "xwd", "xdotool", "xwininfo"}))
    GTEST_SKIP() << "a tool of the virtual X server is not installed";
  EXPECT_EQ(Lines(ReadText(out / "steps.txt")),
            (std::vector<std::string>{"held-fire alive", "cancel alive", "full-screen alive"}))
      << "fire held when the question opened does not answer it";
  EXPECT_EQ(ReadText(out / "status.txt"), "0\n") << "fire pressed anew answers OK";
  const std::vector<std::string> placement = Lines(ReadText(out / "placement.txt"));
  ASSERT_EQ(placement.size(), 2u);
  EXPECT_EQ(placement[0], "100 100 480 342");
  EXPECT_EQ(placement[1], placement[0]) << "F4 left the window as it was";
  std::vector<int> menu;
  for (const char* step : {"menu-first", "menu-second", "menu-back", "menu-closed"}) {
    ScreenDump shot;
    ASSERT_TRUE(ReadScreenDump(out / ("shot-" + std::string(step) + ".xwd"), &shot)) << step;
    menu.push_back(MenuPixels(shot));
  }
  EXPECT_GT(menu[0], 2000) << "a lone Alt opened the first menu";
  EXPECT_GT(menu[1], menu[0] + 2000) << "S opened its submenu";
  EXPECT_GT(menu[2], 2000) << "Escape closed the submenu only";
  EXPECT_LT(menu[2], menu[1] - 2000);
  EXPECT_LT(menu[3], 100) << "a second Escape closed the first menu";
  ScreenDump question, refused, again;
  ASSERT_TRUE(ReadScreenDump(out / "shot-question.xwd", &question));
  ASSERT_TRUE(ReadScreenDump(out / "shot-refused.xwd", &refused));
  ASSERT_TRUE(ReadScreenDump(out / "shot-refused-again.xwd", &again));
  EXPECT_GT(BoxPixels(question), 2000) << "the question is still open";
  EXPECT_GT(BoxPixels(refused), 2000) << "the refusal is said";
  EXPECT_LT(BoxPixels(again), 100) << "once";
}

TEST(WindowUnderXvfb, FullScreenAndBackUnderWindowManagerKeepsThePlacement) {
  const fs::path out = fs::path(TOLVANE_BINARY_DIR) / "tests" / "shell" / "xvfb-jwm";
  if (!RunGameScript("full_screen_under_jwm.sh", out,
                     {"xvfb-run", "xdotool", "xwininfo", "xprop", "jwm"}))
    GTEST_SKIP() << "a tool of the virtual X server or the window manager is not installed";
  EXPECT_EQ(ReadText(out / "alive.txt"), "alive\n") << ReadText(out / "stderr.txt");
  EXPECT_EQ(ReadText(out / "status.txt"), "0\n");
  const std::vector<std::string> placement = Lines(ReadText(out / "placement.txt"));
  ASSERT_EQ(placement.size(), 3u);
  EXPECT_EQ(placement[1], placement[0]) << "after four F4 round trips";
  EXPECT_EQ(placement[2], placement[0]) << "after twenty round trips through the menu";
}

TEST(WindowUnderXvfb, WindowSizesShowThePictureScaledByWholeNumbers) {
  const fs::path out = fs::path(TOLVANE_BINARY_DIR) / "tests" / "shell" / "xvfb-window-size";
  if (!RunGameScript("window_size_under_xvfb.sh", out, {"xvfb-run", "xwd", "xdotool", "xwininfo"},
                     "1600x1200"))
    GTEST_SKIP() << "a tool of the virtual X server is not installed";
  EXPECT_EQ(ReadText(out / "status.txt"), "0\n") << ReadText(out / "stderr.txt");
  const std::vector<std::string> placement = Lines(ReadText(out / "placement.txt"));
  ASSERT_EQ(placement.size(), 3u);
  int left = 0, top = 0, width = 0, height = 0;
  std::istringstream(placement[0]) >> left >> top >> width >> height;
  const int menuBar = height - 320;
  ASSERT_EQ(width, 480);
  ScreenDump one;
  ASSERT_TRUE(ReadScreenDump(out / "shot-1.xwd", &one));
  for (int scale : {2, 3}) {
    const size_t at = size_t(scale - 1);
    EXPECT_EQ(placement[at], std::to_string(left) + " " + std::to_string(top) + " " +
                                 std::to_string(480 * scale) + " " +
                                 std::to_string(320 * scale + menuBar))
        << "the menu bar keeps its height above the scaled picture";
    ScreenDump scaled;
    ASSERT_TRUE(ReadScreenDump(out / ("shot-" + std::to_string(scale) + ".xwd"), &scaled));
    int wrong = 0;
    for (int y = 0; y < 320; ++y) {
      for (int x = 0; x < 480; ++x) {
        const uint32_t pixel = one.At(left + x, top + menuBar + y);
        for (int dy = 0; dy < scale; ++dy) {
          for (int dx = 0; dx < scale; ++dx) {
            wrong += scaled.At(left + x * scale + dx, top + menuBar + y * scale + dy) != pixel;
          }
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "x" << scale << ": every pixel a sharp block of the x1 picture";
  }
}

TEST(WindowUnderXvfb, FullScreenScalesTheScreenByTheLargestWholeNumberCentred) {
  const fs::path out = fs::path(TOLVANE_BINARY_DIR) / "tests" / "shell" / "xvfb-full-screen";
  if (!RunGameScript("full_screen_sharp_under_jwm.sh", out,
                     {"xvfb-run", "xwd", "xdotool", "xprop", "jwm"}, "1920x1080"))
    GTEST_SKIP() << "a tool of the virtual X server or the window manager is not installed";
  EXPECT_EQ(ReadText(out / "status.txt"), "0\n") << ReadText(out / "stderr.txt");
  ScreenDump shot;
  ASSERT_TRUE(ReadScreenDump(out / "shot.xwd", &shot));
  ASSERT_EQ(shot.width, 1920);
  // 640 x 480 at x2 is 1280 x 960 with 320/60-pixel borders; the picture is 80, 80 in it.
  int lit = 0, blurred = 0, outside = 0;
  for (int y = 0; y < 1080; ++y) {
    for (int x = 0; x < 1920; ++x) {
      const bool picture = x >= 480 && x < 1440 && y >= 220 && y < 860;
      const uint32_t pixel = shot.At(x, y);
      if (!picture) {
        outside += pixel != 0 ? 1 : 0;
        continue;
      }
      lit += pixel != 0 ? 1 : 0;
      const int blockX = x - (x - 480) % 2, blockY = y - (y - 220) % 2;
      blurred += pixel != shot.At(blockX, blockY) ? 1 : 0;
    }
  }
  EXPECT_EQ(outside, 0) << "black borders round the picture";
  EXPECT_GT(lit, 2000) << "the paused picture is there";
  EXPECT_EQ(blurred, 0) << "every picture pixel a sharp 2 x 2 block";
}

}  // namespace
