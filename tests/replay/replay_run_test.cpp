// Replays of the headless game: a game played from the title is recorded by the game itself
// and plays back with the same state digest at every frame; an input changed in the file is
// caught at the next stored digest; a file that cannot be trusted is refused with a message
// naming it, and neither the replays nor the high scores are touched.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "game/replay/replay_file.h"
#include "game/replay/replay_store.h"
#include "game/replay/replay_texts.h"
#include "tests/support/scratch_folder.h"
#include "tools/headless/autopilot.h"
#include "tools/headless/headless_run.h"
#include "tools/headless/key_script.h"

namespace tolvane::headless {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const fs::path kGameFolder = fs::path(TOLVANE_BINARY_DIR) / "game";

// Start from the title; fly and fire; switch weapon.
constexpr const char* kKeys =
    "2 +Space\n3 -Space\n40 +Z\n60 +Right\n130 -Right +Up\n170 -Up +Down +Left\n"
    "230 -Down -Left +X\n232 -X\n300 -Z\n";

std::vector<uint8_t> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ReplayRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kGameFolder / "tolvgfx.dxg"));
    ::setenv("XDG_DATA_HOME", (scratch_ / "home").c_str(), 1);
  }
  void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }

  // A run of the game; its digest lines, standard error and status.
  struct Outcome {
    int status;
    std::vector<std::string> digests;
    std::string messages;
  };
  Outcome Run(RunOptions options, PadSource* keys) {
    options.replayFolder = replays_.string();
    std::ostringstream digests;
    ::testing::internal::CaptureStderr();
    const int status = RunHeadless(options, keys, digests);
    return {status, Lines(digests.str()), ::testing::internal::GetCapturedStderr()};
  }
  Outcome Record(int32_t frames) {
    std::string error;
    auto keys = KeyScript::Parse(kKeys, &error);
    RunOptions options;
    options.dataDirectory = kGameFolder.string();
    options.frames = frames;
    options.record = true;
    return Run(options, &*keys);
  }
  Outcome Play(const fs::path& file, const fs::path& data = kGameFolder) {
    RunOptions options;
    options.dataDirectory = data.string();
    options.frames = 1000000;
    options.replayFile = file.string();
    return Run(options, nullptr);
  }
  fs::path OnlyReplay() {
    const std::vector<KeptReplay> kept = ReplayStore(replays_.string()).List();
    return kept.size() == 1 ? fs::path(kept[0].path) : fs::path();
  }

  ScratchFolder scratch_;
  const fs::path replays_ = scratch_ / "replays";
};

TEST_F(ReplayRun, AGameFromTheTitlePlaysBackFrameForFrame) {
  const Outcome recorded = Record(400);
  ASSERT_EQ(recorded.status, 0) << recorded.messages;
  const fs::path file = OnlyReplay();
  ASSERT_FALSE(file.empty()) << "quitting ends the game and keeps it";

  const Outcome played = Play(file);
  ASSERT_EQ(played.status, 0) << played.messages;
  ASSERT_GT(played.digests.size(), 350u);
  EXPECT_EQ(played.digests.back(), recorded.digests.back());
  // The boot frame is the player's own; every frame of the game is the recording's.
  for (size_t n = 1; n < played.digests.size(); ++n) {
    const size_t at = n + recorded.digests.size() - played.digests.size();
    ASSERT_EQ(played.digests[n], recorded.digests[at]);
  }
  EXPECT_EQ(ReplayStore(replays_.string()).List().size(), 1u) << "watching records nothing";
}

// The frame (counted from 1) at which the run with this index starts.
size_t RunStartFrame(const Replay& replay, size_t run) {
  size_t frame = 1;
  for (size_t n = 0; n < run; ++n) frame += replay.runs[n].frames;
  return frame;
}

TEST_F(ReplayRun, AnInputChangedInTheFileIsCaughtAtTheNextStoredDigest) {
  ASSERT_EQ(Record(400).status, 0);
  const fs::path file = OnlyReplay();
  std::vector<uint8_t> bytes = Bytes(file);
  const Replay replay = std::get<Replay>(DecodeReplay(bytes));

  // Walks the input section (README.md) to the change byte of the run in which Up goes down,
  // and makes it press Down instead.
  size_t at = kReplayHeaderSize + (bytes[48] | size_t{bytes[49]} << 8);
  auto skipVar = [&] {
    while ((bytes[at++] & 0x80) != 0) {
    }
  };
  skipVar();  // the first sample
  skipVar();  // its length
  size_t run = 1;
  size_t upAt = 0;
  for (; upAt == 0; ++run) {
    do {
      if ((bytes[at] & 0x7F) == 0) upAt = at;  // Up is bit 0
    } while ((bytes[at++] & 0x80) != 0);
    skipVar();
  }
  --run;
  bytes[upAt] ^= 1;
  Write(file, bytes);

  const size_t changed = RunStartFrame(replay, run);
  const size_t expected = (changed + kDigestEvery - 1) / kDigestEvery * kDigestEvery;
  const Outcome played = Play(file);
  EXPECT_EQ(played.status, 1);
  EXPECT_THAT(played.messages, HasSubstr(kDesyncReplay + std::to_string(expected) + "\n"));
}

TEST_F(ReplayRun, FilesThatCannotBeTrustedAreRefusedNamingTheFile) {
  ASSERT_EQ(Record(200).status, 0);
  const fs::path file = OnlyReplay();
  const std::vector<uint8_t> good = Bytes(file);
  fs::create_directories(scratch_ / "home" / "tolvane-echo");
  std::ofstream(scratch_ / "home" / "tolvane-echo" / "qarnwell.ini")
      << "[Tolvane Echo]\nRANK0=ME 5 2024 1 1\n";
  const auto before = Bytes(scratch_ / "home" / "tolvane-echo" / "qarnwell.ini");

  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::string message;
  };
  std::vector<uint8_t> version(good), corrupted(good);
  version.at(8) = 9;
  corrupted.at(40) ^= 0x55;
  const std::vector<Case> cases = {
      {"cut.tvr", {good.begin(), good.begin() + long(good.size() / 2)}, kTruncatedReplay},
      {"damaged.tvr", corrupted, kCorruptedReplay},
      {"later.tvr", version, std::string(kOtherVersionReplay) + "9"},
      {"picture.tvr", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0}, kNotAReplay},
  };
  for (const Case& c : cases) {
    Write(scratch_ / c.name, c.bytes);
    const Outcome played = Play(scratch_ / c.name);
    EXPECT_EQ(played.status, 1) << c.name;
    EXPECT_THAT(played.messages,
                HasSubstr(c.message + "\n" + kReplayFileLine + (scratch_ / c.name).string()));
    EXPECT_EQ(played.digests.size(), 2u) << c.name << ": the game went on, nothing was played";
  }
  const Outcome missing = Play(scratch_ / "gone.tvr");
  EXPECT_THAT(missing.messages, HasSubstr(kCannotReadReplay));

  // Other game data: a stage file that is not the one the game was recorded with.
  const fs::path data = scratch_ / "data";
  fs::create_directories(data);
  for (const auto& entry : fs::directory_iterator(kGameFolder)) {
    if (entry.path().extension() == ".dxg" || entry.path().extension() == ".bin")
      fs::copy(entry.path(), data / entry.path().filename());
  }
  std::ofstream(data / "stage5.bin", std::ios::app) << std::string(20, '\0');
  const Outcome other = Play(file, data);
  EXPECT_EQ(other.status, 1);
  EXPECT_THAT(other.messages,
              HasSubstr(std::string(kOtherDataReplay) + "\n" + kReplayFileLine + file.string()));

  EXPECT_EQ(Bytes(file), good) << "the replay itself is untouched";
  EXPECT_EQ(ReplayStore(replays_.string()).List().size(), 1u);
  EXPECT_EQ(Bytes(scratch_ / "home" / "tolvane-echo" / "qarnwell.ini"), before);
}

}  // namespace
}  // namespace tolvane::headless
