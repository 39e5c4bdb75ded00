#pragma once
// A fresh, empty folder for one test, removed with everything in it when the test ends. The
// name holds the running test's name and a random part from mkdtemp, so cases that ctest runs
// side by side, and two checkouts testing at once, never write into the same folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tolvane {

class ScratchFolder {
 public:
  ScratchFolder() : ScratchFolder(RunningTestName()) {}
  explicit ScratchFolder(std::string label) {
    // '/' appears in the names of parameterised tests; it must not make a subfolder.
    std::replace(label.begin(), label.end(), '/', '_');
    std::string pattern = (std::filesystem::temp_directory_path() / (label + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  static std::string RunningTestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (info == nullptr) return "tolvane-test";
    return std::string(info->test_suite_name()) + "." + info->name();
  }

  std::filesystem::path path_;
};

}  // namespace tolvane
