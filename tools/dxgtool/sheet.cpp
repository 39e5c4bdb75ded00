// dxgtool sheet ARCHIVE OUT.png [CATALOGUE]: every entry on one numbered contact sheet.
#include <iostream>

#include "tools/artbuild/contact_sheet.h"
#include "tools/dxgtool/commands.h"

namespace dxgtool {

int Sheet(const Args& args) {
  if (args.size() != 2 && args.size() != 3) {
    std::cerr << "usage: dxgtool sheet ARCHIVE OUT.png [CATALOGUE]\n";
    return 2;
  }
  const auto archive = OpenArchive(args[0]);
  if (!archive) return 1;
  artbuild::Catalogue catalogue;
  if (args.size() == 3) {
    auto read = OpenCatalogue(args[2]);
    if (!read) return 1;
    catalogue = std::move(*read);
  }
  if (!artbuild::WriteContactSheet(archive->Entries(), catalogue, args[1])) {
    std::cerr << "dxgtool: cannot write " << args[1] << "\n";
    return 1;
  }
  return 0;
}

}  // namespace dxgtool
