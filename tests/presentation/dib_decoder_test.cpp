// Every depth, header and compression of the header-less DIB, built byte by byte,
// plus complete bitmap files and each way a DIB can be broken.
#include "presentation/dib_decoder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "presentation/image_archive.h"
#include "test_bytes.h"

namespace pres {
namespace {

using test::ByteBuilder;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080, kYellow = 0xFFFF00;

void ExpectBadDib(const test::Bytes& bytes) {
  try {
    DecodeDib(bytes);
    FAIL() << "decoded a broken DIB";
  } catch (const ArchiveError& e) {
    EXPECT_STREQ(e.what(), kBadDibError);
  }
}

TEST(DibDecoder, OneBitRowsArePaddedBottomUpMostSignificantBitFirst) {
  ByteBuilder b;
  b.InfoHeader(3, 2, 1).Quad(0).Quad(kWhite);
  b.Raw({0xA0, 0, 0, 0});  // bottom row: 1 0 1
  b.Raw({0x60, 0, 0, 0});  // top row: 0 1 1
  Picture p = DecodeDib(b.Get());
  EXPECT_EQ(p.width, 3);
  EXPECT_EQ(p.height, 2);
  EXPECT_EQ(p.bitsPerPixel, 1);
  EXPECT_THAT(p.palette, ElementsAre(0u, kWhite));
  EXPECT_THAT(p.pixels, ElementsAre(0u, kWhite, kWhite, kWhite, 0u, kWhite));
}

TEST(DibDecoder, TwoFourAndEightBitIndices) {
  {
    ByteBuilder b;
    b.InfoHeader(5, 1, 2).Quad(0).Quad(kRed).Quad(kGreen).Quad(kBlue);
    b.Raw({0b00011011, 0b01000000, 0, 0});
    EXPECT_THAT(DecodeDib(b.Get()).pixels, ElementsAre(0u, kRed, kGreen, kBlue, kRed));
  }
  {
    ByteBuilder b;
    b.InfoHeader(3, 1, 4, 0, 4).Quad(0).Quad(kRed).Quad(kGreen).Quad(kBlue);
    b.Raw({0x13, 0x20, 0, 0});
    Picture p = DecodeDib(b.Get());
    EXPECT_EQ(p.palette.size(), 4u);  // used-colours field, not 16
    EXPECT_THAT(p.pixels, ElementsAre(kRed, kBlue, kGreen));
  }
  {
    ByteBuilder b;
    b.InfoHeader(3, 1, 8).Quad(kGrey).Quad(kYellow);
    b.Zeros(254 * 4);  // 2^8 entries when the used-colours field is 0
    b.Raw({1, 0, 1, 0});
    Picture p = DecodeDib(b.Get());
    EXPECT_EQ(p.palette.size(), 256u);
    EXPECT_THAT(p.pixels, ElementsAre(kYellow, kGrey, kYellow));
  }
  {
    ByteBuilder b;
    b.InfoHeader(1, 1, 8, 0, 257);  // used-colours above 256: the table still ends at 256
    for (uint32_t i = 0; i < 256; ++i) b.Quad(i * 0x010101);
    b.Raw({5, 0, 0, 0});
    Picture p = DecodeDib(b.Get());
    EXPECT_EQ(p.palette.size(), 256u);
    EXPECT_THAT(p.pixels, ElementsAre(0x050505u));
  }
}

TEST(DibDecoder, IndexPastTheColourTableIsBlack) {
  ByteBuilder b;
  b.InfoHeader(2, 1, 8, 0, 1).Quad(kWhite).Raw({0, 200, 0, 0});
  EXPECT_THAT(DecodeDib(b.Get()).pixels, ElementsAre(kWhite, 0u));
}

TEST(DibDecoder, CoreHeaderHasThreeByteTableEntries) {
  ByteBuilder b;
  b.CoreHeader(3, 2, 1).Triple(kBlue).Triple(kYellow);
  b.Raw({0x80, 0, 0, 0});  // bottom: 1 0 0
  b.Raw({0x20, 0, 0, 0});  // top: 0 0 1
  Picture p = DecodeDib(b.Get());
  EXPECT_EQ(p.width, 3);
  EXPECT_EQ(p.height, 2);
  EXPECT_THAT(p.pixels, ElementsAre(kBlue, kBlue, kYellow, kYellow, kBlue, kBlue));
}

TEST(DibDecoder, CoreHeaderEightBitAndTwentyFourBit) {
  ByteBuilder b8;
  b8.CoreHeader(1, 1, 8).Triple(kRed).Triple(kGreen).Zeros(254 * 3).Raw({1, 0, 0, 0});
  EXPECT_THAT(DecodeDib(b8.Get()).pixels, ElementsAre(kGreen));
  ByteBuilder b24;
  b24.CoreHeader(2, 1, 24).Raw({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0, 0});
  EXPECT_THAT(DecodeDib(b24.Get()).pixels, ElementsAre(0x030201u, 0x060504u));
}

TEST(DibDecoder, SixteenBitsWithoutMasksAreFiveFiveFive) {
  ByteBuilder b;
  b.InfoHeader(4, 1, 16);
  b.U16(0x7C00).U16(0x03E0).U16(0x001F).U16(0x4210);
  Picture p = DecodeDib(b.Get());
  EXPECT_THAT(p.pixels, ElementsAre(kRed, kGreen, kBlue, 0x848484u));
}

TEST(DibDecoder, SixteenBitBitFieldsFiveSixFive) {
  ByteBuilder b;
  b.InfoHeader(3, 1, 16, 3).U32(0xF800).U32(0x07E0).U32(0x001F);
  b.U16(0xF800).U16(0x07E0).U16(0x0400).U16(0);  // last 2 bytes: row padding
  Picture p = DecodeDib(b.Get());
  // 6-bit green 32 of 63 widens to 130.
  EXPECT_THAT(p.pixels, ElementsAre(kRed, kGreen, 0x008200u));
}

TEST(DibDecoder, TwentyFourBitRowsArePaddedToFourBytes) {
  ByteBuilder b;
  b.InfoHeader(1, 2, 24);
  b.Raw({0x00, 0x00, 0xFF, 0x00});  // bottom: red + 1 padding byte
  b.Raw({0xFF, 0x00, 0x00, 0x00});  // top: blue
  EXPECT_THAT(DecodeDib(b.Get()).pixels, ElementsAre(kBlue, kRed));
}

TEST(DibDecoder, ThirtyTwoBitsWithAndWithoutMasks) {
  ByteBuilder plain;
  plain.InfoHeader(2, 1, 32).U32(0xAA123456).U32(0x00FEDCBA);
  EXPECT_THAT(DecodeDib(plain.Get()).pixels, ElementsAre(0x123456u, 0xFEDCBAu));

  ByteBuilder fields;  // red in the low byte, blue in the third
  fields.InfoHeader(1, 1, 32, 3).U32(0x000000FF).U32(0x0000FF00).U32(0x00FF0000).U32(0x00332211);
  EXPECT_THAT(DecodeDib(fields.Get()).pixels, ElementsAre(0x112233u));

  ByteBuilder wide;  // 10-bit channels narrow to their top 8 bits
  wide.InfoHeader(1, 1, 32, 3).U32(0x3FF00000).U32(0x000FFC00).U32(0x000003FF);
  wide.U32((0x3FFu << 20) | (0x200u << 10) | 0x003);
  EXPECT_THAT(DecodeDib(wide.Get()).pixels, ElementsAre(0xFF8000u));
}

TEST(DibDecoder, NegativeHeightIsTopDownAndReportsPositiveHeight) {
  ByteBuilder b;
  b.InfoHeader(1, -2, 8, 0, 2).Quad(kRed).Quad(kGreen);
  b.Raw({0, 0, 0, 0});  // first stored row is the top
  b.Raw({1, 0, 0, 0});
  Picture p = DecodeDib(b.Get());
  EXPECT_EQ(p.height, 2);
  EXPECT_THAT(p.pixels, ElementsAre(kRed, kGreen));
}

TEST(DibDecoder, RunLengthEightWithAbsoluteRunsDeltaAndEndMarkers) {
  ByteBuilder b;
  b.InfoHeader(4, 4, 8, 1, 4).Quad(0x101010).Quad(kRed).Quad(kGreen).Quad(kBlue);
  b.Raw({4, 1, 0, 0});                    // row 0 (bottom): four reds, end of line
  b.Raw({0, 3, 2, 3, 2, 0, 1, 1, 0, 0});  // row 1: absolute 2 3 2 (+pad), one red
  b.Raw({0, 2, 2, 0, 2, 3});              // row 2: skip two pixels, two blues
  b.Raw({0, 1});                          // end of bitmap: row 3 stays colour 0
  Picture p = DecodeDib(b.Get());
  const uint32_t bg = 0x101010;
  EXPECT_THAT(p.pixels, ElementsAreArray({bg, bg, bg, bg,               //
                                          bg, bg, kBlue, kBlue,         //
                                          kGreen, kBlue, kGreen, kRed,  //
                                          kRed, kRed, kRed, kRed}));
}

TEST(DibDecoder, RunLengthFourAlternatesNibbles) {
  ByteBuilder b;
  b.InfoHeader(5, 3, 4, 2, 7).Quad(0).Quad(1).Quad(2).Quad(3).Quad(4).Quad(5).Quad(6);
  b.Raw({5, 0x12, 0, 0});                       // bottom: 1 2 1 2 1
  b.Raw({0, 3, 0x34, 0x50, 2, 0x66, 0, 0});     // absolute 3 4 5, then 6 6
  b.Raw({0, 5, 0x12, 0x34, 0x50, 0x00, 0, 1});  // absolute of 5: 3 bytes padded to 4; end
  Picture p = DecodeDib(b.Get());
  EXPECT_THAT(p.pixels, ElementsAreArray({1u, 2u, 3u, 4u, 5u,  //
                                          3u, 4u, 5u, 6u, 6u,  //
                                          1u, 2u, 1u, 2u, 1u}));
}

TEST(DibDecoder, RunLengthNeverWritesOutsideThePicture) {
  ByteBuilder b;
  b.InfoHeader(2, 2, 8, 1, 2).Quad(0).Quad(kWhite);
  b.Raw({200, 1});        // a run far past the right edge is cut, not wrapped
  b.Raw({0, 2, 250, 9});  // a delta below the last row
  b.Raw({3, 1});          // nothing more is written
  Picture p = DecodeDib(b.Get());
  EXPECT_THAT(p.pixels, ElementsAre(0u, 0u, kWhite, kWhite));

  ByteBuilder cut;  // absolute run cut short by the end of the data
  cut.InfoHeader(4, 1, 8, 1, 2).Quad(0).Quad(kWhite).Raw({0, 4, 1, 1});
  EXPECT_THAT(DecodeDib(cut.Get()).pixels, ElementsAre(kWhite, kWhite, 0u, 0u));
}

TEST(DibDecoder, ZeroLengthIsAnEmptyPicture) {
  Picture p = DecodeDib({});
  EXPECT_TRUE(p.Empty());
  EXPECT_TRUE(p.pixels.empty());
}

TEST(DibDecoder, MalformedHeadersFailWithTheDibError) {
  ExpectBadDib({1, 2, 3});                                         // shorter than the size field
  ExpectBadDib(ByteBuilder().U32(40).U32(1).Get());                // header cut short
  ExpectBadDib(ByteBuilder().U32(20).Zeros(16).Get());             // unknown header size
  ExpectBadDib(ByteBuilder().U32(108).Zeros(104).Zeros(8).Get());  // only files take later headers
  ExpectBadDib(ByteBuilder().InfoHeader(1, 1, 24, 4).Zeros(4).Get());     // compression 4
  ExpectBadDib(ByteBuilder().InfoHeader(1, 1, 4, 1).Zeros(64).Get());     // RLE8 needs 8 bits
  ExpectBadDib(ByteBuilder().InfoHeader(1, 1, 8, 2).Zeros(1024).Get());   // RLE4 needs 4 bits
  ExpectBadDib(ByteBuilder().InfoHeader(1, 1, 24, 3).Zeros(16).Get());    // bit fields need 16/32
  ExpectBadDib(ByteBuilder().InfoHeader(1, 1, 3).Zeros(64).Get());        // no such depth
  ExpectBadDib(ByteBuilder().InfoHeader(1, -1, 8, 1, 1).Zeros(8).Get());  // run-length top-down
}

TEST(DibDecoder, BadSizesFailWithoutHugeAllocations) {
  ExpectBadDib(ByteBuilder().InfoHeader(0, 1, 24).Zeros(4).Get());
  ExpectBadDib(ByteBuilder().InfoHeader(-5, 1, 24).Zeros(16).Get());
  ExpectBadDib(ByteBuilder().InfoHeader(1, 0, 24).Get());
  ExpectBadDib(ByteBuilder().InfoHeader(1, INT32_MIN, 24).Zeros(4).Get());
  ExpectBadDib(ByteBuilder().InfoHeader(40000, 1, 24).Zeros(16).Get());
  ExpectBadDib(
      ByteBuilder().InfoHeader(30000, 30000, 8, 1).Zeros(1024).Get());  // over the pixel cap
  ExpectBadDib(ByteBuilder().InfoHeader(INT32_MAX, INT32_MAX, 32).Get());
  ExpectBadDib(
      ByteBuilder().InfoHeader(1, 1, 8, 0, 0xFFFFFFFF).Zeros(8).Get());   // table past the end
  ExpectBadDib(ByteBuilder().InfoHeader(100, 100, 24).Zeros(100).Get());  // rows past the end
  ExpectBadDib(ByteBuilder().InfoHeader(1, 1, 16, 3).U32(0xF800).Get());  // masks cut short
}

TEST(DibDecoder, LastRowMayLackItsPadding) {
  ByteBuilder b;
  b.InfoHeader(1, 2, 24).Raw({1, 2, 3, 0}).Raw({4, 5, 6});
  EXPECT_THAT(DecodeDib(b.Get()).pixels, ElementsAre(0x060504u, 0x030201u));
}

test::Bytes BitmapFile(const test::Bytes& dib, uint32_t pixelOffset) {
  ByteBuilder f;
  f.Text("BM").U32(uint32_t(14 + dib.size())).U32(0).U32(pixelOffset).Raw(dib);
  return f.Get();
}

TEST(BitmapFile, HonoursThePixelOffsetAndFallsBackWhenItIsNonsense) {
  ByteBuilder dib;
  dib.InfoHeader(1, 1, 8, 0, 2).Quad(kRed).Quad(kGreen);
  ByteBuilder gap = dib;
  gap.Zeros(6).Raw({1, 0, 0, 0});
  EXPECT_THAT(DecodeBitmapFile(BitmapFile(gap.Get(), 14 + 48 + 6)).pixels, ElementsAre(kGreen));
  dib.Raw({1, 0, 0, 0});
  EXPECT_THAT(DecodeBitmapFile(BitmapFile(dib.Get(), 0)).pixels, ElementsAre(kGreen));
  EXPECT_THAT(DecodeBitmapFile(BitmapFile(dib.Get(), 0xFFFFFFF0)).pixels, ElementsAre(kGreen));
}

TEST(BitmapFile, OffsetInsideTheTableShortensTheTable) {
  ByteBuilder dib;  // core header promises 256 entries, the offset allows two
  dib.CoreHeader(1, 1, 8).Triple(kRed).Triple(kGreen).Raw({1, 0, 0, 0});
  EXPECT_THAT(DecodeBitmapFile(BitmapFile(dib.Get(), 14 + 12 + 6)).pixels, ElementsAre(kGreen));
}

TEST(BitmapFile, LaterHeadersCarryTheirMasks) {
  for (uint32_t size : {108u, 124u}) {
    ByteBuilder dib;
    dib.U32(size).I32(1).I32(-1).U16(1).U16(16).U32(3).Zeros(20);
    dib.U32(0xF800).U32(0x07E0).U32(0x001F).U32(0).Zeros(size - 56);
    dib.U16(0x07E0).U16(0);
    Picture p = DecodeBitmapFile(BitmapFile(dib.Get(), 14 + size));
    EXPECT_THAT(p.pixels, ElementsAre(kGreen)) << size;
  }
}

TEST(BitmapFile, WrongSignatureOrUnknownHeaderFails) {
  ByteBuilder dib;
  dib.InfoHeader(1, 1, 24).Zeros(4);
  auto file = BitmapFile(dib.Get(), 54);
  file[1] = 'X';
  EXPECT_THROW(DecodeBitmapFile(file), ArchiveError);
  ByteBuilder odd;
  odd.U32(66).Zeros(62).Zeros(4);
  EXPECT_THROW(DecodeBitmapFile(BitmapFile(odd.Get(), 14 + 66)), ArchiveError);
  EXPECT_THROW(DecodeBitmapFile(test::Bytes{'B', 'M', 1}), ArchiveError);
}

}  // namespace
}  // namespace pres
