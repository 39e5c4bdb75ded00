// The built-in synthesizer, rendered offline: sound while notes play, silence after a stop, and
// the audio follows the engine's timing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "sequencer/render/offline_renderer.h"
#include "sequencer/vondra-play/wav_writer.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/smf_builder.h"
#include "tests/support/scratch_folder.h"

namespace vondra {
namespace {

using testing::BuildSmf;
using testing::SmfOptions;
using testing::TrackBuilder;

// Root mean square of the stereo samples between two times in ms.
double Loudness(const std::vector<int16_t>& samples, uint32_t fromMs, uint32_t toMs) {
  const size_t from = 2 * static_cast<size_t>(fromMs) * kSynthSampleRate / 1000;
  const size_t to =
      std::min(samples.size(), 2 * static_cast<size_t>(toMs) * kSynthSampleRate / 1000);
  if (to <= from) return 0.0;
  double sum = 0.0;
  for (size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
  return std::sqrt(sum / double(to - from));
}

class SynthRender : public ::testing::Test {
 protected:
  void SetUp() override {
    renderer_ = OfflineRenderer::Create(analysis_, sink_);
    if (!renderer_) GTEST_SKIP() << "no General MIDI SoundFont installed";
  }

  AnalysisEntries analysis_{};
  testing::RecordingSink sink_;
  std::unique_ptr<OfflineRenderer> renderer_;
};

TEST_F(SynthRender, SoundWhileNotesPlayAndSilenceAfterAStop) {
  // Timebase 100 at 120: 5 ms a tick. A chord from the start, held for 10 s.
  const auto song = BuildSmf({TrackBuilder()
                                  .Program(0, 0, 0)
                                  .NoteOn(0, 0, 60, 110)
                                  .NoteOn(0, 0, 64, 110)
                                  .NoteOn(0, 0, 67, 110)
                                  .End(2000)},
                             SmfOptions{.division = 100});
  ASSERT_EQ(renderer_->Play(song, 0, 0), 0);
  renderer_->Advance(1000);
  const uint32_t stopAt = renderer_->NowMs();
  renderer_->Stop();
  EXPECT_FALSE(renderer_->Playing());
  renderer_->Advance(1000);

  const auto& samples = renderer_->Samples();
  EXPECT_EQ(samples.size(), 2u * kSynthSampleRate * renderer_->NowMs() / 1000);
  const double playing = Loudness(samples, 100, 1000);
  // All sound off cuts the voices at once; only the reverb's tail fades during the stop's
  // pauses, and after them nothing is left but the synthesizer's dither (RMS about 0.5).
  const double tail = Loudness(samples, stopAt + 100, stopAt + 480);
  const double after = Loudness(samples, stopAt + 480, renderer_->NowMs());
  EXPECT_GT(playing, 300.0);
  EXPECT_LT(tail, playing / 50) << "playing " << playing;
  EXPECT_LT(after, 1.0) << "playing " << playing;
}

TEST_F(SynthRender, AudioFollowsTheEnginesTiming) {
  // Silence for one second (200 ticks of 5 ms), then a note for half a second, then the end.
  const auto song = BuildSmf(
      {TrackBuilder().Program(0, 0, 0).NoteOn(200, 0, 72, 120).NoteOff(100, 0, 72).End(100)},
      SmfOptions{.division = 100});
  ASSERT_EQ(renderer_->Play(song, 0, 0), 0);
  for (int i = 0; i < 1000 && renderer_->Playing(); ++i) renderer_->Advance(10);
  EXPECT_FALSE(renderer_->Playing());
  const auto& samples = renderer_->Samples();
  EXPECT_LT(Loudness(samples, 0, 990), 1.0);
  EXPECT_GT(Loudness(samples, 1020, 1500), 300.0);
  // The song ends 2 s in; the stop's half second of pauses is rendered too.
  EXPECT_GE(renderer_->NowMs(), 2000u + 480u);
  EXPECT_LE(renderer_->NowMs(), 2000u + 480u + 30u);
}

TEST(WavWriter, WritesA16BitPcmHeaderAndTheSamples) {
  const tolvane::ScratchFolder folder;
  const auto path = folder / "out.wav";
  ASSERT_TRUE(WriteWav(path.string(), {1, -2, 300, -400}, 2, 44100));
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(bytes.size(), 44u + 8u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_EQ(bytes[4], 44u);  // 36 + 8 data bytes
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(bytes[22], 2u);                      // channels
  EXPECT_EQ(bytes[24] | bytes[25] << 8, 44100);  // sample rate
  EXPECT_EQ(bytes[34], 16u);                     // bits per sample
  EXPECT_EQ(bytes[40], 8u);                      // data size
  EXPECT_EQ(bytes[44 + 2], 0xFE);                // -2, little-endian
  EXPECT_EQ(bytes[44 + 3], 0xFF);
  EXPECT_FALSE(WriteWav("/nonexistent/folder/out.wav", {}, 2, 44100));
}

}  // namespace
}  // namespace vondra
