#include "media/BufferedMedia.h"

#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
using NSTestSupport::TBytes;

// A memory media that records the size of every read and write it is asked for.
class CCountingMedia : public NSFerrant::COwnedMemoryMedia
{
public:
    using COwnedMemoryMedia::COwnedMemoryMedia;
    void Read(i64 offset, i64 size, void* destination) const override
    {
        fReads.push_back(size);
        COwnedMemoryMedia::Read(offset, size, destination);
    }
    void Write(i64 offset, i64 size, const void* source) override
    {
        fWrites.push_back(size);
        COwnedMemoryMedia::Write(offset, size, source);
    }
    i64 GetSize() const override
    {
        ++fSizeQuestions;
        return COwnedMemoryMedia::GetSize();
    }
    mutable std::vector<i64> fReads;
    std::vector<i64> fWrites;
    mutable u32 fSizeQuestions = 0;
};

TBytes Pattern(size_t size)
{
    TBytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = u8(i * 13 + i / 256);
    return bytes;
}

TEST(BufferedMedia, GathersSmallWritesIntoLargeOnesAndPatchesWhatItHolds)
{
    const TBytes expected = Pattern(1000003);
    CCountingMedia base(0);
    {
        NSFerrant::CBufferedMedia buffered(base, 1000); // raised to the minimum
        for (size_t i = 0; i < expected.size(); i += 4)
            NSFerrant::WriteBytes(buffered, std::min<i64>(4, i64(expected.size() - i)), expected.data() + i);
        EXPECT_EQ(buffered.GetSize(), i64(expected.size()));
        // A size field patched behind the cursor, as chunk writers do, stays inside the buffer.
        const u8 patch[2] = {expected[999990], expected[999991]};
        buffered.Write(999990, 2, patch);
    }
    EXPECT_EQ(NSTestSupport::BytesOf(base), expected);
    for (size_t i = 0; i + 1 < base.fWrites.size(); ++i)
        EXPECT_EQ(base.fWrites[i], NSFerrant::CBufferedMedia::kMinimumBufferSize);
    EXPECT_EQ(base.fWrites.size(), expected.size() / 65536 + 1);
}

TEST(BufferedMedia, FlushesBeforeAnyReadAndServesSmallReadsFromOneWindow)
{
    const TBytes content = Pattern(300000);
    CCountingMedia base(i64(content.size()), content.data());
    NSFerrant::CBufferedMedia buffered(base);
    u8 byte = 0;
    for (i64 offset = 0; offset < 200000; offset += 10)
    {
        buffered.Read(offset, 1, &byte);
        ASSERT_EQ(byte, content[size_t(offset)]);
    }
    EXPECT_EQ(base.fReads, std::vector<i64>{NSFerrant::CBufferedMedia::kDefaultBufferSize});

    // A write into the window, read back at once, has reached the base first.
    const u8 written[3] = {1, 2, 3};
    buffered.Write(100, 3, written);
    u8 readBack[5] = {};
    buffered.Read(99, 5, readBack);
    EXPECT_EQ(TBytes(readBack, readBack + 5), (TBytes{content[99], 1, 2, 3, content[103]}));
    EXPECT_EQ(base.fWrites.size(), 1u);
    EXPECT_EQ(NSTestSupport::BytesOf(base)[101], 2);

    // Large transfers and reads beyond the end go to the base itself.
    TBytes large(NSFerrant::CBufferedMedia::kDefaultBufferSize);
    buffered.Read(1000, i64(large.size()), large.data());
    EXPECT_EQ(base.fReads.back(), i64(large.size()));
    EXPECT_ANY_THROW(buffered.Read(299999, 2, readBack));
    buffered.Write(400000, i64(large.size()), large.data());
    EXPECT_EQ(base.fWrites.back(), i64(large.size()));
    EXPECT_EQ(buffered.GetSize(), 400000 + i64(large.size()));
}

// Asking a file its size is a system call: it is asked once, and again only after the buffered
// media itself has written to the base.
TEST(BufferedMedia, AsksTheBaseItsSizeOnceUntilItWritesToIt)
{
    const TBytes content = Pattern(1000000);
    CCountingMedia base(i64(content.size()), content.data());
    NSFerrant::CBufferedMedia buffered(base, NSFerrant::CBufferedMedia::kMinimumBufferSize);
    u8 byte = 0;
    for (i64 offset = 0; offset < i64(content.size()); offset += 50000)
    {
        buffered.Read(offset, 1, &byte);
        ASSERT_EQ(byte, content[size_t(offset)]);
    }
    EXPECT_EQ(buffered.GetSize(), i64(content.size()));
    EXPECT_EQ(base.fSizeQuestions, 1u);

    // The base grows by a flushed write; a read below the new end then fills a window up to it.
    const u8 written[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    buffered.Write(1200000, 10, written);
    buffered.Read(1100000, 5, &byte);
    EXPECT_EQ(base.fReads.back(), NSFerrant::CBufferedMedia::kMinimumBufferSize);
    EXPECT_EQ(buffered.GetSize(), 1200010);
    EXPECT_EQ(base.fSizeQuestions, 2u);
}

TEST(BufferedMedia, AWriteElsewhereSendsThePendingBytesFirst)
{
    CCountingMedia base(0);
    NSFerrant::CBufferedMedia buffered(base);
    const TBytes first = Pattern(10), second = Pattern(20);
    buffered.Write(0, 10, first.data());
    buffered.Write(1000000, 20, second.data());
    EXPECT_EQ(base.fWrites, std::vector<i64>{10});
    buffered.Flush();
    EXPECT_EQ(base.fWrites, (std::vector<i64>{10, 20}));
    EXPECT_EQ(base.GetSize(), 1000020);
}

TEST(BufferedMedia, MediaOnSeveralThreadsAtOnceKeepTheirOwnBytesAndTheThreadsEndCleanly)
{
    // Buffers are kept for reuse across media; a buffer handed to two media at once, or a store
    // that a thread ending tears down wrongly, shows here as mixed bytes or a crash.
    constexpr u32 kThreads = 4;
    constexpr u32 kRounds = 40;
    std::vector<u32> wrong(kThreads, 0);
    {
        std::vector<std::jthread> threads;
        for (u32 t = 0; t < kThreads; ++t)
            threads.emplace_back([t, &wrong] {
                for (u32 round = 0; round < kRounds; ++round)
                {
                    TBytes expected = Pattern(70000 + t * 1000 + round);
                    for (u8& byte : expected)
                        byte = u8(byte ^ t);
                    NSFerrant::COwnedMemoryMedia base(0);
                    {
                        NSFerrant::CBufferedMedia buffered(base);
                        for (size_t i = 0; i < expected.size(); i += 7)
                            buffered.Write(i64(i), i64(std::min<size_t>(7, expected.size() - i)), expected.data() + i);
                    }
                    if (NSTestSupport::BytesOf(base) != expected)
                        ++wrong[t];
                }
            });
    }
    EXPECT_EQ(wrong, std::vector<u32>(kThreads, 0));
}
} // namespace
