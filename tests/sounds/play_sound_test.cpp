#include <gtest/gtest.h>

#include <cstdlib>

#include "content/sounds/sound_effects.h"
#include "game/engine/engine_reset.h"
#include "game/engine/sound.h"
#include "presentation/services.h"

namespace tolvane {
namespace {

class PlaySoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ResetEngineState();
    waves_ = pres::CreateMixerWaveList();
    if (!waves_->Available()) GTEST_SKIP() << "no audio device, not even the dummy one";
    LoadSoundEffects(*waves_);
    pres::Services() = pres::ServiceSet{};
    pres::Services().waves = waves_.get();
  }
  void TearDown() override {
    pres::Services() = pres::ServiceSet{};
    ResetEngineState();
  }
  std::unique_ptr<pres::WaveList> waves_;
};

TEST_F(PlaySoundTest, SoundOptionSilencesPlaySoundButNotPlayWave) {
  SoundEnabled = 0;
  PlaySound(kSoundBlip);
  EXPECT_EQ(waves_->SoundingCount(), 0);
  PlayWave(kSoundBlip);
  EXPECT_EQ(waves_->SoundingCount(), 1);
  SoundEnabled = 1;
  PlaySound(kSoundExplosion);
  EXPECT_EQ(waves_->SoundingCount(), 2);
}

TEST_F(PlaySoundTest, TwoCopiesOfOneEffectOverlap) {
  SoundEnabled = 1;
  PlaySound(kSoundExplosion);
  PlaySound(kSoundExplosion);  // the next frame, long before the first ends
  EXPECT_EQ(waves_->SoundingCount(), 2);
}

TEST_F(PlaySoundTest, IndicesOutsideTheListAndNoDeviceAreIgnored) {
  SoundEnabled = 1;
  PlaySound(7);
  PlayWave(-1);
  EXPECT_EQ(waves_->SoundingCount(), 0);
  pres::Services().waves = nullptr;
  PlaySound(kSoundBlip);  // no sound device: nothing, no crash
}

}  // namespace
}  // namespace tolvane
