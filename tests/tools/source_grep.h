#pragma once
// The lines of the repository's C++ sources under the given folders that match a pattern,
// as "path:line: text", for tests that keep a fact written in one place only.
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace testing_support {

inline std::vector<std::string> SourceLinesMatching(const std::regex& pattern,
                                                    const std::vector<std::string>& folders,
                                                    const std::vector<std::string>& skipped = {}) {
  const std::filesystem::path root = TOLVANE_SOURCE_DIR;
  std::vector<std::string> found;
  for (const std::string& folder : folders) {
    for (const auto& file : std::filesystem::recursive_directory_iterator(root / folder)) {
      const std::string path = file.path().lexically_relative(root).string();
      const std::string ext = file.path().extension().string();
      if (ext != ".cpp" && ext != ".h") continue;
      bool skip = false;
      for (const std::string& prefix : skipped) skip = skip || path.rfind(prefix, 0) == 0;
      if (skip) continue;
      std::ifstream in(file.path());
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        if (std::regex_search(line, pattern)) {
          found.push_back(path + ":" + std::to_string(number) + ": " + line);
        }
      }
    }
  }
  return found;
}

}  // namespace testing_support
