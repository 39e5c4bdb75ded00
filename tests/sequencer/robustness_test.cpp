// Thousands of cut and bit-flipped versions of real and hand-built files through the analysis
// and through playback. Run under AddressSanitizer: nothing may crash or read outside the
// image, results stay within their documented values, and no note sounds after a stop.
// The hand-built songs always run; the real files only where the shared test data is present.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "tests/sequencer/support/song_exercise.h"

namespace vondra {
namespace {

namespace fs = std::filesystem;
using Image = std::vector<uint8_t>;

const fs::path kMidiFolder = fs::path(TOLVANE_TESTDATA_DIR) / "midi";

constexpr const char* kRealFiles[] = {
    "midly-test-asset/test-asset/Clementi.mid",
    "midly-test-asset/test-asset/SysExTest.mid",
    "midly-test-asset/test-asset/Levels.mid",
    "jazz-soft-test-midi-files/midi/test-karaoke-kar.mid",
    "jazz-soft-test-midi-files/midi/test-running-status-sysex.mid",
    "jazz-soft-test-midi-files/midi/test-multichannel-chords-3.mid",
    "midi-unit-test-cases/test-cases/misc/tuba-note-increasing-length.mid"};

// The real files; a file missing from a present folder fails the test rather than shrinking it.
std::vector<Image> RealSeeds() {
  std::vector<Image> seeds;
  for (const char* name : kRealFiles) {
    std::ifstream in(kMidiFolder / name, std::ios::binary);
    EXPECT_TRUE(in) << "missing " << name;
    if (in)
      seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return seeds;
}

void Check(const Image& image, uint32_t variant, int& count) {
  const auto outcome = testing::ExerciseImage(image, variant);
  ++count;
  EXPECT_TRUE(outcome.analysisResult == 0 || outcome.analysisResult == 2) << outcome.analysisResult;
  EXPECT_TRUE(outcome.playResult == 0 || outcome.playResult == 1) << outcome.playResult;
  EXPECT_FALSE(outcome.notesLeftAfterStop);
}

// Every seed cut at about 150 lengths from empty to one byte short; returns the cases run.
int CutAll(const std::vector<Image>& seeds) {
  int count = 0;
  for (const auto& seed : seeds) {
    const size_t step = std::max<size_t>(1, seed.size() / 150);
    for (size_t length = 0; length < seed.size(); length += step) {
      Check({seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(length)},
            static_cast<uint32_t>(length), count);
    }
  }
  return count;
}

// 300 variants of every seed with one to four bits flipped; returns the cases run.
int FlipAll(const std::vector<Image>& seeds) {
  std::mt19937 random(7);
  int count = 0;
  for (const auto& seed : seeds) {
    for (int variant = 0; variant < 300; ++variant) {
      auto image = seed;
      const int flips = 1 + static_cast<int>(random() % 4);
      for (int flip = 0; flip < flips; ++flip) {
        // Half the flips land in the first 64 bytes, where the header and first events are.
        const size_t span = random() % 2 ? std::min<size_t>(64, image.size()) : image.size();
        image[random() % span] ^= static_cast<uint8_t>(1u << (random() % 8));
      }
      Check(image, static_cast<uint32_t>(variant), count);
    }
  }
  return count;
}

TEST(Robustness, CutHandBuiltFilesAreReadSafely) {
  EXPECT_GT(CutAll(testing::SeedSongs()), 400);
}

TEST(Robustness, BitFlippedHandBuiltFilesAreReadSafely) {
  EXPECT_EQ(FlipAll(testing::SeedSongs()), 300 * static_cast<int>(testing::SeedSongs().size()));
}

TEST(Robustness, CutRealFilesAreReadSafely) {
  if (!fs::is_directory(kMidiFolder)) GTEST_SKIP() << "no test data at " << kMidiFolder;
  EXPECT_GT(CutAll(RealSeeds()), 1000);
}

TEST(Robustness, BitFlippedRealFilesAreReadSafely) {
  if (!fs::is_directory(kMidiFolder)) GTEST_SKIP() << "no test data at " << kMidiFolder;
  EXPECT_EQ(FlipAll(RealSeeds()), 300 * static_cast<int>(std::size(kRealFiles)));
}

}  // namespace
}  // namespace vondra
