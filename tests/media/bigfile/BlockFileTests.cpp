#include "media/bigfile/BigFile.h"
#include "media/bigfile/BlockFile.h"

#include "tests/media/bigfile/ContainerImages.h"
#include "tests/media/bigfile/MemoryMedium.h"
#include "tests/support/ExpectThrown.h"

#include <gtest/gtest.h>

using namespace NSBigFilePackage;
using namespace NSContainerImages;
using NSTestSupport::Bytes;
using NSTestSupport::Concat;
using NSTestSupport::Text;

namespace
{
constexpr u32 kSmallBlock = 64;
} // namespace

TEST(BlockContainerCRC, CheckValueOverTheNineDigits)
{
    EXPECT_EQ(ComputeCRC16(Text("123456789")), 0x31C3);
    EXPECT_EQ(ComputeCRC16({}), 0);
}

TEST(BlockContainerCreate, CreatedFileHoldsHeaderSlotsAndEmptyDirectory)
{
    CMemoryMedium medium;
    CreateBigFile(medium);
    EXPECT_FALSE(medium.fOpen);

    const TBytes expected = Concat({Text("K42_FILE"), Bytes({0x00, 0x04, 0x00, 0x00}), Bytes({0x00, 0x00, 0x00, 0x24}),
                                    TBytes(18, 0x00),
                                    Bytes({0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0xEB, 0x23}),
                                    Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), Bytes({0, 0, 0, 0}),
                                    Bytes({0xB0, 0xBA, 0xFE, 0x77})});
    ASSERT_EQ(medium.fBytes.size(), 262196u);
    EXPECT_EQ(TBytes(medium.fBytes.begin(), medium.fBytes.begin() + expected.size()), expected);
    EXPECT_TRUE(std::all_of(medium.fBytes.begin() + expected.size(), medium.fBytes.end(),
                            [](u8 byte) { return byte == 0xFE; }));

    CBigFile container(medium);
    EXPECT_TRUE(container.GetStreamIDs().empty());
    EXPECT_EQ(container.GetDirectory().GetDirectoryBlocks(), std::vector<u64>{0});
}

TEST(BlockContainerCreate, ReusesAnEmptyMediumAndRefusesOneWithContent)
{
    CMemoryMedium empty(TBytes{});
    CreateBigFile(empty);
    EXPECT_EQ(empty.fBytes.size(), 262196u);

    CMemoryMedium full(Text("precious"));
    CatchThrown<NSQuorral::XAlreadyExists>([&] { CreateBigFile(full); }, NSQuorral::GetFileObjectType());
    EXPECT_TRUE(full.fExists);
    EXPECT_EQ(full.fBytes, Text("precious"));
}

TEST(BlockContainerCreate, FailureAfterTheHeaderDeletesTheMedium)
{
    for (int failing = 1; failing <= 7; ++failing)
    {
        CMemoryMedium medium;
        medium.fFailingWrite = failing;
        EXPECT_THROW(CreateBigFile(medium), NSQuorral::XWrite) << "write " << failing;
        EXPECT_FALSE(medium.fExists) << "write " << failing;
        EXPECT_FALSE(medium.fOpen) << "write " << failing;
    }
}

TEST(BlockContainerHeader, UnusableHeadersAreRefusedAndTheMediumClosed)
{
    struct Case
    {
        const char* name;
        TBytes bytes;
        bool formatViolation; // else XOpen
    };
    const Case kCases[] = {
        {"wrong magic", Concat({Text("K42_FILF"), BE32(kSmallBlock), BE32(36), TBytes(36)}), false},
        {"shorter than the header", Text("K42_FILE"), false},
        {"block size 0", Concat({Header(0), Slot(0, 0), Slot(1, 0)}), true},
        {"block size too small for a chain", Concat({Header(8), Slot(0, 0), Slot(1, 0)}), true},
        {"root area too short for two slots", Concat({Header(kSmallBlock, 35), TBytes(35)}), true},
    };
    for (const Case& test : kCases)
    {
        CMemoryMedium medium(test.bytes);
        if (test.formatViolation)
            CatchThrown<NSQuorral::XFormatViolation>([&] { CBigFile container(medium); },
                                                     NSQuorral::GetFileObjectType());
        else
            CatchThrown<NSQuorral::XOpen>([&] { CBigFile container(medium); }, NSQuorral::GetFileObjectType());
        EXPECT_FALSE(medium.fOpen) << test.name;
    }
}

TEST(BlockContainerHeader, RootAreaPastTheEndIsAReadFailure)
{
    CMemoryMedium medium(Header(kSmallBlock, 0x7FFFFFFF));
    CatchThrown<NSQuorral::XRead>([&] { CBigFile container(medium); }, NSQuorral::GetFileObjectType());
    EXPECT_FALSE(medium.fOpen);
}

TEST(BlockContainerHeader, HugeBlockSizeInASmallFileIsRejectedBeforeItSizesABuffer)
{
    // A block size near 4 GiB in a file without a single block: the chain cannot start inside
    // the file, which must fail at once, not after taking 4 GiB for a block buffer.
    CMemoryMedium medium(Concat({Header(0xFFFFFFF0), Slot(0, 0), Slot(1, 0)}));
    CatchThrown<NSQuorral::XFormatViolation>([&] { CBigFile container(medium); }, NSQuorral::GetFileObjectType());
    EXPECT_FALSE(medium.fOpen);
}

TEST(BlockContainerHeader, TrailingPartialBlockIsNoBlock)
{
    CMemoryMedium medium(Concat({EmptyContainer(kSmallBlock),
                                 TBytes(kSmallBlock - 1, 0xAA)}));
    CBlockFile blockFile(medium);
    EXPECT_EQ(blockFile.GetBlockCount(), 1u);
    EXPECT_EQ(blockFile.GetDataStart(), 52u);
}

TEST(BlockContainerBlocks, MultiBlockReadsCoalesceAdjacentRuns)
{
    TBytes image = Header(kSmallBlock);
    image.resize(52, 0);
    for (u8 block = 0; block < 6; ++block)
        image = Concat({image, DataBlock(kSmallBlock, block)});
    CMemoryMedium medium(image);
    CBlockFile blockFile(medium);

    struct Case
    {
        std::vector<u64> blocks;
        std::vector<std::pair<u64, i64>> reads;
    };
    const Case kCases[] = {
        {{3, 4, 5}, {{52 + 3 * kSmallBlock, 3 * kSmallBlock}}},
        {{5, 3, 4}, {{52 + 3 * kSmallBlock, 2 * kSmallBlock}, {52 + 5 * kSmallBlock, kSmallBlock}}},
        {{2}, {{52 + 2 * kSmallBlock, kSmallBlock}}},
    };
    for (const Case& test : kCases)
    {
        medium.fReads.clear();
        TBytes destination(test.blocks.size() * kSmallBlock);
        blockFile.ReadBlocks(test.blocks, destination.data());
        EXPECT_EQ(medium.fReads, test.reads);
        for (size_t i = 0; i < test.blocks.size(); ++i)
            EXPECT_EQ(destination[i * kSmallBlock], test.blocks[i]);
    }
    TBytes destination(2 * kSmallBlock);
    EXPECT_THROW(blockFile.ReadBlocks({5, 6}, destination.data()), std::invalid_argument);
}

TEST(BlockContainerBlocks, BlockNumbersOutsideTheFileAreInvalidArguments)
{
    CMemoryMedium medium(EmptyContainer(kSmallBlock));
    CBlockFile blockFile(medium);
    TBytes block(kSmallBlock);
    EXPECT_THROW(blockFile.ReadBlock(1, block.data()), std::invalid_argument);
    EXPECT_THROW(blockFile.WriteBlock(2, block.data(), false), std::invalid_argument);
    blockFile.WriteBlock(1, block.data(), false);
    EXPECT_EQ(blockFile.GetBlockCount(), 2u);
    EXPECT_THROW(WriteRootSlot(blockFile, 0, 2, 5), std::invalid_argument);
}
