// The 256-step cosine table, and the wave lists with and without a sound device.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "presentation/mixer_library.h"
#include "presentation/silent_wave_list.h"
#include "presentation/trig.h"
#include "test_bytes.h"

namespace pres {
namespace {

TEST(Trig, CosineAndSineInTurnsOf256) {
  EXPECT_EQ(Cos256(0), 1.0);
  EXPECT_EQ(Cos256(128), -1.0);
  EXPECT_EQ(Sin256(64), 1.0);
  EXPECT_EQ(Sin256(-64), -1.0);
  EXPECT_NEAR(Cos256(64), 0.0, 1e-15);
  for (int32_t a = -600; a <= 600; ++a) {
    double turn = 2 * std::numbers::pi * a / 256;
    EXPECT_NEAR(Cos256(a), std::cos(turn), 1e-12) << a;
    EXPECT_NEAR(Sin256(a), std::sin(turn), 1e-12) << a;
    EXPECT_EQ(Sin256(a), Cos256(a + 192));  // the same table entry
  }
  EXPECT_EQ(Cos256(INT32_MIN), Cos256(0));
  EXPECT_EQ(Sin256(INT32_MAX), Sin256(255));
}

// An 8-bit mono 22050 Hz WAV of the given length.
test::Bytes Wav(int samples) {
  test::ByteBuilder b;
  b.Text("RIFF").U32(uint32_t(36 + samples)).Text("WAVE");
  b.Text("fmt ").U32(16).U16(1).U16(1).U32(22050).U32(22050).U16(1).U16(8);
  b.Text("data").U32(uint32_t(samples));
  for (int i = 0; i < samples; ++i) b.U8(uint8_t(128 + ((i / 20) % 2 ? 40 : -40)));
  return b.Get();
}

TEST(SilentWaveList, CountsPlaysOfKnownSounds) {
  SilentWaveList waves;
  EXPECT_EQ(waves.Add(Wav(10)), 0);
  EXPECT_EQ(waves.Add(Wav(10)), 1);
  waves.Play(1);
  waves.Play(1);
  waves.Play(0);
  waves.Play(7);  // no such sound
  EXPECT_EQ(waves.SoundingCount(), 3);
  EXPECT_EQ(waves.PlayCount(1), 2);
  EXPECT_EQ(waves.Plays(), (std::vector<int>{1, 1, 0}));
  EXPECT_FALSE(waves.Available());
  // A long run keeps the latest plays in order and counts every one.
  for (size_t n = 0; n < SilentWaveList::kKeptPlays; ++n) waves.Play(0);
  EXPECT_EQ(waves.Plays().size(), SilentWaveList::kKeptPlays);
  EXPECT_EQ(waves.PlayCount(0), int(SilentWaveList::kKeptPlays) + 1);
  EXPECT_EQ(waves.SoundingCount(), int(SilentWaveList::kKeptPlays) + 3);
}

TEST(MixerWaveList, OverlappingCopiesNeverRunOutOfChannels) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  auto waves = CreateMixerWaveList();
  ASSERT_TRUE(waves->Available());
  int sound = waves->Add(Wav(22050));  // a second long
  int broken = waves->Add(test::Bytes{'R', 'I', 'F', 'F', 1, 2});
  for (int i = 0; i < 40; ++i) waves->Play(sound);
  waves->Play(broken);
  waves->Play(-1);
  waves->Play(99);
  EXPECT_EQ(waves->SoundingCount(), 40);
}

TEST(MixerWaveList, AMixerLibraryThatCannotBeHadIsRefused) {
  MixerCalls calls;
  EXPECT_FALSE(OpenMixerCalls("libtolvane-no-such-mixer.so", calls));
  EXPECT_FALSE(OpenMixerCalls("libm.so.6", calls));  // loads, but has none of the calls
  EXPECT_NE(MixerLibrary(), nullptr);
}

TEST(MixerWaveList, WithoutADeviceEverythingIsHarmlessSilence) {
  const char* saved = std::getenv("SDL_AUDIODRIVER");
  std::string previous = saved ? saved : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  auto waves = CreateMixerWaveList();
  if (saved) {
    setenv("SDL_AUDIODRIVER", previous.c_str(), 1);
  } else {
    unsetenv("SDL_AUDIODRIVER");
  }
  EXPECT_FALSE(waves->Available());
  EXPECT_EQ(waves->Add(Wav(100)), 0);
  waves->Play(0);
  EXPECT_EQ(waves->SoundingCount(), 0);
}

}  // namespace
}  // namespace pres
