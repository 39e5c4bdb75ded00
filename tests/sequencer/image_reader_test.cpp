#include "sequencer/src/image_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/sequencer/support/smf_builder.h"

namespace vondra {
namespace {

TEST(ImageReader, ReadsBigEndianNumbersAndVariableLengthQuantities) {
  const std::vector<uint8_t> bytes{0x12, 0x34, 0xDE, 0xAD, 0xBE, 0xEF, 0x81, 0x00, 0xFF, 0x7F};
  ImageReader reader(bytes);
  EXPECT_EQ(reader.U16(), 0x1234);
  EXPECT_EQ(reader.U32(), 0xDEADBEEFu);
  EXPECT_EQ(reader.VarLen(), 128u);
  EXPECT_EQ(reader.VarLen(), 0x3FFFu);
  EXPECT_FALSE(reader.Failed());
  EXPECT_EQ(reader.Remaining(), 0u);

  for (uint32_t value : {0u, 0x7Fu, 0x80u, 0x3FFFu, 0x4000u, 0x1FFFFFu, 0x200000u, 0x0FFFFFFFu}) {
    const auto encoded = testing::VarLen(value);
    ImageReader quantity(encoded);
    EXPECT_EQ(quantity.VarLen(), value);
    EXPECT_EQ(quantity.Remaining(), 0u);
  }
}

TEST(ImageReader, EveryReadPastTheEndFailsWithoutMoving) {
  const std::vector<uint8_t> bytes{0x01, 0x02, 0x03, 0x81, 0x82};
  {
    ImageReader reader(bytes, 0, 3);  // a track ending before the image does
    EXPECT_EQ(reader.U16(), 0x0102);
    EXPECT_EQ(reader.U16(), 0);  // one byte left
    EXPECT_TRUE(reader.Failed());
    EXPECT_EQ(reader.FaultOffset(), 2u);
    EXPECT_EQ(reader.Byte(), 0);  // stays failed
  }
  {
    ImageReader reader(bytes, 3, bytes.size());
    EXPECT_EQ(reader.VarLen(), 0u);  // continuation bits run off the end
    EXPECT_TRUE(reader.Failed());
  }
  {
    ImageReader reader(bytes);
    EXPECT_TRUE(reader.Take(6).empty());
    EXPECT_TRUE(reader.Failed());
  }
  {
    ImageReader reader(bytes, 0, 1000);  // an end past the image is clipped to it
    EXPECT_EQ(reader.End(), bytes.size());
    reader.Skip(5);
    EXPECT_FALSE(reader.Failed());
    reader.Back(6);
    EXPECT_TRUE(reader.Failed());
  }
  {
    ImageReader reader(bytes, 9, 20);  // starting beyond the end
    EXPECT_TRUE(reader.Failed());
    EXPECT_FALSE(reader.At("\x01"));
  }
}

TEST(ImageReader, LongVariableLengthQuantitiesWrapInsteadOfOverflowing) {
  const std::vector<uint8_t> bytes{0x8F, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
  ImageReader reader(bytes);
  EXPECT_EQ(reader.VarLen(), 0xFFFFFFFFu);
  EXPECT_FALSE(reader.Failed());
}

}  // namespace
}  // namespace vondra
