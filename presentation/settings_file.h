#pragma once
// The settings file: a table of strings by section and key, kept in the usual INI layout
// ([section] lines, key=value lines, ';' or '#' comments). Section and key names match
// without regard to case; CRLF and LF files both read. A write changes only its own line
// and replaces the file atomically (temporary file, flush to disk, rename), so a crash or
// a full disk leaves the old table whole. When the path is a symbolic link, the link's final
// target is replaced (the link stays), and a replaced file keeps its permission bits.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace pres {

// $XDG_DATA_HOME/tolvane-echo/<fileName>, by default ~/.local/share/tolvane-echo/<fileName>.
std::string SettingsPath(std::string_view fileName);

class SettingsFile {
 public:
  explicit SettingsFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // The value of the key in the section, or `fallback` when the file, section or key is
  // missing or the file cannot be read. Surrounding blanks are dropped; a value written
  // in double quotes loses them.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Why the file exists but cannot be read (a folder, no permission), or empty when it
  // reads or is simply missing.
  std::string ReadProblem() const;

  // Sets the key (adding it, and its section, when absent), creating the folder and the
  // file on first use. False when the table could not be stored, with LastError() saying
  // why; the file on disk is then unchanged. A link that points to no file, and a file its
  // owner may not write, are not stored to. A write beyond the process's file-size limit
  // fails like any other (the limit's signal is ignored from the first write on). Names and
  // values that would not read back as written are refused (IniText::CanStore).
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Several keys of one section in a single replacement of the file: either all of them
  // are stored or none is. The same refusals and failures as WriteString.
  using KeyValue = std::pair<std::string, std::string>;
  bool WriteStrings(std::string_view section, std::span<const KeyValue> keyValues);
  const std::string& LastError() const { return error_; }

  // Tests only: called after the new table is on disk and before it replaces the old one.
  void SetBeforeReplaceHook(std::function<void()> hook) { beforeReplace_ = std::move(hook); }

 private:
  bool Fail(std::string why);

  std::string path_;
  std::string error_;
  std::function<void()> beforeReplace_;
};

}  // namespace pres
