#pragma once
// A finding about a stage: where it is and whether it stops the stage from being written.
#include <string>
#include <vector>

namespace stagec {

struct Problem {
  int where = 0;      // line of a stage text, or 1-based record number of a stage file
  bool fatal = true;  // false: a warning, the stage is still written
  std::string message;
};

using Problems = std::vector<Problem>;

// The line a user sees: "stage1.txt:12: error: ..." for a text,
// "stage1.bin: record 12: error: ..." for a stage file.
inline std::string FormatProblem(const std::string& path, bool inText, const Problem& p) {
  return path + (inText ? ":" : ": record ") + std::to_string(p.where) + ": " +
         (p.fatal ? "error" : "warning") + ": " + p.message;
}

inline bool HasFatal(const Problems& problems) {
  for (const Problem& p : problems) {
    if (p.fatal) return true;
  }
  return false;
}

}  // namespace stagec
