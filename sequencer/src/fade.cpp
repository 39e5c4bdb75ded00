// The fade-out: 16 volume steps spread over the fade time, then a stop.
#include "sequencer/src/engine.h"
#include "sequencer/src/smf_format.h"

namespace vondra {

void Engine::Fadeout(int32_t fadeTime) {
  FadePercent = 100;
  FadeStart = NextDue;
  FadeEnd = FadeStart + static_cast<uint32_t>(fadeTime);
  FadeSteps = kFadeStepCount;
}

void Engine::FadeStep(uint32_t now) {
  const int32_t steps = FadeSteps;
  const int64_t span = static_cast<int32_t>(FadeEnd - FadeStart);
  const auto due =
      FadeStart + static_cast<uint32_t>(span * (kFadeStepCount - steps) / kFadeStepCount);
  if (!Reached(now, due)) return;
  FadePercent = (steps - 1) * 100 / kFadeStepCount;
  // The steps go in order with the song's messages, at the song time they are taken.
  for (int channel = 0; channel < kChannelCount; ++channel) {
    Send(SongClock(now), static_cast<uint8_t>(kControlChange | channel), kControllerVolume,
         static_cast<uint8_t>(ChannelVolume[channel] * FadePercent / 100));
  }
  FadeSteps = steps - 1;
  if (steps - 1 == 0) Stop(false);
}

}  // namespace vondra
