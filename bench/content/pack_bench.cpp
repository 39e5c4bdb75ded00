// How long the build spends packing the image archive: every SVG rendered, every
// placeholder drawn, every picture colour-keyed, then the archive bytes written in memory.
#include <benchmark/benchmark.h>

#include <string>

#include "presentation/image_archive.h"
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

void BM_WriteArchive(benchmark::State& state) {
  const std::string dir = std::string(TOLVANE_SOURCE_DIR) + "/content/images";
  const auto text = tools::ReadText(dir + "/manifest");
  if (!text) {
    state.SkipWithError("no manifest");
    return;
  }
  const artbuild::BuiltEntries built = artbuild::BuildEntries(artbuild::ParseManifest(*text), dir);
  size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> archive = pres::WriteArchive(built.entries);
    bytes = archive.size();
    benchmark::DoNotOptimize(archive.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteArchive)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
