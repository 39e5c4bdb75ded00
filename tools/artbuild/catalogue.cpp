#include "tools/artbuild/catalogue.h"

#include <charconv>

namespace artbuild {
namespace {

constexpr int kFontColumns = 16;
constexpr int kFontRows = 6;
// Text advances a glyph cell width minus 5; ink right of that (less a spare pixel)
// would touch the next character.
constexpr int kFontAdvanceLoss = 5;
constexpr int kFontInkSpare = 1;

std::vector<std::string_view> Split(std::string_view line, char separator) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (;;) {
    const size_t at = line.find(separator, start);
    out.push_back(
        line.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) return out;
    start = at + 1;
  }
}

bool Int(std::string_view s, int& out) {
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), out);
  return error == std::errc() && end == s.data() + s.size() && !s.empty();
}

bool ReadBound(std::string_view s, Bound& out) {
  if (s == "*") {
    out = Bound{};
    return true;
  }
  if (s.rfind("<=", 0) == 0) {
    out.kind = Bound::AtMost;
    return Int(s.substr(2), out.value);
  }
  out.kind = Bound::Exact;
  return Int(s, out.value);
}

std::string Describe(const Bound& b) {
  return b.kind == Bound::AtMost ? "at most " + std::to_string(b.value) : std::to_string(b.value);
}

// A single pattern holding ink right of the glyph's advance.
bool FontInkOverflows(const pres::ImageEntry& e, int* glyph) {
  const int cellW = e.picture.width / kFontColumns;
  const int cellH = e.picture.height / kFontRows;
  const int limit = cellW - kFontAdvanceLoss - kFontInkSpare;
  const uint32_t key = ((e.transparentColor & 0xFF) << 16) | (e.transparentColor & 0xFF00) |
                       ((e.transparentColor >> 16) & 0xFF);
  for (int cell = 0; cell < kFontColumns * kFontRows; ++cell) {
    const int left = (cell % kFontColumns) * cellW;
    const int top = (cell / kFontColumns) * cellH;
    for (int y = top; y < top + cellH; ++y) {
      for (int x = left + limit; x < left + cellW; ++x) {
        if (e.picture.At(x, y) != key) {
          *glyph = cell + 32;
          return true;
        }
      }
    }
  }
  return false;
}

}  // namespace

Catalogue ParseCatalogue(std::string_view text) {
  Catalogue catalogue;
  int lineNumber = 0;
  for (std::string_view line : Split(text, '\n')) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string_view> f = Split(line, '\t');
    auto bad = [&](const std::string& why) {
      catalogue.problems.push_back(ManifestProblem{lineNumber, why});
    };
    if (f.size() != 8) {
      bad("expected 8 tab-separated fields, found " + std::to_string(f.size()));
      continue;
    }
    CatalogueRow row;
    if (!Int(f[0], row.index) || row.index != static_cast<int>(catalogue.rows.size())) {
      bad("index '" + std::string(f[0]) + "' is not " + std::to_string(catalogue.rows.size()));
      continue;
    }
    const size_t x = f[3].find('x');
    const bool pattern =
        f[3] == "-" || (x != std::string_view::npos && Int(f[3].substr(0, x), row.patternWidth) &&
                        Int(f[3].substr(x + 1), row.patternHeight) && row.patternWidth > 0 &&
                        row.patternHeight > 0);
    if (!ReadBound(f[1], row.width) || !ReadBound(f[2], row.height) || !pattern ||
        !Int(f[4], row.count) || (f[5] != "-" && !Int(f[5], row.flashOf))) {
      bad("a size, pattern, count or flash_of field does not read");
      continue;
    }
    row.name = (f[6] == "-") ? "" : std::string(f[6]);
    row.role = std::string(f[7]);
    catalogue.rows.push_back(std::move(row));
  }
  return catalogue;
}

std::vector<std::string> CheckArchive(const std::vector<pres::ImageEntry>& entries,
                                      const Catalogue& catalogue) {
  std::vector<std::string> found;
  const auto& rows = catalogue.rows;
  if (entries.size() != rows.size()) {
    found.push_back("the archive has " + std::to_string(entries.size()) +
                    " entries, the catalogue " + std::to_string(rows.size()));
  }
  for (size_t i = 0; i < entries.size() && i < rows.size(); ++i) {
    const pres::ImageEntry& e = entries[i];
    const CatalogueRow& row = rows[i];
    const std::string at = "entry " + std::to_string(i) + " (" + row.role + "): ";
    auto fail = [&](const std::string& why) { found.push_back(at + why); };

    if (e.name != row.name) {
      fail(row.name.empty() ? "is named '" + e.name + "' but should have no name"
                            : "is named '" + e.name + "' but should be named '" + row.name + "'");
    }
    if (e.picture.Empty()) {
      fail("has no picture");
      continue;
    }
    if (!row.width.Allows(e.picture.width)) {
      fail("width " + std::to_string(e.picture.width) + ", should be " + Describe(row.width));
    }
    if (!row.height.Allows(e.picture.height)) {
      fail("height " + std::to_string(e.picture.height) + ", should be " + Describe(row.height));
    }
    if (row.patternWidth == 0 && (e.patternWidth > 0 || e.patternHeight > 0)) {
      fail("has a pattern size; a single picture keeps none");
    } else if (row.patternWidth > 0 &&
               (e.patternWidth != row.patternWidth || e.patternHeight != row.patternHeight)) {
      fail("pattern " + std::to_string(e.patternWidth) + "x" + std::to_string(e.patternHeight) +
           ", should be " + std::to_string(row.patternWidth) + "x" +
           std::to_string(row.patternHeight));
    }
    const int count = pres::PatternCount(e);
    if (count != row.count) {
      fail(std::to_string(count) + " patterns, should be " + std::to_string(row.count));
    }
    if (e.skipWidth != 0 || e.skipHeight != 0)
      fail("has gaps between patterns; every entry keeps none");
    if (!e.transparent || e.transparentColor != 0)
      fail("must be transparent with pure black as its key");
    if (row.flashOf >= 0 && static_cast<size_t>(row.flashOf) < entries.size()) {
      const pres::ImageEntry& main = entries[static_cast<size_t>(row.flashOf)];
      if (pres::PatternWidth(e) != pres::PatternWidth(main) ||
          pres::PatternHeight(e) != pres::PatternHeight(main) || count < pres::PatternCount(main)) {
        fail("as the flash form of entry " + std::to_string(row.flashOf) +
             " it needs the same pattern size and at least as many patterns");
      }
    }
    if (!row.name.empty() && row.name == "ImageListFont") {
      if (e.picture.width % kFontColumns != 0 || e.picture.height % kFontRows != 0) {
        fail("the font must be 16 x 6 equal glyph cells");
      } else if (int glyph = 0; FontInkOverflows(e, &glyph)) {
        fail("the glyph of character " + std::to_string(glyph) +
             " reaches into the next character's space");
      }
    }
  }
  return found;
}

}  // namespace artbuild
