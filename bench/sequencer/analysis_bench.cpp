// Analysis throughput in bytes of file per second, on a large generated song and on a real file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "sequencer/src/analysis.h"
#include "tests/sequencer/support/engine_harness.h"
#include "tests/sequencer/support/smf_builder.h"

namespace {

using vondra::testing::TrackBuilder;

// 16 tracks of dense notes with controllers and texts: about 8 MB.
const std::vector<uint8_t>& LargeSong() {
  static const std::vector<uint8_t> song = [] {
    std::vector<TrackBuilder> tracks(16);
    for (int channel = 0; channel < 16; ++channel) {
      TrackBuilder& track = tracks[channel];
      track.Meta(0, 0x03, "part " + std::to_string(channel));
      for (int i = 0; i < 40000; ++i) {
        track.NoteOn(i % 7 == 0 ? 30 : 0, channel, 36 + (i * 5 + channel) % 60, 40 + i % 80)
            .Control(0, channel, 7, i % 128)
            .NoteOff(30, channel, 36 + (i * 5 + channel) % 60);
        if (i % 5000 == 0) track.Meta(0, 0x01, "section " + std::to_string(i / 5000));
      }
      track.End();
    }
    return vondra::testing::BuildSmf(tracks, vondra::testing::SmfOptions{.division = 480});
  }();
  return song;
}

void Analyse(benchmark::State& state, const std::vector<uint8_t>& image) {
  vondra::AnalysisEntries entries{};
  vondra::Analysis analysis(entries);
  analysis.Init();
  vondra::testing::RecordingSink sink;
  for (auto _ : state) {
    benchmark::DoNotOptimize(analysis.Run(&image, sink));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.size()));
  state.counters["file_MB"] = image.size() / 1e6;
  state.counters["ticks"] = analysis.SongLength();
}

void BM_AnalyseLargeSong(benchmark::State& state) {
  Analyse(state, LargeSong());
}
BENCHMARK(BM_AnalyseLargeSong)->Unit(benchmark::kMillisecond);

void BM_AnalyseRealSong(benchmark::State& state) {
  const auto path = std::filesystem::path(TOLVANE_TESTDATA_DIR) /
                    "midi/midly-test-asset/test-asset/Sandstorm.mid";
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    state.SkipWithError("test data absent");
    return;
  }
  const std::vector<uint8_t> image{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  Analyse(state, image);
}
BENCHMARK(BM_AnalyseRealSong)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
