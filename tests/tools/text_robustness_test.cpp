// The text readers never crash on damaged input: the shipped texts, mutated a few thousand
// times with a fixed seed, either compile or are refused with a message.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tools/artbuild/catalogue.h"
#include "tools/artbuild/manifest.h"
#include "tools/common/file_io.h"
#include "tools/mmlc/mml_compiler.h"
#include "tools/mmlc/smf_writer.h"
#include "tools/stagec/stage_checks.h"
#include "tools/stagec/stage_text.h"

namespace {

std::string Source(const std::string& relative) {
  return tools::ReadText(std::string(TOLVANE_SOURCE_DIR) + "/" + relative).value_or("");
}

// Byte flips, deletions, duplications and insertions of characters the grammars care about.
std::string Mutate(std::string text, std::mt19937& rng) {
  static const std::string kSpecial = "[]()&^/L#\";,<>.0123456789-+ \n\t\x80\xff";
  const int edits = 1 + static_cast<int>(rng() % 4);
  for (int i = 0; i < edits && !text.empty(); ++i) {
    const size_t at = rng() % text.size();
    switch (rng() % 4) {
      case 0:
        text[at] = kSpecial[rng() % kSpecial.size()];
        break;
      case 1:
        text.erase(at, 1 + rng() % 8);
        break;
      case 2:
        text.insert(at, text.substr(at, rng() % 40));
        break;
      default:
        text.insert(at, 1, kSpecial[rng() % kSpecial.size()]);
        break;
    }
  }
  return text;
}

TEST(TextRobustness, MusicTextsCompileOrAreRefused) {
  std::mt19937 rng(7);
  const std::string seeds[] = {Source("content/music/stage1.mml"),
                               Source("content/music/ending.mml")};
  int refused = 0;
  for (int i = 0; i < 800; ++i) {
    const std::string text = Mutate(seeds[i % 2], rng);
    try {
      const std::vector<uint8_t> bytes = mmlc::WriteSmf(mmlc::CompileMml(text));
      ASSERT_GE(bytes.size(), 14u);
    } catch (const mmlc::MmlError& e) {
      ++refused;
      ASSERT_GE(e.pos.line, 1);
      ASSERT_FALSE(e.reason.empty());
    }
  }
  EXPECT_GT(refused, 0);
}

TEST(TextRobustness, StageTextsParseAndCheckWithoutFault) {
  std::mt19937 rng(11);
  const std::string seed = Source("content/stages/stage5.txt");
  for (int i = 0; i < 3000; ++i) {
    const stagec::ParsedStage parsed = stagec::ParseStageText(Mutate(seed, rng));
    const stagec::Problems problems =
        stagec::CheckStage(parsed.records, parsed.lines, parsed.lastLine);
    for (const auto& p : problems) ASSERT_FALSE(p.message.empty());
    ASSERT_EQ(parsed.records.size(), parsed.lines.size());
  }
}

TEST(TextRobustness, ManifestAndCatalogueReadWithoutFault) {
  std::mt19937 rng(13);
  const std::string manifest = Source("content/images/manifest");
  const std::string catalogue = Source("content/images/catalogue.tsv");
  for (int i = 0; i < 300; ++i) {
    const artbuild::Manifest m = artbuild::ParseManifest(Mutate(manifest, rng));
    for (size_t k = 0; k < m.entries.size(); ++k) ASSERT_GE(m.entries[k].index, 0);
    const artbuild::Catalogue c = artbuild::ParseCatalogue(Mutate(catalogue, rng));
    for (size_t k = 0; k < c.rows.size(); ++k) ASSERT_EQ(c.rows[k].index, static_cast<int>(k));
  }
}

}  // namespace
