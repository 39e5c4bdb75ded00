#include <iostream>

#include "tools/dxgtool/commands.h"

namespace dxgtool {

std::optional<pres::ImageArchive> OpenArchive(const std::string& path) {
  pres::ImageArchive archive;
  try {
    archive.Load(path);
  } catch (const std::exception& e) {
    std::cerr << "dxgtool: " << path << ": " << e.what() << "\n";
    return std::nullopt;
  }
  return archive;
}

}  // namespace dxgtool
