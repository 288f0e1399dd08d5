#include "base/ByteOrder.h"

#include <gtest/gtest.h>

namespace
{
const u8 kBytes[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};

TEST(ByteOrder, ReadsBothOrdersAtEveryWidth)
{
    EXPECT_EQ(NSByteOrder::ReadBE16(kBytes), 0x0123u);
    EXPECT_EQ(NSByteOrder::ReadBE32(kBytes), 0x01234567u);
    EXPECT_EQ(NSByteOrder::ReadBE64(kBytes), 0x0123456789ABCDEFull);
    EXPECT_EQ(NSByteOrder::ReadLE16(kBytes), 0x2301u);
    EXPECT_EQ(NSByteOrder::ReadLE32(kBytes), 0x67452301u);
    EXPECT_EQ(NSByteOrder::ReadLE64(kBytes), 0xEFCDAB8967452301ull);
}

TEST(ByteOrder, WritesReadBackAndTopBitsSurvive)
{
    u8 buffer[8] = {};
    NSByteOrder::WriteBE64(buffer, 0xFEDCBA9876543210ull);
    EXPECT_EQ(NSByteOrder::ReadBE64(buffer), 0xFEDCBA9876543210ull);
    EXPECT_EQ(buffer[0], 0xFE);
    NSByteOrder::WriteLE64(buffer, 0xFEDCBA9876543210ull);
    EXPECT_EQ(NSByteOrder::ReadLE64(buffer), 0xFEDCBA9876543210ull);
    EXPECT_EQ(buffer[0], 0x10);
    NSByteOrder::WriteBE16(buffer, 0x8001);
    EXPECT_EQ(NSByteOrder::ReadBE16(buffer), 0x8001u);
    NSByteOrder::WriteLE32(buffer, 0x80000001u);
    EXPECT_EQ(NSByteOrder::ReadLE32(buffer), 0x80000001u);
}
} // namespace
