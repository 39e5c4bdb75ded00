#include "tools/pictureids/picture_ids.h"

#include <cctype>
#include <set>

namespace pictureids {
namespace {

bool IsName(const std::string& s) {
  if (s.empty() || std::isupper(static_cast<unsigned char>(s[0])) == 0) return false;
  for (char c : s) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0) return false;
  }
  return true;
}

}  // namespace

std::string Identifier(const artbuild::ManifestEntry& entry) {
  if (!entry.name.empty()) return entry.name;
  if (entry.box) return {};
  std::string stem = entry.source.substr(entry.source.find_last_of('/') + 1);
  stem = stem.substr(0, stem.rfind('.'));
  std::string id;
  bool upper = true;
  for (char c : stem) {
    if (c == '-' || c == '_') {
      upper = true;
      continue;
    }
    id += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    upper = false;
  }
  return id;
}

Header PictureIdsHeader(const artbuild::Manifest& manifest) {
  Header header;
  header.text =
      "#pragma once\n"
      "// Made from content/images/manifest by pictureids at build time; edit the manifest.\n"
      "// The archive index of every picture drawn from a source, named after the source.\n"
      "#include <cstdint>\n\n"
      "namespace tolvane::pic {\n\n";
  std::set<std::string> seen;
  for (const artbuild::ManifestEntry& entry : manifest.entries) {
    const std::string id = Identifier(entry);
    if (id.empty()) continue;
    const std::string where = "line " + std::to_string(entry.line) + ": ";
    if (!IsName(id)) {
      header.problems.push_back(where + "\"" + id + "\" is not a picture identifier");
    } else if (!seen.insert(id).second) {
      header.problems.push_back(where + "a second picture named " + id);
    }
    header.text += "inline constexpr int32_t k" + id + " = " + std::to_string(entry.index) + ";\n";
  }
  header.text += "\n}  // namespace tolvane::pic\n";
  return header;
}

}  // namespace pictureids
