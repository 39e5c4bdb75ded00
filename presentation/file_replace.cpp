#include "presentation/file_replace.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace pres {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporarySuffix = ".tmp";

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(size_t(n));
  }
  return true;
}

// Past RLIMIT_FSIZE a write raises SIGXFSZ, whose default action ends the process in the
// middle of a save; ignored, the write fails with EFBIG and the save reports it.
void IgnoreFileSizeSignal() {
  struct sigaction current {};
  if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
    ::signal(SIGXFSZ, SIG_IGN);
}

bool Fail(std::string* error, std::string why) {
  *error = std::move(why);
  return false;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view contents, std::string* error,
                 const std::function<void()>& beforeReplace) {
  std::error_code ec;
  fs::path target(path);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  if (ec)
    return Fail(error, "cannot create " + target.parent_path().string() + ": " + ec.message());

  // An existing file keeps its permission bits, and one its owner made read-only stays as it is.
  mode_t mode = 0600;
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) {
    if (::access(path.c_str(), W_OK) != 0)
      return Fail(error, "cannot write " + path + ": " + std::strerror(errno));
    mode = existing.st_mode & 07777;
  }

  IgnoreFileSizeSignal();
  // The temporary file lies beside the target, so the rename stays within one file system.
  const std::string temporary = path + std::string(kTemporarySuffix);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return Fail(error, "cannot write " + temporary + ": " + std::strerror(errno));
  bool written = WriteAll(fd, contents) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  int savedErrno = errno;
  written = ::close(fd) == 0 && written;
  if (!written) {
    ::unlink(temporary.c_str());
    return Fail(error,
                "cannot write " + temporary + ": " + std::strerror(savedErrno ? savedErrno : EIO));
  }
  if (beforeReplace) beforeReplace();
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    std::string reason = std::strerror(errno);
    ::unlink(temporary.c_str());
    return Fail(error, "cannot replace " + path + ": " + reason);
  }
  // The rename itself reaches the disk with the folder.
  int dir = ::open(target.has_parent_path() ? target.parent_path().c_str() : ".",
                   O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace pres
