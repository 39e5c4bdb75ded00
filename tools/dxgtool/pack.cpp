// dxgtool pack MANIFEST -o ARCHIVE: renders every manifest entry and writes the archive.
#include <filesystem>
#include <iostream>

#include "tools/artbuild/build_entries.h"
#include "tools/common/file_io.h"
#include "tools/dxgtool/commands.h"

namespace dxgtool {

int Pack(const Args& args) {
  if (args.size() != 3 || args[1] != "-o") {
    std::cerr << "usage: dxgtool pack MANIFEST -o ARCHIVE\n";
    return 2;
  }
  const std::string& manifestPath = args[0];
  const std::string& output = args[2];
  const auto text = tools::ReadText(manifestPath);
  if (!text) {
    std::cerr << "dxgtool: cannot read " << manifestPath << "\n";
    return 1;
  }
  const artbuild::Manifest manifest = artbuild::ParseManifest(*text);
  const std::string baseDir = std::filesystem::path(manifestPath).parent_path().string();
  std::vector<artbuild::ManifestProblem> problems = manifest.problems;
  artbuild::BuiltEntries built;
  if (problems.empty()) {
    built = artbuild::BuildEntries(manifest, baseDir.empty() ? "." : baseDir);
    problems = built.problems;
  }
  for (const auto& p : problems)
    std::cerr << manifestPath << ":" << p.line << ": error: " << p.message << "\n";
  if (!problems.empty()) return 1;

  const std::vector<uint8_t> bytes = pres::WriteArchive(built.entries);
  if (!tools::WriteAtomically(output, bytes.data(), bytes.size())) {
    std::cerr << "dxgtool: cannot write " << output << "\n";
    return 1;
  }
  return 0;
}

}  // namespace dxgtool
