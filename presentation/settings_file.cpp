#include "presentation/settings_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "presentation/ini_text.h"

namespace pres {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDataFolder = "tolvane-echo";
constexpr std::string_view kTemporarySuffix = ".tmp";

// The file's text; empty when it does not exist; nothing when it exists but cannot be read.
std::optional<std::string> ReadText(const std::string& path, std::string* why) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return std::string();
    *why = "cannot read " + path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::string text;
  char buffer[4096];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *why = "cannot read " + path + ": " + std::strerror(errno);
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    text.append(buffer, size_t(n));
  }
  ::close(fd);
  return text;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(size_t(n));
  }
  return true;
}

// As many links in a row as the system itself follows before giving up.
constexpr int kMaxLinkHops = 40;

// The file a save must replace: the path itself, or the final target of the symbolic links it
// names, so the links stay links. Nothing (with *why set) when a link dangles or loops.
std::optional<fs::path> FinalTarget(const fs::path& path, std::string* why) {
  fs::path at = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(at, ec);
    if (!fs::is_symlink(status)) {
      if (hop > 0 && !fs::exists(status)) {
        *why = "cannot save through " + path.string() + ": its link points to no file (" +
               at.string() + ")";
        return std::nullopt;
      }
      return at;
    }
    fs::path next = fs::read_symlink(at, ec);
    if (ec) {
      *why = "cannot follow " + at.string() + ": " + ec.message();
      return std::nullopt;
    }
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
  *why = "cannot save through " + path.string() + ": " + std::strerror(ELOOP);
  return std::nullopt;
}

// Past RLIMIT_FSIZE a write raises SIGXFSZ, whose default action ends the process in the
// middle of a save; ignored, the write fails with EFBIG and the save reports it.
void IgnoreFileSizeSignal() {
  struct sigaction current {};
  if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
    ::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace

std::string SettingsPath(std::string_view fileName) {
  fs::path base;
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && fs::path(data).is_absolute()) {  // relative values are to be ignored
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
      const passwd* pw = getpwuid(getuid());
      home = pw ? pw->pw_dir : ".";
    }
    base = fs::path(home) / ".local" / "share";
  }
  return (base / kDataFolder / fileName).string();
}

std::string SettingsFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view fallback) const {
  std::string why;
  auto text = ReadText(path_, &why);
  if (!text) return std::string(fallback);
  auto value = IniText(*text).Get(section, key);
  return value ? *value : std::string(fallback);
}

std::string SettingsFile::ReadProblem() const {
  std::string why;
  return ReadText(path_, &why) ? std::string() : why;
}

bool SettingsFile::Fail(std::string why) {
  error_ = std::move(why);
  return false;
}

bool SettingsFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  const KeyValue one{std::string(key), std::string(value)};
  return WriteStrings(section, std::span<const KeyValue>(&one, 1));
}

bool SettingsFile::WriteStrings(std::string_view section, std::span<const KeyValue> keyValues) {
  error_.clear();
  for (const auto& [key, value] : keyValues) {
    if (!IniText::CanStore(section, key, value)) {
      return Fail("cannot store a setting whose names or value do not fit on one INI line");
    }
  }
  std::string why;
  const std::optional<fs::path> resolved = FinalTarget(path_, &why);
  if (!resolved) return Fail(why);
  const fs::path& target = *resolved;
  const std::string targetName = target.string();

  auto old = ReadText(targetName, &why);
  if (!old) return Fail(why);  // never replace a table we could not read
  IniText ini(*old);
  for (const auto& [key, value] : keyValues) ini.Set(section, key, value);
  std::string text = ini.Text();

  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  if (ec) return Fail("cannot create " + target.parent_path().string() + ": " + ec.message());

  // An existing file keeps its permission bits, and one its owner made read-only stays as it is.
  mode_t mode = 0600;
  struct stat existing {};
  if (::stat(targetName.c_str(), &existing) == 0) {
    if (::access(targetName.c_str(), W_OK) != 0)
      return Fail("cannot write " + targetName + ": " + std::strerror(errno));
    mode = existing.st_mode & 07777;
  }

  IgnoreFileSizeSignal();
  // The temporary file lies beside the target, so the rename stays within one file system.
  const std::string temporary = targetName + std::string(kTemporarySuffix);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return Fail("cannot write " + temporary + ": " + std::strerror(errno));
  bool written = WriteAll(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  int savedErrno = errno;
  written = ::close(fd) == 0 && written;
  if (!written) {
    ::unlink(temporary.c_str());
    return Fail("cannot write " + temporary + ": " + std::strerror(savedErrno ? savedErrno : EIO));
  }
  if (beforeReplace_) beforeReplace_();
  if (::rename(temporary.c_str(), targetName.c_str()) != 0) {
    std::string reason = std::strerror(errno);
    ::unlink(temporary.c_str());
    return Fail("cannot replace " + targetName + ": " + reason);
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
