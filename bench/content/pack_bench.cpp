// How long the build spends turning the image manifest into archive entries: every SVG
// rendered, every placeholder drawn, every picture colour-keyed.
#include <benchmark/benchmark.h>

#include <string>

#include "tools/artbuild/build_entries.h"
#include "tools/common/file_io.h"

namespace {

void BM_BuildAllEntries(benchmark::State& state) {
  const std::string dir = std::string(TOLVANE_SOURCE_DIR) + "/content/images";
  const auto text = tools::ReadText(dir + "/manifest");
  if (!text) {
    state.SkipWithError("no manifest");
    return;
  }
  const artbuild::Manifest manifest = artbuild::ParseManifest(*text);
  for (auto _ : state) {
    artbuild::BuiltEntries built = artbuild::BuildEntries(manifest, dir);
    benchmark::DoNotOptimize(built.entries.data());
  }
  state.counters["entries"] = static_cast<double>(manifest.entries.size());
}
BENCHMARK(BM_BuildAllEntries)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
