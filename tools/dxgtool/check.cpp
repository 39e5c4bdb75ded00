// dxgtool check ARCHIVE CATALOGUE: every entry against what the catalogue says it must be.
#include <iostream>

#include "tools/artbuild/catalogue.h"
#include "tools/common/file_io.h"
#include "tools/dxgtool/commands.h"

namespace dxgtool {

std::optional<artbuild::Catalogue> OpenCatalogue(const std::string& path) {
  const auto text = tools::ReadText(path);
  if (!text) {
    std::cerr << "dxgtool: cannot read " << path << "\n";
    return std::nullopt;
  }
  artbuild::Catalogue catalogue = artbuild::ParseCatalogue(*text);
  for (const auto& p : catalogue.problems)
    std::cerr << path << ":" << p.line << ": error: " << p.message << "\n";
  if (!catalogue.problems.empty()) return std::nullopt;
  return catalogue;
}

int Check(const Args& args) {
  if (args.size() != 2) {
    std::cerr << "usage: dxgtool check ARCHIVE CATALOGUE\n";
    return 2;
  }
  const auto archive = OpenArchive(args[0]);
  const auto catalogue = OpenCatalogue(args[1]);
  if (!archive || !catalogue) return 1;
  const std::vector<std::string> problems = artbuild::CheckArchive(archive->Entries(), *catalogue);
  for (const std::string& p : problems) std::cerr << args[0] << ": " << p << "\n";
  if (!problems.empty()) return 1;
  std::cout << args[0] << ": " << archive->Count() << " entries match the catalogue\n";
  return 0;
}

}  // namespace dxgtool
