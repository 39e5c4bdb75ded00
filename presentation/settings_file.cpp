#include "presentation/settings_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "presentation/file_replace.h"
#include "presentation/ini_text.h"

namespace pres {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDataFolder = "tolvane-echo";

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
  if (!ReplaceFile(targetName, ini.Text(), &why, beforeReplace_)) return Fail(why);
  return true;
}

}  // namespace pres
