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
// A problem of the whole stage with no line or record to point at (an empty stage has
// neither) names the file alone.
inline std::string FormatProblem(const std::string& path, bool inText, const Problem& p) {
  const std::string place =
      p.where <= 0 ? "" : (inText ? ":" : ": record ") + std::to_string(p.where);
  return path + place + ": " + (p.fatal ? "error" : "warning") + ": " + p.message;
}

inline bool HasFatal(const Problems& problems) {
  for (const Problem& p : problems) {
    if (p.fatal) return true;
  }
  return false;
}

}  // namespace stagec
