#include "tools/sfxgen/sfx_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace sfxgen {
namespace {

constexpr const char* kTone = R"(# a test tone
index 3
length 0.5
peak 0.5
layer
wave square   # comment after a value
freq 1000
decay 0.05
)";

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(SfxSynthTest, ReadsSettingsIntoLayers) {
  const Effect e = ParseEffect(kTone, "tone");
  EXPECT_EQ(e.index, 3);
  EXPECT_DOUBLE_EQ(e.length, 0.5);
  ASSERT_EQ(e.layers.size(), 1u);
  EXPECT_EQ(e.layers[0].wave, Wave::Square);
  EXPECT_DOUBLE_EQ(e.layers[0].freqStart, 1000);
  EXPECT_DOUBLE_EQ(e.layers[0].freqEnd, 1000);
  EXPECT_DOUBLE_EQ(e.layers[0].decay, 0.05);
}

TEST(SfxSynthTest, BadDescriptionsNameTheLineAndReason) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"index 0\nlength 1\nwave sine\n", "x:3: 'wave' before any 'layer'"},
      {"index 0\nlength 1\nlayer\nwave buzz\n", "x:4: unknown wave 'buzz'"},
      {"index 0\nlength 1\nlayer\nfreq -5\n", "x:4: 'freq' needs non-negative numbers, got '-5'"},
      {"index 0\nlength 1\nlayer\nfreq 0\n", "x:4: 'freq' must be above 0"},
      {"index 0\nlength 99\n", "x:2: 'length' must be above 0 and at most 10 s"},
      {"index 0\nlength 1\npeak 1.5\n", "x:3: 'peak' must be above 0 and at most 1"},
      {"index 0\nlength 1\nlayer\ndecay\n", "x:4: 'decay' needs a value"},
      {"index 0\nlength 1\nlayer\ndecay 1 2\n", "x:4: too many values for 'decay'"},
      {"index 0\nlength 1\nlayer\nwobble 3\n", "x:4: unknown setting 'wobble'"},
      {"length 1\nlayer\n", "x:2: no 'index'"},
      {"index 0\nlength 1\n", "x:2: no 'layer'"},
      {"index 1.5\nlength 1\n", "x:1: 'index' must be a whole number up to 65535"},
      {"index 0\nseed 1088888888888888801\n", "x:2: 'seed' must be a whole number below 2^32"},
      {"index 0\nlength 1\nlayer\nlevel nan\n",
       "x:4: 'level' needs non-negative numbers, got 'nan'"},
  };
  for (const Case& c : cases) {
    try {
      ParseEffect(c.text, "x");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const ParseError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(SfxSynthTest, RendersTheLengthAtThePeakAndEndsInSilence) {
  const std::vector<uint8_t> samples = Render(ParseEffect(kTone, "tone"));
  ASSERT_EQ(samples.size(), 11025u);
  int loudest = 0;
  for (uint8_t s : samples) loudest = std::max(loudest, std::abs(s - 128));
  EXPECT_NEAR(loudest, 64, 1) << "peak 0.5 of full scale";
  EXPECT_EQ(samples.back(), 128) << "faded to silence at the cut";
  // Decays: the last tenth is much quieter than the first.
  int early = 0;
  int late = 0;
  for (size_t i = 0; i < 1100; ++i) early = std::max(early, std::abs(samples[i] - 128));
  for (size_t i = 9900; i < 11000; ++i) late = std::max(late, std::abs(samples[i] - 128));
  EXPECT_LT(late * 10, early);
  EXPECT_EQ(Render(ParseEffect(kTone, "tone")), samples) << "deterministic";
}

TEST(SfxSynthTest, NoiseDependsOnlyOnTheSeed) {
  const std::string noise = "index 0\nlength 0.1\nseed 7\nlayer\nwave noise\nfreq 8000\n";
  const auto a = Render(ParseEffect(noise, "n"));
  EXPECT_EQ(Render(ParseEffect(noise, "n")), a);
  std::string other = noise;
  other.replace(other.find("seed 7"), 6, "seed 8");
  EXPECT_NE(Render(ParseEffect(other, "n")), a);
}

TEST(SfxSynthTest, WavFileIsEightBitMonoAndPadsOddData) {
  const std::vector<uint8_t> samples(5, 128);
  const std::vector<uint8_t> wav = WavFile(samples);
  ASSERT_EQ(wav.size(), 44u + 6u);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(Le32(wav, 4), wav.size() - 8);
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(wav[20] | wav[21] << 8, 1) << "PCM";
  EXPECT_EQ(wav[22] | wav[23] << 8, 1) << "mono";
  EXPECT_EQ(Le32(wav, 24), 22050u);
  EXPECT_EQ(wav[34] | wav[35] << 8, 8) << "bits";
  EXPECT_EQ(Le32(wav, 40), 5u) << "data size excludes the pad byte";
}

}  // namespace
}  // namespace sfxgen
