// A game played in the real window under a virtual X server, with key presses as a person
// makes them (moves, fire, a weapon switch, tails lost, a continue), is recorded by the game
// and plays back headless to the same final digest; also when ticks come late and frames
// go undrawn. Chosen in the replays menu, the replay is watched in the window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "game/play/stage_codes.h"
#include "game/replay/replay_file.h"
#include "game/replay/replay_store.h"
#include "tests/support/screen_dump.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

const fs::path kBuiltGame = fs::path(TOLVANE_BINARY_DIR) / "game";

bool OnPath(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A copy of the game whose first stage sends darts at the player until every tail is gone.
void MakeRunFolder(const fs::path& run) {
  fs::create_directories(run);
  fs::copy_file(kBuiltGame / "tolvane", run / "tolvane");
  for (const auto& entry : fs::directory_iterator(kBuiltGame)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".dxg" || entry.path().extension() == ".mid" ||
        name.rfind("libvondra.so", 0) == 0)
      fs::create_symlink(entry.path(), run / name);
  }
  std::vector<StageRecord> darts;
  for (int32_t time = 40; time < 6000; time += 8)
    darts.push_back({time, 5, 520, int16_t(60 + time % 200), 0});
  darts.push_back({6000, kCodeStageClear, 0, 0, 0});
  for (int stage = 1; stage <= 5; ++stage) {
    std::ofstream file(run / ("stage" + std::to_string(stage) + ".bin"), std::ios::binary);
    for (const StageRecord& r : darts) {
      uint8_t bytes[kStageRecordSize];
      EncodeStageRecord(r, bytes);
      file.write(reinterpret_cast<const char*>(bytes), kStageRecordSize);
    }
  }
}

// Pixels of the REPLAY mark's red letters (smoothed at their edges): strong red, green and
// blue alike, which the game's oranges are not.
int MarkPixels(const ScreenDump& shot) {
  return int(std::count_if(shot.pixels.begin(), shot.pixels.end(), [](uint32_t rgb) {
    const int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
    return r >= 150 && r - g >= 100 && std::abs(g - b) <= 6;
  }));
}

class ReplayWindow : public ::testing::TestWithParam<bool> {};

TEST_P(ReplayWindow, AGamePlayedInTheWindowPlaysBackHeadless) {
  for (const char* tool : {"xvfb-run", "xdotool", "xwd"}) {
    if (!OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
  }
  const bool slow = GetParam();
  const fs::path out = fs::path(TOLVANE_BINARY_DIR) / "tests" / "replay" /
                       (slow ? "xvfb-replay-slow" : "xvfb-replay");
  fs::remove_all(out);
  MakeRunFolder(out / "run");
  // A table no score of this game enters, so no name entry stands in the way.
  fs::create_directories(out / "home" / "tolvane-echo");
  std::ofstream table(out / "home" / "tolvane-echo" / "qarnwell.ini");
  table << "[Tolvane Echo]\n";
  for (int n = 0; n < 10; ++n) table << "RANK" << n << "=BEST 99999999 2024 1 1\n";
  table.close();

  const std::string command =
      "xvfb-run -a -n " + std::to_string(100 + ::getpid() % 800) +
      " -s '-screen 0 800x600x24' sh '" TOLVANE_SOURCE_DIR "/tests/replay/replay_under_xvfb.sh' '" +
      out.string() + "' '" + (out / "run" / "tolvane").string() + "' " + (slow ? "1" : "0");
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  ASSERT_EQ(ReadText(out / "status.txt"), "0\n") << "stderr: " << ReadText(out / "stderr.txt");
  if (!slow) {
    EXPECT_EQ(ReadText(out / "status-game.txt"), "0\n");
    ScreenDump watching, stopped;
    ASSERT_TRUE(ReadScreenDump(out / "shot-watching.xwd", &watching));
    ASSERT_TRUE(ReadScreenDump(out / "shot-stopped.xwd", &stopped));
    EXPECT_GT(MarkPixels(watching), 20) << "the replay chosen in the menu is watched, marked";
    EXPECT_EQ(MarkPixels(stopped), 0) << "Escape ended it";
  }

  const std::vector<KeptReplay> kept =
      ReplayStore((out / "home" / "tolvane-echo" / "replays").string()).List();
  ASSERT_EQ(kept.size(), 1u) << "stderr: " << ReadText(out / "stderr.txt");
  // The darts take every tail in well under 40 s: one game this long went on by continuing.
  EXPECT_GT(kept[0].frames, 1500u);
  std::ifstream in(kept[0].path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  const Replay replay = std::get<Replay>(DecodeReplay(bytes));
  bool undrawn = false;
  for (const SampleRun& run : replay.runs) undrawn = undrawn || (run.sample & kSkippedFrame) != 0;
  EXPECT_EQ(undrawn, slow) << "frames go undrawn only when ticks come late";

  const std::string play = "SDL_VIDEODRIVER=dummy '" + (kBuiltGame / "tolvane-headless").string() +
                           "' --replay '" + kept[0].path + "' --data '" + (out / "run").string() +
                           "' --digest /dev/null 2> '" + (out / "playback.txt").string() + "'";
  EXPECT_EQ(std::system(play.c_str()), 0) << ReadText(out / "playback.txt");
}

INSTANTIATE_TEST_SUITE_P(Ticks, ReplayWindow, ::testing::Values(false, true),
                         [](const auto& ticks) { return ticks.param ? "Late" : "OnTime"; });

}  // namespace
}  // namespace tolvane
