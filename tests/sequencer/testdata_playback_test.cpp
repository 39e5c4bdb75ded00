// Every MIDI file written by others goes through the engine with the fake clock and the
// recording output, until it ends or a time cap: nothing crashes, nothing reads outside the
// image (run it under AddressSanitizer), and no note is left sounding.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/sequencer/support/engine_harness.h"

namespace vondra {
namespace {

namespace fs = std::filesystem;

const fs::path kMidiFolder = fs::path(TOLVANE_TESTDATA_DIR) / "midi";

// Files play start must refuse: no "MThd" (not MIDI, empty, a RIFF wrapper, a raw SysEx dump),
// a chunk other than "MTrk" where a track is due, or a file cut short before its last tracks
// (PiDamaged.mid declares 30 tracks; the 3rd claims 1.2 MB and the file ends 64 KiB in).
const std::set<std::string> kRefused = {
    "test-empty-file.mid", "test-not-a-midi-file.mid",         "test-non-midi-track.mid",
    "Beethoven.rmi",       "test-syx-7e-06-01-id-request.syx", "PiDamaged.mid",
};

std::vector<fs::path> MidiFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const auto extension = entry.path().extension();
    if (entry.is_regular_file() &&
        (extension == ".mid" || extension == ".rmi" || extension == ".syx")) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PlayEveryFile(const std::string& collection, int32_t repeat, int32_t invert, uint32_t capMs) {
  const fs::path folder = kMidiFolder / collection;
  if (!fs::exists(folder)) GTEST_SKIP() << folder << " is absent";
  const auto files = MidiFiles(folder);
  ASSERT_FALSE(files.empty());
  for (const auto& path : files) {
    SCOPED_TRACE(path.string());
    testing::EngineHarness harness;
    for (auto& entry : harness.analysis) entry.averageNote = 66;
    const int32_t result = harness.Play(ReadAll(path), repeat, invert);
    EXPECT_EQ(result, kRefused.count(path.filename().string()) ? 1 : 0);
    harness.RunUntilStopped(capMs);
    harness.player.Stop();
    harness.RunUntilStopped(1000);  // the stop's messages go out
    EXPECT_TRUE(harness.output().SoundingNotes().empty());
    if (result != 0) {
      EXPECT_EQ(harness.output().Count(), 0u);
    }
  }
}

TEST(TestDataPlayback, JazzSoftFilesOnce) {
  PlayEveryFile("jazz-soft-test-midi-files", 0, 0, 60000);
}
TEST(TestDataPlayback, JazzSoftFilesLoopedAndInverted) {
  PlayEveryFile("jazz-soft-test-midi-files", 1, 1, 5000);
}
TEST(TestDataPlayback, UnitTestCasesOnce) {
  PlayEveryFile("midi-unit-test-cases", 0, 0, 60000);
}
TEST(TestDataPlayback, UnitTestCasesLoopedAndInverted) {
  PlayEveryFile("midi-unit-test-cases", 1, 1, 5000);
}
TEST(TestDataPlayback, RealSongsOnce) {
  PlayEveryFile("midly-test-asset", 0, 0, 600000);
}
TEST(TestDataPlayback, RealSongsLoopedAndInverted) {
  PlayEveryFile("midly-test-asset", 1, 1, 20000);
}

}  // namespace
}  // namespace vondra
