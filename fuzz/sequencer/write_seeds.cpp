// Writes the hand-built seed songs into the corpus folder given as the argument.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/sequencer/support/song_exercise.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: smf_fuzz_seeds CORPUS_FOLDER\n");
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  int index = 0;
  for (const auto& song : vondra::testing::SeedSongs()) {
    const auto path = std::filesystem::path(argv[1]) / ("seed-" + std::to_string(index++) + ".mid");
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(song.data()),
              static_cast<std::streamsize>(song.size()));
    if (!out) return 1;
  }
  return 0;
}
