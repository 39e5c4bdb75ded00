#pragma once
// The catalogue of what every archive entry must be (content/images/catalogue.tsv), and
// the check of an archive against it.
#include <string>
#include <string_view>
#include <vector>

#include "presentation/image_archive.h"
#include "tools/artbuild/manifest.h"

namespace artbuild {

struct Bound {
  enum Kind { Any, Exact, AtMost } kind = Any;
  int value = 0;
  bool Allows(int v) const { return kind == Any || (kind == Exact ? v == value : v <= value); }
};

struct CatalogueRow {
  int index = 0;
  Bound width;
  Bound height;
  int patternWidth = 0;  // 0: a single picture without a pattern size
  int patternHeight = 0;
  int count = 1;
  int flashOf = -1;  // the picture this flash form is drawn over
  std::string name;
  std::string role;
};

struct Catalogue {
  std::vector<CatalogueRow> rows;         // rows[i].index == i
  std::vector<ManifestProblem> problems;  // lines that do not read
};

// Tab-separated: index, width, height, pattern, count, flash_of, name, role.
// Widths and heights: N, <=N or *; pattern: WxH or -; flash_of and name: a value or -.
Catalogue ParseCatalogue(std::string_view text);

// One message per broken rule, "entry 13 (role): ...", empty when everything holds.
std::vector<std::string> CheckArchive(const std::vector<pres::ImageEntry>& entries,
                                      const Catalogue& catalogue);

}  // namespace artbuild
