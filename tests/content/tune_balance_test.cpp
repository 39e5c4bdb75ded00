// The six tunes rendered through the built-in synthesizer on each of Debian's two General MIDI
// SoundFonts: the mix is made on one, and must not fall apart on the other.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "sequencer/render/offline_renderer.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tools/common/file_io.h"

namespace vondra {
namespace {

constexpr const char* kTunes[] = {"tolvstg1", "tolvstg2", "tolvstg3",
                                  "tolvstg4", "tolvstg5", "tolvend"};
constexpr uint32_t kStepMs = 10;
constexpr uint32_t kLongestMs = 300'000;  // a tune that never ends fails instead of hanging

struct Level {
  double rmsDb;
  double peakDb;
  double seconds;  // until the tune stopped by itself
};

double Dbfs(double amplitude) {
  return 20.0 * std::log10(std::max(amplitude, 1e-9) / 32768.0);
}

// RMS and peak over both channels, as `sox stats` reports them in its Overall column.
Level Measure(const std::vector<int16_t>& samples, size_t from, double seconds) {
  double sum = 0.0;
  int peak = 0;
  for (size_t i = from; i < samples.size(); ++i) {
    sum += double(samples[i]) * samples[i];
    peak = std::max(peak, std::abs(int{samples[i]}));
  }
  const double count = double(std::max<size_t>(1, samples.size() - from));
  return {Dbfs(std::sqrt(sum / count)), Dbfs(peak), seconds};
}

class TuneBalance : public ::testing::TestWithParam<const char*> {};

TEST_P(TuneBalance, EveryTuneStaysNearItsFontsAverageBelowClipping) {
  const std::string font = std::string("/usr/share/sounds/sf2/") + GetParam() + ".sf2";
  if (access(font.c_str(), R_OK) != 0) {
    GTEST_SKIP() << font << " is not installed (scripts/install-deps.sh installs it)";
  }
  AnalysisEntries analysis{};
  testing::RecordingSink sink;
  // One synthesizer plays the tunes one after another, as in the game.
  auto renderer = OfflineRenderer::Create(analysis, sink, font);
  ASSERT_NE(renderer, nullptr) << font << " does not load";

  std::vector<Level> levels;
  for (const char* tune : kTunes) {
    const auto image = tools::ReadBytes(std::string(TOLVANE_BINARY_DIR) + "/game/" + tune + ".mid");
    ASSERT_TRUE(image.has_value()) << tune << " was not built";
    const size_t from = renderer->Samples().size();
    const uint32_t start = renderer->NowMs();
    ASSERT_EQ(renderer->Play(*image, 0, 0), 0) << tune;
    while (renderer->Playing() && renderer->NowMs() - start < kLongestMs)
      renderer->Advance(kStepMs);
    const double seconds = (renderer->NowMs() - start) / 1000.0;
    renderer->Stop();  // the release and the reverb's tail belong to the tune
    levels.push_back(Measure(renderer->Samples(), from, seconds));
    std::printf("%-10s %-9s RMS %6.1f dBFS  peak %6.1f dBFS  %5.1f s\n", GetParam(), tune,
                levels.back().rmsDb, levels.back().peakDb, seconds);
  }
  EXPECT_TRUE(sink.Messages().empty()) << "the library complained about a tune";

  const double mean = std::accumulate(levels.begin(), levels.end(), 0.0,
                                      [](double sum, const Level& l) { return sum + l.rmsDb; }) /
                      double(levels.size());
  for (size_t i = 0; i < levels.size(); ++i) {
    SCOPED_TRACE(kTunes[i]);
    EXPECT_NEAR(levels[i].rmsDb, mean, 3.0) << "RMS against the font's average";
    EXPECT_LE(levels[i].peakDb, -1.0);
  }
  EXPECT_GE(levels.back().seconds, 50.0);
  EXPECT_LE(levels.back().seconds, 90.0);
}

INSTANTIATE_TEST_SUITE_P(DebianFonts, TuneBalance, ::testing::Values("TimGM6mb", "FluidR3_GM"),
                         [](const auto& font) { return std::string(font.param); });

}  // namespace
}  // namespace vondra
