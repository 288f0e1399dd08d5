#include "media/bigfile/BigFile.h"
#include "media/bigfile/BigFileStreamMedia.h"

#include "tests/media/bigfile/ContainerImages.h"
#include "tests/media/bigfile/ContainerStreams.h"
#include "tests/media/bigfile/MemoryMedium.h"

#include <gtest/gtest.h>

#include <typeinfo>

using namespace NSBigFilePackage;
using namespace NSContainerImages;
using namespace NSContainerStreams;
using NSBigFileUtils::CBigFileStreamMedia;
using NSTestSupport::Concat;

namespace
{
constexpr u32 kBlock = 64;

// An open container with 64-byte blocks, empty at the start.
class BlockContainerStreams : public ::testing::Test
{
protected:
    TBytes ReadBack(u32 id) { return ReadContents(fMedium.fBytes).at(id); }

    CMemoryMedium fMedium{EmptyContainer(kBlock)};
    CBigFile fContainer{fMedium};
};

class CForeignStream : public IStream
{
public:
    u32 GetID() const override { return 1; }
    u64 GetSize() const override { return 0; }
    u64 GetPosition() const override { return 0; }
    void SetPosition(u64) override {}
    void Close() override {}
};
} // namespace

TEST_F(BlockContainerStreams, WrittenStreamsReadBackAtAnyOffset)
{
    const TBytes first = Pattern(200, 0);
    const TBytes third = Pattern(64, 100);
    WriteStream(fContainer, fContainer.OpenStreamForWriting(), first);
    WriteStream(fContainer, fContainer.CreateStream(3), third);
    EXPECT_EQ(fContainer.GetStreamIDs(), (std::vector<u32>{1, 3}));
    EXPECT_EQ(ReadContents(fMedium.fBytes), (TContents{{1, first}, {3, third}}));

    const std::unique_ptr<IStream> stream = fContainer.OpenStreamForReading(1);
    CBigFileStreamMedia media(fContainer, *stream);
    struct Case
    {
        i64 offset;
        i64 size;
    };
    const Case kCases[] = {{0, 200}, {10, 5}, {60, 10}, {64, 64}, {1, 190}, {63, 129}, {199, 1}, {128, 72}};
    for (const Case& test : kCases)
    {
        TBytes bytes(size_t(test.size));
        media.Read(test.offset, test.size, bytes.data());
        EXPECT_EQ(bytes, TBytes(first.begin() + test.offset, first.begin() + test.offset + test.size))
            << test.offset << "+" << test.size;
        EXPECT_EQ(stream->GetPosition(), u64(test.offset + test.size));
    }
    TBytes bytes(2);
    EXPECT_THROW(media.Read(199, 2, bytes.data()), std::invalid_argument);
}

TEST_F(BlockContainerStreams, WholeBlocksNeedNoExtraBlock)
{
    WriteStream(fContainer, fContainer.CreateStream(4), Pattern(2 * kBlock, 1));
    EXPECT_EQ(fContainer.GetDirectory().GetStreamBlocks(4).size(), 2u);
    EXPECT_EQ(fContainer.GetDirectory().GetStreamLength(4), 2u * kBlock);
    EXPECT_TRUE(fContainer.GetDirectory().IsConsistent());
}

TEST_F(BlockContainerStreams, DirectoryFillingItsBlocksExactlyTakesOneMore)
{
    // One entry of three blocks: 4 + 24 + 3 * 8 + 4 = 56 bytes, the capacity of one block.
    WriteStream(fContainer, fContainer.CreateStream(4), Pattern(150, 1));
    EXPECT_EQ(fContainer.GetDirectory().GetDirectoryBlocks().size(), 2u);
    EXPECT_EQ(ReadBack(4), Pattern(150, 1));
}

TEST_F(BlockContainerStreams, WriterMovingBackKeepsTheBytesItDoesNotRewrite)
{
    const std::unique_ptr<IStream> stream = fContainer.OpenStreamForWriting();
    WriteBytes(fContainer, *stream, Pattern(150, 0));
    stream->SetPosition(10);
    WriteBytes(fContainer, *stream, TBytes(3, 0xAA));
    stream->SetPosition(70);
    WriteBytes(fContainer, *stream, TBytes(60, 0xBB));
    stream->SetPosition(stream->GetSize());
    WriteBytes(fContainer, *stream, TBytes(2, 0xCC));
    stream->Close();

    TBytes expected = Concat({Pattern(150, 0), TBytes(2, 0xCC)});
    std::fill(expected.begin() + 10, expected.begin() + 13, 0xAA);
    std::fill(expected.begin() + 70, expected.begin() + 130, 0xBB);
    EXPECT_EQ(ReadBack(1), expected);
}

TEST_F(BlockContainerStreams, ZeroLengthCloseRemovesTheEntry)
{
    WriteStream(fContainer, fContainer.OpenStreamForWriting(), Pattern(100, 0));
    ASSERT_EQ(fContainer.GetStreamIDs(), std::vector<u32>{1});
    const std::vector<u64> oldBlocks = fContainer.GetDirectory().GetStreamBlocks(1);

    WriteStream(fContainer, fContainer.OpenStreamForWriting(), {});
    EXPECT_TRUE(fContainer.GetStreamIDs().empty());
    EXPECT_TRUE(ReadContents(fMedium.fBytes).empty());
    // The old blocks and the one the commit flushed for the empty stream are free again.
    const std::vector<u64>& free = fContainer.GetDirectory().GetFreeBlocks();
    for (u64 block : oldBlocks)
        EXPECT_NE(std::find(free.begin(), free.end(), block), free.end()) << block;
    EXPECT_TRUE(std::is_sorted(free.rbegin(), free.rend()));
    EXPECT_TRUE(fContainer.GetDirectory().IsConsistent());
}

TEST_F(BlockContainerStreams, LowestFreeBlocksAreReusedFirst)
{
    WriteStream(fContainer, fContainer.OpenStreamForWriting(), Pattern(150, 0));
    const std::vector<u64> oldBlocks = fContainer.GetDirectory().GetStreamBlocks(1);
    EXPECT_EQ(oldBlocks, (std::vector<u64>{1, 2, 3}));

    // The rewrite goes to blocks the committed state does not use: block 0, the old directory.
    WriteStream(fContainer, fContainer.OpenStreamForWriting(), Pattern(10, 7));
    EXPECT_EQ(fContainer.GetDirectory().GetStreamBlocks(1), std::vector<u64>{0});
    const std::vector<u64>& free = fContainer.GetDirectory().GetFreeBlocks();
    EXPECT_TRUE(std::is_sorted(free.rbegin(), free.rend()));

    WriteStream(fContainer, fContainer.CreateStream(7), Pattern(100, 3));
    EXPECT_EQ(fContainer.GetDirectory().GetStreamBlocks(7), (std::vector<u64>{1, 2}));
    EXPECT_EQ(ReadContents(fMedium.fBytes), (TContents{{1, Pattern(10, 7)}, {7, Pattern(100, 3)}}));
}

TEST_F(BlockContainerStreams, ReaderSharesTheBytesOfAStreamBeingAppended)
{
    const std::unique_ptr<IStream> appender = fContainer.CreateStream(9);
    WriteBytes(fContainer, *appender, Pattern(100, 0));
    const std::unique_ptr<IStream> reader = fContainer.OpenStreamForReading(9);
    CBigFileStreamMedia readerMedia(fContainer, *reader);
    EXPECT_EQ(readerMedia.GetSize(), 100);
    TBytes bytes(100);
    readerMedia.Read(0, 100, bytes.data());
    EXPECT_EQ(bytes, Pattern(100, 0));

    // Part of these bytes is still in the appender's buffer only.
    WriteBytes(fContainer, *appender, Pattern(50, 100));
    EXPECT_EQ(readerMedia.GetSize(), 150);
    bytes.resize(150);
    readerMedia.Read(0, 150, bytes.data());
    EXPECT_EQ(bytes, Pattern(150, 0));

    appender->Close();
    readerMedia.Read(60, 90, bytes.data());
    EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + 90), Pattern(90, 60));
    EXPECT_EQ(ReadBack(9), Pattern(150, 0));
}

TEST_F(BlockContainerStreams, OpenOperationsFollowTheOpenRules)
{
    WriteStream(fContainer, fContainer.CreateStream(5), Pattern(10, 0));
    {
        const std::unique_ptr<IStream> writer = fContainer.OpenStreamForWriting();
        EXPECT_THROW(fContainer.OpenStreamForWriting(), NSQuorral::XIllegalCallSequence);
        EXPECT_THROW(fContainer.CreateStream(1), NSQuorral::XIllegalCallSequence);
        EXPECT_THROW(fContainer.OpenStreamForReading(1), NSQuorral::XIllegalCallSequence);
    }
    {
        const std::unique_ptr<IStream> appender = fContainer.CreateStream(6);
        EXPECT_THROW(fContainer.CreateStream(6), NSQuorral::XIllegalCallSequence);
        const std::unique_ptr<IStream> reader = fContainer.OpenStreamForReading(6);
    }
    EXPECT_THROW(fContainer.CreateStream(5), NSQuorral::XIllegalCallSequence);
    {
        const std::unique_ptr<IStream> first = fContainer.OpenStreamForReading(5);
        const std::unique_ptr<IStream> second = fContainer.OpenStreamForReading(5);
    }
    WriteStream(fContainer, fContainer.OpenStreamForWriting(), Pattern(3, 0));
    {
        const std::unique_ptr<IStream> reader = fContainer.OpenStreamForReading(1);
        EXPECT_THROW(fContainer.OpenStreamForWriting(), NSQuorral::XIllegalCallSequence);
    }
    // A refused reader is not counted: the id is free for a new stream afterwards.
    EXPECT_THROW(fContainer.OpenStreamForReading(42), NSQuorral::XIllegalCallSequence);
    EXPECT_NO_THROW(fContainer.CreateStream(42));
    EXPECT_NO_THROW(fContainer.OpenStreamForWriting());
}

TEST_F(BlockContainerStreams, PositionsReadsAndWritesFollowTheStreamRules)
{
    WriteStream(fContainer, fContainer.CreateStream(5), Pattern(10, 0));
    const std::unique_ptr<IStream> appender = fContainer.CreateStream(6);
    EXPECT_THROW(appender->SetPosition(0), NSQuorral::XIllegalCallSequence);

    const std::unique_ptr<IStream> writer = fContainer.OpenStreamForWriting();
    WriteBytes(fContainer, *writer, Pattern(10, 0));
    EXPECT_NO_THROW(writer->SetPosition(10));
    EXPECT_THROW(writer->SetPosition(11), std::invalid_argument);
    u8 byte = 0;
    EXPECT_THROW(fContainer.ReadStreamAt(*writer, 1, &byte), NSQuorral::XIllegalCallSequence);
    CBigFileStreamMedia writerMedia(fContainer, *writer);
    writerMedia.Write(0, 0, nullptr);
    EXPECT_EQ(writer->GetPosition(), 10u);
    writer->Close();
    EXPECT_THROW(writer->Close(), NSQuorral::XIllegalCallSequence);
    EXPECT_THROW(fContainer.WriteStreamAt(*writer, 1, &byte), NSQuorral::XIllegalCallSequence);

    const std::unique_ptr<IStream> reader = fContainer.OpenStreamForReading(5);
    CBigFileStreamMedia readerMedia(fContainer, *reader);
    EXPECT_THROW(reader->SetPosition(10), std::invalid_argument);
    EXPECT_THROW(readerMedia.Read(10, 0, &byte), std::invalid_argument);
    readerMedia.Read(4, 0, &byte);
    EXPECT_EQ(reader->GetPosition(), 4u);
    EXPECT_THROW(fContainer.WriteStreamAt(*reader, 1, &byte), NSQuorral::XIllegalCallSequence);
    EXPECT_THROW(fContainer.ReadStreamAt(*reader, 7, &byte), std::invalid_argument);
    // A closed reader can still be read.
    reader->Close();
    readerMedia.Read(9, 1, &byte);
    EXPECT_EQ(byte, 9);
}

TEST_F(BlockContainerStreams, StreamsOfAnotherKindOrContainerAreRefused)
{
    CForeignStream foreign;
    u8 byte = 0;
    EXPECT_THROW(fContainer.WriteStreamAt(foreign, 1, &byte), std::bad_cast);

    CMemoryMedium otherMedium(EmptyContainer(kBlock));
    CBigFile other(otherMedium);
    const std::unique_ptr<IStream> stream = other.OpenStreamForWriting();
    EXPECT_THROW(fContainer.WriteStreamAt(*stream, 1, &byte), std::invalid_argument);
}

TEST_F(BlockContainerStreams, OversizedStreamMediaReadIsRefusedNotTruncated)
{
    WriteStream(fContainer, fContainer.CreateStream(5), Pattern(20, 0));
    const std::unique_ptr<IStream> reader = fContainer.OpenStreamForReading(5);
    CBigFileStreamMedia media(fContainer, *reader);
    TBytes bytes(20, 0);
    // The low 32 bits of this count are 10, which a truncating read would have served.
    EXPECT_THROW(media.Read(0, (i64(1) << 32) + 10, bytes.data()), std::invalid_argument);
    EXPECT_EQ(bytes, TBytes(20, 0));
}

TEST_F(BlockContainerStreams, UnclosedWriterDiscardsWhatItWrote)
{
    WriteStream(fContainer, fContainer.OpenStreamForWriting(), Pattern(10, 0));
    {
        const std::unique_ptr<IStream> writer = fContainer.OpenStreamForWriting();
        WriteBytes(fContainer, *writer, Pattern(200, 50));
    }
    EXPECT_TRUE(fContainer.GetDirectory().IsConsistent());
    EXPECT_EQ(ReadContents(fMedium.fBytes), (TContents{{1, Pattern(10, 0)}}));
    EXPECT_EQ(ReadStream(fContainer, 1), Pattern(10, 0));
}

TEST_F(BlockContainerStreams, CommitsAlternateTheRootSlots)
{
    auto slot = [&](u32 index) { return DecodeRootSlot(fMedium.fBytes.data() + 16 + 18 * index); };
    WriteStream(fContainer, fContainer.CreateStream(2), Pattern(5, 0));
    EXPECT_EQ(slot(0).fSequence, 2u);
    EXPECT_EQ(slot(1).fSequence, 1u);
    WriteStream(fContainer, fContainer.CreateStream(3), Pattern(5, 0));
    EXPECT_EQ(slot(0).fSequence, 2u);
    EXPECT_EQ(slot(1).fSequence, 3u);
    EXPECT_TRUE(slot(0).fValid && slot(1).fValid);
    EXPECT_EQ(slot(1).fDirectoryBlock, fContainer.GetDirectory().GetDirectoryBlocks().front());
}

TEST_F(BlockContainerStreams, CommitCarriesOtherStreamsBeingWrittenAlong)
{
    const std::unique_ptr<IStream> writer = fContainer.OpenStreamForWriting();
    const std::unique_ptr<IStream> appender = fContainer.CreateStream(5);
    WriteBytes(fContainer, *writer, Pattern(100, 0));
    WriteBytes(fContainer, *appender, Pattern(130, 1));
    WriteBytes(fContainer, *writer, Pattern(100, 100));
    appender->Close();
    EXPECT_TRUE(fContainer.GetDirectory().IsConsistent());
    EXPECT_EQ(ReadContents(fMedium.fBytes), (TContents{{5, Pattern(130, 1)}}));

    WriteBytes(fContainer, *writer, Pattern(10, 200));
    writer->Close();
    EXPECT_TRUE(fContainer.GetDirectory().IsConsistent());
    EXPECT_EQ(ReadContents(fMedium.fBytes), (TContents{{1, Pattern(210, 0)}, {5, Pattern(130, 1)}}));
}
