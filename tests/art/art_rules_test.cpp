// Rules every picture of play must keep so that it packs and reads correctly:
// it renders, it never paints the transparent key where it means to be seen,
// flash forms are light tints of their picture's silhouette, and background layers loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "svg_raster.h"

namespace fs = std::filesystem;
using art_test::Raster;
using art_test::RenderSvg;

namespace {

const fs::path kPlayDir = fs::path(TOLVANE_SOURCE_DIR) / "content/images/play";

std::vector<fs::path> SvgsUnder(const fs::path& dir) {
  std::vector<fs::path> out;
  if (!fs::exists(dir)) return out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file() && e.path().extension() == ".svg") out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

Raster MustRender(const fs::path& p) {
  std::string error;
  auto r = RenderSvg(p.string(), &error);
  if (!r) ADD_FAILURE() << p << ": " << error;
  return r ? *r : Raster{};
}

int Luma(const art_test::Pixel& p) {
  return (p.r * 299 + p.g * 587 + p.b * 114) / 1000;
}

}  // namespace

TEST(PlayArt, EveryPictureRendersWithoutKeyColourHoles) {
  const auto files = SvgsUnder(kPlayDir);
  ASSERT_FALSE(files.empty()) << "no pictures under " << kPlayDir;
  for (const auto& f : files) {
    const Raster r = MustRender(f);
    int holes = 0;
    for (const auto& p : r.pixels)
      if (p.opaque && p.r == 0 && p.g == 0 && p.b == 0) ++holes;
    // A pure-black pixel is dropped as transparent when drawn: it would punch a hole.
    EXPECT_EQ(holes, 0) << f << " paints the transparent key colour";
  }
}

// A flash form is the frame shown on every other frame while an enemy is hit, so it must
// read as a hit (clearly lighter) without strobing: its own shading stays, it is a tint.
TEST(PlayArt, FlashFormsKeepTheSilhouetteAndAreALightTint) {
  const std::regex href(R"re(href="([^"#]+\.svg)")re");
  int checked = 0;
  for (const auto& f : SvgsUnder(kPlayDir)) {
    if (!EndsWith(f.filename().string(), "-flash.svg")) continue;
    std::ifstream in(f);
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    std::smatch m;
    ASSERT_TRUE(std::regex_search(s, m, href)) << f << " names no picture it flashes";
    const Raster flash = MustRender(f);
    const Raster main = MustRender(f.parent_path() / m[1].str());
    ASSERT_EQ(flash.width, main.width) << f;
    ASSERT_EQ(flash.height, main.height) << f;
    int moved = 0, darker = 0;
    std::vector<double> lit, own;
    for (size_t i = 0; i < main.pixels.size(); ++i) {
      if (flash.pixels[i].opaque != main.pixels[i].opaque) ++moved;
      if (!flash.pixels[i].opaque || !main.pixels[i].opaque) continue;
      const int a = Luma(main.pixels[i]), b = Luma(flash.pixels[i]);
      if (b < a) ++darker;
      own.push_back(a);
      lit.push_back(b);
    }
    EXPECT_EQ(moved, 0) << f << " does not cover exactly its picture's pixels";
    EXPECT_EQ(darker, 0) << f << " darkens some of its picture";
    ASSERT_FALSE(own.empty()) << f;
    const auto mean = [](const std::vector<double>& v) {
      double sum = 0;
      for (double x : v) sum += x;
      return sum / static_cast<double>(v.size());
    };
    const auto spread = [&](const std::vector<double>& v) {
      const double m0 = mean(v);
      double sum = 0;
      for (double x : v) sum += (x - m0) * (x - m0);
      return std::sqrt(sum / static_cast<double>(v.size()));
    };
    EXPECT_GE(mean(lit) - mean(own), 40) << f << " is too close to its picture to read as a hit";
    EXPECT_LE(mean(lit), 210) << f << " is a glaring near-white silhouette";
    EXPECT_GE(spread(lit), 0.5 * spread(own)) << f << " flattens its picture's shading";
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

namespace {

// Mean colour difference between two columns; transparent against opaque counts as maximal.
double ColumnDistance(const Raster& r, int a, int b) {
  double sum = 0;
  for (int y = 0; y < r.height; ++y) {
    const auto& p = r.at(a, y);
    const auto& q = r.at(b, y);
    if (p.opaque != q.opaque) {
      sum += 255;
    } else if (p.opaque) {
      sum += (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b)) / 3.0;
    }
  }
  return sum / r.height;
}

}  // namespace

TEST(PlayArt, BackgroundLayersLoopSeamlessly) {
  int checked = 0;
  for (const auto& f : SvgsUnder(kPlayDir / "backgrounds")) {
    const std::string name = f.filename().string();
    const bool back = EndsWith(name, "-back.svg"), front = EndsWith(name, "-front.svg");
    if (!back && !front) continue;
    const Raster r = MustRender(f);
    ASSERT_EQ(r.width, 480) << f;
    ASSERT_EQ(r.height, 320) << f;
    size_t open = 0;
    for (const auto& p : r.pixels) open += !p.opaque;
    const double open_share = static_cast<double>(open) / r.pixels.size();
    if (back) {
      EXPECT_EQ(open, 0u) << f << ": the back layer must cover the screen";
    } else {
      EXPECT_GT(open_share, 0.3) << f << ": the front layer must let the back layer show";
      EXPECT_LT(open_share, 0.95) << f << ": the front layer is nearly empty";
    }
    // The join of the last pattern to the first must be no sharper than the steps the
    // picture itself takes almost everywhere (its 99th percentile), or it shows as a seam.
    std::vector<double> steps;
    for (int x = 0; x + 1 < r.width; ++x) steps.push_back(ColumnDistance(r, x, x + 1));
    std::sort(steps.begin(), steps.end());
    const double usual = steps[steps.size() * 99 / 100];
    EXPECT_LE(ColumnDistance(r, r.width - 1, 0), usual + 1.0) << f << " shows a seam";
    ++checked;
  }
  EXPECT_EQ(checked % 2, 0) << "back and front layers come in pairs";
}

namespace {

// Every archive entry drawn during play: the player's set, items and HUD, enemies, bosses and
// their flash forms, shots and effects, explosions, the interference frames, the stage
// backgrounds and the title tile.
std::vector<int> PlayEntries() {
  std::vector<int> v = {1,   2,   3,   7,   8,   9,   10,  11,  12,  13,  14,  18,  19,  20,
                        21,  26,  27,  28,  30,  32,  33,  34,  35,  36,  37,  38,  39,  41,
                        42,  43,  44,  47,  52,  53,  54,  56,  57,  75,  76,  77,  78,  79,
                        80,  81,  82,  92,  93,  94,  95,  96,  97,  98,  99,  100, 101, 102,
                        103, 104, 128, 129, 130, 131, 132, 133, 135, 136, 137, 138, 139, 140,
                        141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154,
                        155, 157, 158, 159, 177, 178, 179, 180, 181, 197, 260, 261, 308};
  for (int i = 110; i <= 120; ++i) v.push_back(i);
  for (int i = 205; i <= 227; ++i) v.push_back(i);
  for (int i = 247; i <= 252; ++i) v.push_back(i);
  return v;
}

}  // namespace

TEST(PlayArt, EveryEntryOfPlayIsDrawnNotAPlaceholder) {
  const fs::path manifest = fs::path(TOLVANE_SOURCE_DIR) / "content/images/manifest";
  std::ifstream in(manifest);
  ASSERT_TRUE(in) << manifest;
  std::map<int, std::string> source;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string index, src;
    if (!(words >> index >> src) || index[0] == '#') continue;
    source[std::atoi(index.c_str())] = src;
  }
  for (int index : PlayEntries()) {
    const auto it = source.find(index);
    ASSERT_NE(it, source.end()) << "entry " << index << " is missing from the manifest";
    EXPECT_EQ(it->second.rfind("play/", 0), 0u) << "entry " << index << " is " << it->second;
    EXPECT_TRUE(fs::exists(manifest.parent_path() / it->second)) << "entry " << index;
  }
}
