// tolvane-headless: the game without window or sound, for tests and content designers.
//
//   tolvane-headless [--frames N] [--keys SCRIPT] [--png-dir DIR] [--png-every K]
//                    [--digest FILE] [--data DIR]
//
// Runs N frames (300) from start-up, pressing keys as the script says (see key_script.h),
// and writes one digest line per frame to FILE (standard output by default) and every
// K-th frame's picture to DIR. The data folder defaults to the program's own.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "game/shell/program_paths.h"
#include "tools/headless/headless_run.h"
#include "tools/headless/key_script.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: tolvane-headless [--frames N] [--keys SCRIPT] [--png-dir DIR] [--png-every K]\n"
               "                        [--digest FILE] [--data DIR]\n");
  return 2;
}

std::optional<int> Count(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > 100000000) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

int main(int argc, char** argv) {
  tolvane::headless::RunOptions options;
  options.dataDirectory = tolvane::ProgramDirectory();
  std::string keysPath;
  std::string digestPath;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return Usage();
    const char* value = argv[++i];
    if (option == "--frames" || option == "--png-every") {
      const std::optional<int> count = Count(value);
      if (!count) return Usage();
      (option == "--frames" ? options.frames : options.pngEvery) = *count;
    } else if (option == "--keys") {
      keysPath = value;
    } else if (option == "--png-dir") {
      options.pngDirectory = value;
    } else if (option == "--digest") {
      digestPath = value;
    } else if (option == "--data") {
      options.dataDirectory = value;
    } else {
      return Usage();
    }
  }

  std::optional<tolvane::headless::KeyScript> keys;
  if (!keysPath.empty()) {
    std::ifstream in(keysPath);
    if (!in) {
      std::fprintf(stderr, "tolvane-headless: cannot read the key script %s\n", keysPath.c_str());
      return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    keys = tolvane::headless::KeyScript::Parse(text.str(), &error);
    if (!keys) {
      std::fprintf(stderr, "tolvane-headless: %s: %s\n", keysPath.c_str(), error.c_str());
      return 1;
    }
  }

  std::ofstream digestFile;
  if (!digestPath.empty()) {
    digestFile.open(digestPath, std::ios::trunc);
    if (!digestFile) {
      std::fprintf(stderr, "tolvane-headless: cannot write %s\n", digestPath.c_str());
      return 1;
    }
  }
  std::ostream& digests = digestPath.empty() ? std::cout : digestFile;
  const int status = tolvane::headless::RunHeadless(options, keys ? &*keys : nullptr, digests);
  digests.flush();
  if (!digests) {
    std::fprintf(stderr, "tolvane-headless: cannot write the digests\n");
    return 1;
  }
  return status;
}
