#include "game/host/program_paths.h"

#include <filesystem>
#include <system_error>

namespace tolvane {

std::string ProgramDirectory() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return program.parent_path().string();
}

std::string JoinProgramPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  if (folder.back() == '/') return std::string(folder) + std::string(name);
  return std::string(folder) + "/" + std::string(name);
}

}  // namespace tolvane
