// Rendering places each message by its ideal time: the click track's onsets, found in the audio
// by a threshold, against the times python3-mido works out from the file; and two renders of
// the same song are the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "sequencer/render/offline_renderer.h"
#include "tests/sequencer/support/click_track.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/support/scratch_folder.h"

namespace vondra {
namespace {

inline constexpr int kRepeats = 2;
// |left| + |right| above this starts a click; the next one comes at least 50 ms later.
inline constexpr int kThreshold = 1000;
inline constexpr size_t kMinimumGap = kSynthSampleRate / 20;

std::vector<double> MidoNoteTimes(const std::string& file) {
  const std::string command = std::string("/usr/bin/python3 ") + TOLVANE_SOURCE_DIR +
                              "/tests/sequencer/mido_note_times.py '" + file + "'";
  std::vector<double> seconds;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return seconds;
  double value = 0;
  while (std::fscanf(pipe, "%lf", &value) == 1) seconds.push_back(value);
  pclose(pipe);
  return seconds;
}

std::vector<int16_t> Render(const std::vector<uint8_t>& song) {
  AnalysisEntries analysis{};
  testing::RecordingSink sink;
  auto renderer = OfflineRenderer::Create(analysis, sink);
  if (!renderer || renderer->Play(song, 0, 0) != 0) return {};
  while (renderer->Playing()) renderer->Advance(10);
  return renderer->Samples();
}

std::vector<size_t> Onsets(const std::vector<int16_t>& samples) {
  std::vector<size_t> onsets;
  for (size_t frame = 0; 2 * frame + 1 < samples.size(); ++frame) {
    const int level = std::abs(samples[2 * frame]) + std::abs(samples[2 * frame + 1]);
    if (level > kThreshold && (onsets.empty() || frame - onsets.back() >= kMinimumGap)) {
      onsets.push_back(frame);
    }
  }
  return onsets;
}

TEST(ClickRender, EveryClickSoundsOnTheSynthesizerBlockNearestItsIdealFrame) {
  const auto song = testing::ClickTrack(kRepeats);
  const tolvane::ScratchFolder folder;
  const auto path = (folder / "click.mid").string();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(song.data()), static_cast<std::streamsize>(song.size()));
  const std::vector<double> ideal = MidoNoteTimes(path);
  if (ideal.empty()) GTEST_SKIP() << "python3-mido is not installed";

  const auto samples = Render(song);
  if (samples.empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
  EXPECT_EQ(Render(song), samples);  // byte for byte

  const auto onsets = Onsets(samples);
  ASSERT_EQ(onsets.size(), ideal.size());
  ASSERT_EQ(ideal.size(), testing::ClickTimes(kRepeats).size());
  // Each click starts on the block boundary nearest its ideal frame, then rises to the
  // threshold in a time of its own, the same for every click: the errors spread over one block
  // at most, whatever the tempo, the bar or how far into the song (the engine's 10 ms steps
  // spread them over 440 frames).
  std::vector<double> errors;
  for (size_t i = 0; i < onsets.size(); ++i) {
    errors.push_back(double(onsets[i]) - ideal[i] * kSynthSampleRate);
  }
  const auto [low, high] = std::minmax_element(errors.begin(), errors.end());
  EXPECT_LE(*high - *low, 64.0 + 1.0);
  EXPECT_GT(*low, 0.0);
}

}  // namespace
}  // namespace vondra
