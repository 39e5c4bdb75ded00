// stagec: compiles stage texts into stage files, and back.
//   stagec compile STAGE.txt -o STAGE.bin
//   stagec decompile STAGE.bin [-o STAGE.txt]
//   stagec check STAGE.bin|STAGE.txt
#include <iostream>
#include <string>
#include <vector>

#include "tools/common/file_io.h"
#include "tools/stagec/stage_checks.h"
#include "tools/stagec/stage_file.h"
#include "tools/stagec/stage_text.h"

namespace {

int Usage() {
  std::cerr << "usage: stagec compile STAGE.txt -o STAGE.bin\n"
               "       stagec decompile STAGE.bin [-o STAGE.txt]\n"
               "       stagec check STAGE.bin|STAGE.txt\n";
  return 2;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void Report(const std::string& path, bool text, const stagec::Problems& problems) {
  for (const stagec::Problem& p : problems)
    std::cerr << stagec::FormatProblem(path, text, p) << "\n";
}

// Reads a stage text and checks it; false (after reporting) when it must not be written.
bool LoadText(const std::string& path, std::vector<tolvane::StageRecord>& records) {
  const auto text = tools::ReadText(path);
  if (!text) {
    std::cerr << "stagec: cannot read " << path << "\n";
    return false;
  }
  stagec::ParsedStage parsed = stagec::ParseStageText(*text);
  stagec::Problems problems = parsed.problems;
  if (problems.empty())
    problems = stagec::CheckStage(parsed.records, parsed.lines, parsed.lastLine);
  Report(path, true, problems);
  records = std::move(parsed.records);
  return !stagec::HasFatal(problems);
}

bool LoadFile(const std::string& path, std::vector<tolvane::StageRecord>& records, bool check) {
  const auto bytes = tools::ReadBytes(path);
  if (!bytes) {
    std::cerr << "stagec: cannot read " << path << "\n";
    return false;
  }
  stagec::DecodedStage decoded = stagec::DecodeStageFile(*bytes);
  if (decoded.trailingBytes != 0) {
    std::cerr << path << ": warning: the last " << decoded.trailingBytes
              << " bytes are not a whole record; the game ignores them\n";
  }
  records = std::move(decoded.records);
  if (!check) return true;
  std::vector<int> numbers(records.size());
  for (size_t i = 0; i < numbers.size(); ++i) numbers[i] = static_cast<int>(i + 1);
  const stagec::Problems problems =
      stagec::CheckStage(records, numbers, static_cast<int>(records.size()));
  Report(path, false, problems);
  return !stagec::HasFatal(problems);
}

bool Write(const std::string& path, const void* data, size_t size) {
  if (tools::WriteAtomically(path, data, size)) return true;
  std::cerr << "stagec: cannot write " << path << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const std::string input = argv[2];
  std::string output;
  for (int i = 3; i < argc; ++i) {
    if (std::string(argv[i]) == "-o" && i + 1 < argc) {
      output = argv[++i];
    } else {
      return Usage();
    }
  }

  std::vector<tolvane::StageRecord> records;
  if (command == "compile") {
    if (output.empty()) return Usage();
    if (!LoadText(input, records)) return 1;
    const std::vector<uint8_t> bytes = stagec::EncodeStageFile(records);
    return Write(output, bytes.data(), bytes.size()) ? 0 : 1;
  }
  if (command == "decompile") {
    if (!LoadFile(input, records, false)) return 1;
    const std::string text = stagec::FormatStageText(records);
    if (output.empty()) {
      std::cout << text;
      return 0;
    }
    return Write(output, text.data(), text.size()) ? 0 : 1;
  }
  if (command == "check") {
    if (!output.empty()) return Usage();
    const bool ok =
        EndsWith(input, ".txt") ? LoadText(input, records) : LoadFile(input, records, true);
    return ok ? 0 : 1;
  }
  return Usage();
}
