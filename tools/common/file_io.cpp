#include "tools/common/file_io.h"

#include <cstdio>
#include <memory>

namespace tools {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

template <typename Container>
std::optional<Container> ReadAll(const std::string& path) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  Container out;
  char chunk[65536];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
    out.insert(out.end(), chunk, chunk + got);
  if (std::ferror(file.get())) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadBytes(const std::string& path) {
  return ReadAll<std::vector<uint8_t>>(path);
}

std::optional<std::string> ReadText(const std::string& path) {
  return ReadAll<std::string>(path);
}

bool WriteAtomically(const std::string& path, const void* data, size_t size) {
  const std::string temporary = path + ".tmp";
  {
    File file(std::fopen(temporary.c_str(), "wb"));
    if (!file) return false;
    const bool written =
        std::fwrite(data, 1, size, file.get()) == size && std::fflush(file.get()) == 0;
    if (!written) {
      file.reset();
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace tools
