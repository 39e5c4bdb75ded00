#pragma once
// The INI text of the settings file as lines, looked up and changed in place so that
// everything else (other sections, comments, blank lines) stays as it was.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pres {

class IniText {
 public:
  explicit IniText(std::string_view text);

  // Whether Set can store the names and value so that Get finds them again and nothing else
  // changes: no line breaks, no outer blanks on a name, a key neither empty nor holding '='
  // nor starting like a section or a comment, and no ']' in a section name.
  static bool CanStore(std::string_view section, std::string_view key, std::string_view value);

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);
  std::string Text() const;

 private:
  // Index of the key's line in a matching section, or of nothing.
  std::optional<size_t> FindKey(std::string_view section, std::string_view key) const;

  std::vector<std::string> lines_;
  std::string lineEnd_ = "\n";
  std::string bom_;
};

}  // namespace pres
