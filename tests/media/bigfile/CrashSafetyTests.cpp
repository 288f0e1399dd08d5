// A commit interrupted at any write leaves a container that opens in the state before it; a
// container that saw the failure keeps working and commits on the next try.
#include "media/bigfile/BigFile.h"

#include "tests/media/bigfile/ContainerImages.h"
#include "tests/media/bigfile/ContainerStreams.h"
#include "tests/media/bigfile/MemoryMedium.h"

#include <gtest/gtest.h>

#include <functional>

using namespace NSBigFilePackage;
using namespace NSContainerImages;
using namespace NSContainerStreams;

namespace
{
constexpr u32 kBlock = 64;

// Stream 1 over three blocks and stream 3 over two: the state before every change below.
TBytes OldImage()
{
    CMemoryMedium medium(EmptyContainer(kBlock));
    CBigFile container(medium);
    WriteStream(container, container.OpenStreamForWriting(), Pattern(150, 0));
    WriteStream(container, container.CreateStream(3), Pattern(70, 9));
    return medium.fBytes;
}

struct TChange
{
    const char* name;
    std::function<std::unique_ptr<IStream>(CBigFile&)> open;
    TBytes bytes;
    TContents after;
};
} // namespace

TEST(BlockContainerCrashSafety, EveryInterruptedWriteLeavesTheOldStateAndARetrySucceeds)
{
    const TBytes oldImage = OldImage();
    const TContents before = ReadContents(oldImage);
    const TChange kChanges[] = {
        {"rewrite stream 1", [](CBigFile& c) { return c.OpenStreamForWriting(); }, Pattern(300, 40),
         {{1, Pattern(300, 40)}, {3, Pattern(70, 9)}}},
        {"append stream 4", [](CBigFile& c) { return c.CreateStream(4); }, Pattern(130, 5),
         {{1, Pattern(150, 0)}, {3, Pattern(70, 9)}, {4, Pattern(130, 5)}}},
        {"empty stream 1", [](CBigFile& c) { return c.OpenStreamForWriting(); }, {}, {{3, Pattern(70, 9)}}},
    };
    for (const TChange& change : kChanges)
    {
        SCOPED_TRACE(change.name);
        // A clean run counts the writes of the change.
        int writes = 0;
        {
            CMemoryMedium medium(oldImage);
            CBigFile container(medium);
            WriteStream(container, change.open(container), change.bytes);
            writes = medium.fWriteCount;
            EXPECT_EQ(ReadContents(medium.fBytes), change.after);
        }
        ASSERT_GT(writes, 2);
        for (int failing = 1; failing <= writes; ++failing)
        {
            SCOPED_TRACE(failing);
            CMemoryMedium medium(oldImage);
            medium.fFailingWrite = failing;
            TBytes retried;
            {
                CBigFile container(medium);
                std::unique_ptr<IStream> stream = change.open(container);
                EXPECT_THROW(
                    {
                        WriteBytes(container, *stream, change.bytes);
                        stream->Close();
                    },
                    NSQuorral::XWrite);
                // What a crash at this point leaves on the medium.
                EXPECT_EQ(ReadContents(medium.fBytes), before);

                // The same container and stream, the medium working again.
                medium.fFailingWrite = 0;
                const u64 written = stream->GetPosition();
                if (!change.bytes.empty() && written != change.bytes.size())
                {
                    // The failure came while writing: write again from the start.
                    stream.reset();
                    stream = change.open(container);
                    WriteBytes(container, *stream, change.bytes);
                }
                stream->Close();
                EXPECT_TRUE(container.GetDirectory().IsConsistent());
            }
            EXPECT_EQ(ReadContents(medium.fBytes), change.after);
        }
    }
}

TEST(BlockContainerCrashSafety, FailedWriteThenFailedCommitHandsNoBlockOutTwice)
{
    CMemoryMedium medium(EmptyContainer(kBlock));
    CBigFile container(medium);
    auto failNextWrite = [&] { medium.fFailingWrite = medium.fWriteCount + 1; };
    {
        // The second block of a writer is new to the file and its write fails.
        const std::unique_ptr<IStream> writer = container.OpenStreamForWriting();
        WriteBytes(container, *writer, Pattern(kBlock + 1, 0));
        failNextWrite();
        EXPECT_THROW(WriteBytes(container, *writer, Pattern(kBlock, 0)), NSQuorral::XWrite);
    } // abandoned: its first block is free again
    const std::unique_ptr<IStream> writer = container.OpenStreamForWriting();
    WriteBytes(container, *writer, Pattern(10, 3));
    // The commit writes the stream's block and a new directory block past the old end, then
    // fails on the root slot.
    medium.fFailingWrite = medium.fWriteCount + 3;
    EXPECT_THROW(writer->Close(), NSQuorral::XWrite);
    medium.fFailingWrite = 0;
    writer->Close();
    EXPECT_TRUE(container.GetDirectory().IsConsistent());

    // Later streams take every free block once: nothing committed is overwritten.
    WriteStream(container, container.CreateStream(2), Pattern(3 * kBlock, 7));
    WriteStream(container, container.CreateStream(3), Pattern(2 * kBlock, 9));
    EXPECT_TRUE(container.GetDirectory().IsConsistent());
    EXPECT_EQ(ReadContents(medium.fBytes),
              (TContents{{1, Pattern(10, 3)}, {2, Pattern(3 * kBlock, 7)}, {3, Pattern(2 * kBlock, 9)}}));
}
