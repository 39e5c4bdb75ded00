// dxgtool: the image archive tool.
//   dxgtool list ARCHIVE            entries with picture size, patterns and transparency
//   dxgtool extract ARCHIVE OUTDIR  every pattern as a PNG
//   dxgtool pack MANIFEST -o ARCHIVE  the archive from the manifest and its SVG sources
//   dxgtool check ARCHIVE CATALOGUE   every entry against the catalogue
//   dxgtool sheet ARCHIVE OUT.png [CATALOGUE]  a numbered contact sheet of every entry
#include <cstring>
#include <iostream>

#include "tools/dxgtool/commands.h"

namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const dxgtool::Args&);
};

constexpr Command kCommands[] = {
    {"list", "list ARCHIVE", dxgtool::List},
    {"extract", "extract ARCHIVE OUTDIR", dxgtool::Extract},
    {"pack", "pack MANIFEST -o ARCHIVE", dxgtool::Pack},
    {"check", "check ARCHIVE CATALOGUE", dxgtool::Check},
    {"sheet", "sheet ARCHIVE OUT.png [CATALOGUE]", dxgtool::Sheet},
};

int Usage() {
  for (const Command& c : kCommands)
    std::cerr << (&c == kCommands ? "usage: " : "       ") << "dxgtool " << c.usage << "\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  for (const Command& c : kCommands) {
    if (std::strcmp(argv[1], c.name) == 0) return c.run(dxgtool::Args(argv + 2, argv + argc));
  }
  return Usage();
}
