#include "presentation/ini_text.h"

#include "presentation/text_compare.h"

namespace pres {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool IsComment(std::string_view trimmed) {
  return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#');
}

// The section name of a "[name]" line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> KeyOf(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.empty() || IsComment(t) || t.front() == '[') return std::nullopt;
  size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

// Values with outer blanks, or that look quoted, are written in quotes to read back whole.
std::string Stored(std::string_view value) {
  bool needsQuotes =
      !value.empty() &&
      (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
       value.back() == '\t' || (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
  return needsQuotes ? "\"" + std::string(value) + "\"" : std::string(value);
}

std::string Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

bool IniText::CanStore(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (Trim(section) != section || Trim(key) != key || key.empty()) return false;
  return section.find(']') == std::string_view::npos && key.find('=') == std::string_view::npos &&
         !IsComment(key) && key.front() != '[';
}

IniText::IniText(std::string_view text) {
  if (text.starts_with(kUtf8Bom)) {
    bom_ = kUtf8Bom;
    text.remove_prefix(kUtf8Bom.size());
  }
  if (text.find("\r\n") != std::string_view::npos) lineEnd_ = "\r\n";
  while (!text.empty()) {
    size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    // Every carriage return before the line feed belongs to the line end: a CRLF file converted
    // once more ends its lines in "\r\r\n", and a kept '\r' would turn into a line end of its own
    // when the text is written back.
    while (line.ends_with('\r')) line.remove_suffix(1);
    lines_.emplace_back(line);
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
}

std::optional<size_t> IniText::FindKey(std::string_view section, std::string_view key) const {
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (auto s = SectionOf(lines_[i])) {
      inSection = EqualsIgnoringCase(*s, section);
    } else if (inSection) {
      auto k = KeyOf(lines_[i]);
      if (k && EqualsIgnoringCase(k->key, key)) return i;
    }
  }
  return std::nullopt;
}

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
  auto i = FindKey(section, key);
  if (!i) return std::nullopt;
  return Unquoted(KeyOf(lines_[*i])->value);
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + Stored(value);
  if (auto i = FindKey(section, key)) {
    lines_[*i] = line;
    return;
  }
  // After the last key of the first matching section, or in a new section at the end.
  std::optional<size_t> insertAt;
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (auto s = SectionOf(lines_[i])) {
      if (inSection) break;
      inSection = EqualsIgnoringCase(*s, section);
      if (inSection) insertAt = i + 1;
    } else if (inSection && !Trim(lines_[i]).empty()) {
      insertAt = i + 1;
    }
  }
  if (insertAt) {
    lines_.insert(lines_.begin() + std::ptrdiff_t(*insertAt), line);
    return;
  }
  if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
  lines_.push_back("[" + std::string(section) + "]");
  lines_.push_back(line);
}

std::string IniText::Text() const {
  std::string out = bom_;
  for (const std::string& line : lines_) out += line + lineEnd_;
  return out;
}

}  // namespace pres
