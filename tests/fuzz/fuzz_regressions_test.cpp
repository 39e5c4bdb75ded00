// Inputs that once made a fuzz target fail, and the readers' seeds, through the targets' own
// checks: a fault that comes back aborts here, after the input's path is printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#define FUZZ_ENTRY(name) extern "C" int name##_entry(const uint8_t* data, size_t size);
FUZZ_ENTRY(archive_fuzz)
FUZZ_ENTRY(archive_round_trip_fuzz)
FUZZ_ENTRY(content_text_fuzz)
FUZZ_ENTRY(smf_fuzz)
FUZZ_ENTRY(stage_file_fuzz)
FUZZ_ENTRY(settings_fuzz)
FUZZ_ENTRY(key_script_fuzz)
FUZZ_ENTRY(sound_effect_fuzz)
FUZZ_ENTRY(replay_fuzz)

namespace {

namespace fs = std::filesystem;

struct Target {
  const char* name;
  int (*entry)(const uint8_t*, size_t);
};

constexpr Target kTargets[] = {
    {"archive_fuzz", archive_fuzz_entry},
    {"archive_round_trip_fuzz", archive_round_trip_fuzz_entry},
    {"content_text_fuzz", content_text_fuzz_entry},
    {"smf_fuzz", smf_fuzz_entry},
    {"stage_file_fuzz", stage_file_fuzz_entry},
    {"settings_fuzz", settings_fuzz_entry},
    {"key_script_fuzz", key_script_fuzz_entry},
    {"sound_effect_fuzz", sound_effect_fuzz_entry},
    {"replay_fuzz", replay_fuzz_entry},
};

// The files of a folder in name order; none when it does not exist.
std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  if (!fs::is_directory(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FuzzRegressions, EveryKeptInputPassesItsTarget) {
  const fs::path fuzz = fs::path(TOLVANE_SOURCE_DIR) / "fuzz";
  int inputs = 0;
  for (const Target& target : kTargets) {
    const std::string name = target.name;
    const std::string seeds = name.substr(0, name.size() - std::string("_fuzz").size());
    for (const fs::path& folder : {fuzz / "regressions" / name, fuzz / "readers/seeds" / seeds}) {
      for (const fs::path& file : FilesIn(folder)) {
        std::fprintf(stderr, "%s < %s\n", target.name, file.c_str());
        std::ifstream in(file, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(target.entry(bytes.data(), bytes.size()), 0) << file;
        ++inputs;
      }
    }
  }
  EXPECT_GE(inputs, 9);  // the seeds at least: a wrong folder would pass silently
}

}  // namespace
