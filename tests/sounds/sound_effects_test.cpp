#include "content/sounds/sound_effects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace tolvane {
namespace {

// Duration (s) of each effect in wave-list order, within 10 %.
constexpr double kDurations[] = {1.28, 1.03, 0.07, 0.15, 1.26, 0.15, 0.25};

TEST(SoundEffectsTest, SevenEightBitMonoWavesOfTheirDurations) {
  ASSERT_EQ(SoundEffectCount(), 7);
  for (int i = 0; i < 7; ++i) {
    const auto wav = SoundEffectWav(i);
    ASSERT_GT(wav.size(), 44u) << i;
    EXPECT_EQ(wav[22], 1) << "mono, effect " << i;
    EXPECT_EQ(wav[34], 8) << "8-bit, effect " << i;
    const uint32_t rate = wav[24] | wav[25] << 8 | wav[26] << 16;
    EXPECT_EQ(rate, 22050u);
    const uint32_t data = wav[40] | wav[41] << 8 | wav[42] << 16;
    EXPECT_NEAR(data / 22050.0, kDurations[i], kDurations[i] * 0.1) << "effect " << i;
    int loudest = 0;
    for (size_t s = 44; s < 44 + data; ++s) loudest = std::max(loudest, std::abs(wav[s] - 128));
    EXPECT_GT(loudest, 30) << "audible, effect " << i;
    EXPECT_LT(loudest, 127) << "never clipped, effect " << i;
  }
  EXPECT_TRUE(SoundEffectWav(7).empty());
  EXPECT_TRUE(SoundEffectWav(-1).empty());
}

// Loudness of each tenth of an effect (RMS, full scale 128).
std::vector<double> TenthsLoudness(std::span<const uint8_t> wav) {
  const uint32_t data = wav[40] | wav[41] << 8 | wav[42] << 16;
  const size_t tenth = data / 10;
  std::vector<double> loudness;
  for (size_t part = 0; part < 10; ++part) {
    double sum = 0;
    for (size_t s = 44 + part * tenth; s < 44 + (part + 1) * tenth; ++s)
      sum += double(wav[s] - 128) * (wav[s] - 128);
    loudness.push_back(std::sqrt(sum / double(tenth)) / 128.0);
  }
  return loudness;
}

// Every effect is a hit that dies away: loudest near its start (no slow swell that would
// lag behind what it marks), much quieter at its end than at its loudest (no drone, no cut
// off at full level), and ending on the silent mid value so copies start and stop without clicks.
TEST(SoundEffectsTest, EachEffectHitsAtOnceAndDiesAway) {
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    const auto wav = SoundEffectWav(i);
    const std::vector<double> loudness = TenthsLoudness(wav);
    const auto loudest = std::max_element(loudness.begin(), loudness.end());
    EXPECT_LE(loudest - loudness.begin(), 2) << "loudest in the first 30 %";
    EXPECT_GT(*loudest, 0.1);
    EXPECT_LT(loudness.back(), *loudest / 4) << "the last tenth is far quieter than the loudest";
    EXPECT_NEAR(wav[44], 128, 2) << "starts from silence";
    const uint32_t data = wav[40] | wav[41] << 8 | wav[42] << 16;
    EXPECT_EQ(wav[44 + data - 1], 128) << "ends in silence";
  }
  // The long ones keep sounding through their length: a rumble, not a click with a gap.
  for (int i : {0, 1, 4}) {
    const std::vector<double> loudness = TenthsLoudness(SoundEffectWav(i));
    EXPECT_GT(loudness[5], 0.01) << "effect " << i << " still audible half way";
  }
}

TEST(SoundEffectsTest, ExplosionStaysQuietEnoughToStack) {
  const auto wav = SoundEffectWav(0);
  int loudest = 0;
  for (size_t s = 44; s < wav.size(); ++s) loudest = std::max(loudest, std::abs(wav[s] - 128));
  EXPECT_LE(loudest, 48) << "about -9 dBFS";
}

class CountingWaveList : public pres::WaveList {
 public:
  int Add(std::span<const uint8_t> wav) override {
    sizes.push_back(wav.size());
    return static_cast<int>(sizes.size()) - 1;
  }
  void Play(int) override {}
  int SoundingCount() const override { return 0; }
  bool Available() const override { return true; }
  std::vector<size_t> sizes;
};

TEST(SoundEffectsTest, LoadAddsEveryEffectInIndexOrder) {
  CountingWaveList waves;
  LoadSoundEffects(waves);
  ASSERT_EQ(waves.sizes.size(), 7u);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(waves.sizes[static_cast<size_t>(i)], SoundEffectWav(i).size());
}

}  // namespace
}  // namespace tolvane
