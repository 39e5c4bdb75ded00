// mmlc: compiles a music text into a format 1 Standard MIDI File.
//   mmlc SONG.mml -o SONG.mid
#include <iostream>
#include <string>

#include "tools/common/file_io.h"
#include "tools/mmlc/mml_compiler.h"
#include "tools/mmlc/smf_writer.h"

int main(int argc, char** argv) {
  std::string input;
  std::string output;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-o" && i + 1 < argc) {
      output = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && input.empty()) {
      input = arg;
    } else {
      input.clear();
      break;
    }
  }
  if (input.empty() || output.empty()) {
    std::cerr << "usage: mmlc SONG.mml -o SONG.mid\n";
    return 2;
  }

  const auto text = tools::ReadText(input);
  if (!text) {
    std::cerr << "mmlc: cannot read " << input << "\n";
    return 1;
  }
  std::vector<uint8_t> bytes;
  try {
    bytes = mmlc::WriteSmf(mmlc::CompileMml(*text));
  } catch (const mmlc::MmlError& e) {
    std::cerr << input << ":" << e.pos.line << ":" << e.pos.column << ": error: " << e.reason
              << "\n";
    return 1;
  }
  if (!tools::WriteAtomically(output, bytes.data(), bytes.size())) {
    std::cerr << "mmlc: cannot write " << output << "\n";
    return 1;
  }
  return 0;
}
