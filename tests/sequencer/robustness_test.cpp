// Thousands of cut and bit-flipped versions of real and hand-built files through the analysis
// and through playback. Run under AddressSanitizer: nothing may crash or read outside the
// image, results stay within their documented values, and no note sounds after a stop.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "tests/sequencer/support/song_exercise.h"

namespace vondra {
namespace {

namespace fs = std::filesystem;

std::vector<std::vector<uint8_t>> Seeds() {
  auto seeds = testing::SeedSongs();
  const fs::path folder = fs::path(TOLVANE_TESTDATA_DIR) / "midi";
  for (const char* name : {"midly-test-asset/test-asset/Clementi.mid",
                           "midly-test-asset/test-asset/SysExTest.mid",
                           "midly-test-asset/test-asset/Levels.mid",
                           "jazz-soft-test-midi-files/midi/test-karaoke-kar.mid",
                           "jazz-soft-test-midi-files/midi/test-running-status-sysex.mid",
                           "jazz-soft-test-midi-files/midi/test-multichannel-chords-3.mid",
                           "midi-unit-test-cases/test-cases/misc/tuba-note-increasing-length.mid"}) {
    std::ifstream in(folder / name, std::ios::binary);
    if (in) seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return seeds;
}

void Check(const std::vector<uint8_t>& image, uint32_t variant, int& count) {
  const auto outcome = testing::ExerciseImage(image, variant);
  ++count;
  EXPECT_TRUE(outcome.analysisResult == 0 || outcome.analysisResult == 2) << outcome.analysisResult;
  EXPECT_TRUE(outcome.playResult == 0 || outcome.playResult == 1) << outcome.playResult;
  EXPECT_FALSE(outcome.notesLeftAfterStop);
}

TEST(Robustness, CutFilesAreReadSafely) {
  int count = 0;
  for (const auto& seed : Seeds()) {
    const size_t step = std::max<size_t>(1, seed.size() / 150);
    for (size_t length = 0; length < seed.size(); length += step) {
      Check({seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(length)},
            static_cast<uint32_t>(length), count);
    }
  }
  EXPECT_GT(count, 1000);
}

TEST(Robustness, BitFlippedFilesAreReadSafely) {
  std::mt19937 random(7);
  int count = 0;
  for (const auto& seed : Seeds()) {
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
  EXPECT_GT(count, 2000);
}

}  // namespace
}  // namespace vondra
