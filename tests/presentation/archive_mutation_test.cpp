// Thousands of deterministic mutations of valid archives: each one reads or fails with
// one of the archive's two error texts. Under ASan this catches over-reads the hand-made
// cases miss; the libFuzzer target in fuzz/ explores further.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "presentation/image_archive.h"
#include "test_archive.h"

namespace pres {
namespace {

using test::ByteBuilder;
using test::Bytes;

std::vector<Bytes> Seeds() {
  ImageEntry e;
  e.name = "ImageListFont";
  e.patternWidth = 3;
  e.skipHeight = 1;
  e.transparentColor = 0xFF00FF;
  e.picture.width = 5;
  e.picture.height = 3;
  e.picture.bitsPerPixel = 8;
  e.picture.palette = {0x000000, 0xFF00FF, 0x123456};
  for (int i = 0; i < 15; ++i) e.picture.pixels.push_back(e.picture.palette[size_t(i % 3)]);
  std::vector<ImageEntry> entries{e, e, ImageEntry{}};
  entries[1].picture.pixels[4] = 0xABCDEF;
  std::vector<Bytes> seeds;
  for (auto storage : {PictureStorage::Dib8, PictureStorage::Dib24, PictureStorage::Bitmap24}) {
    seeds.push_back(WriteArchive(entries, storage));
  }
  ByteBuilder rle8;
  rle8.InfoHeader(6, 4, 8, 1, 3).Quad(1).Quad(2).Quad(3);
  rle8.Raw({3, 1, 0, 3, 2, 0, 1, 0, 0, 0, 2, 1, 1, 0, 0, 2, 2, 9, 0, 1});
  ByteBuilder rle4;
  rle4.InfoHeader(6, 4, 4, 2, 3).Quad(1).Quad(2).Quad(3);
  rle4.Raw({3, 0x12, 0, 3, 0x21, 0x20, 0, 0, 0, 2, 1, 1, 4, 0x22, 0, 1});
  ByteBuilder core;
  core.CoreHeader(3, 2, 4).Triple(1).Triple(2).Zeros(14 * 3).Raw(
      {0x12, 0x30, 0, 0, 0x21, 0x00, 0, 0});
  ByteBuilder fields;
  fields.InfoHeader(2, -2, 16, 3).U32(0xF800).U32(0x07E0).U32(0x001F).U16(1).U16(2).U16(3).U16(4);
  ByteBuilder items;
  for (const auto* dib : {&rle8, &rle4, &core, &fields})
    items.Raw(test::Item(test::PictureProperty("TDIB", dib->Get())));
  seeds.push_back(test::ArchiveOf(items.Get(), true));
  return seeds;
}

void Mutate(Bytes& b, std::mt19937& rng) {
  static constexpr uint32_t kInteresting[] = {0,          1,      0x7F,   0x80,       0xFF,
                                              0x7FFF,     0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000,
                                              0xFFFFFFFF, 40,     12,     1000000};
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  if (b.empty()) return;
  switch (pick(6)) {
    case 0:
      b[pick(b.size())] ^= uint8_t(1u << pick(8));
      break;
    case 1:
      b[pick(b.size())] = uint8_t(kInteresting[pick(std::size(kInteresting))]);
      break;
    case 2: {
      uint32_t v = kInteresting[pick(std::size(kInteresting))];
      size_t at = pick(b.size());
      for (size_t i = 0; i < 4 && at + i < b.size(); ++i) b[at + i] = uint8_t(v >> (8 * i));
      break;
    }
    case 3:
      b.resize(pick(b.size()));
      break;
    case 4: {  // repeat a chunk in place
      size_t at = pick(b.size()), len = std::min<size_t>(pick(32) + 1, b.size() - at);
      Bytes chunk(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + len));
      b.insert(b.begin() + std::ptrdiff_t(at), chunk.begin(), chunk.end());
      break;
    }
    default: {  // cut a chunk out
      size_t at = pick(b.size()), len = std::min<size_t>(pick(16) + 1, b.size() - at);
      b.erase(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + len));
    }
  }
}

TEST(ArchiveMutation, EveryMutantReadsOrFailsWithAnArchiveError) {
  std::mt19937 rng(20240601);
  int read = 0, refused = 0;
  for (const Bytes& seed : Seeds()) {
    {
      ImageArchive a;
      ASSERT_NO_THROW(a.LoadFromMemory(seed));
    }
    for (int i = 0; i < 10000; ++i) {
      Bytes b = seed;
      int mutations = 1 + int(rng() % 4);
      for (int m = 0; m < mutations; ++m) Mutate(b, rng);
      ImageArchive a;
      try {
        a.LoadFromMemory(b);
        for (const ImageEntry& e : a.Entries()) {
          ASSERT_EQ(e.picture.pixels.size(), size_t(e.picture.width) * size_t(e.picture.height));
          PatternCount(e);
        }
        ++read;
      } catch (const ArchiveError& err) {
        bool known = std::strcmp(err.what(), kStreamFormatError) == 0 ||
                     std::strcmp(err.what(), kBadDibError) == 0;
        ASSERT_TRUE(known) << err.what();
        ++refused;
      }
    }
  }
  // Both outcomes must occur, or the mutations are not reaching the decoders.
  EXPECT_GT(read, 500);
  EXPECT_GT(refused, 500);
}

}  // namespace
}  // namespace pres
