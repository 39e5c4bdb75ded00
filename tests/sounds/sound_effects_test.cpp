#include "content/sounds/sound_effects.h"

#include <gtest/gtest.h>

#include <algorithm>
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
  for (int i = 0; i < 7; ++i) EXPECT_EQ(waves.sizes[static_cast<size_t>(i)], SoundEffectWav(i).size());
}

}  // namespace
}  // namespace tolvane
