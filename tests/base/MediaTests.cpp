#include "base/Media.h"

#include "base/ExceptionClasses.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
TBytes Sequence(size_t count)
{
    TBytes bytes(count);
    std::iota(bytes.begin(), bytes.end(), u8(0));
    return bytes;
}

// A memory media that records the size of every read and write.
class CRecordingMedia : public COwnedMemoryMedia
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
    mutable std::vector<i64> fReads;
    std::vector<i64> fWrites;
};

struct WindowReadCase
{
    i64 offset;
    i64 size;
    bool fits;
};

// A read-only window at parent offset 100 with length 10.
const WindowReadCase kWindowReads[] = {
    {6, 4, true},   {7, 4, false}, {10, 0, true},  {0, 10, true},
    {0, 11, false}, {-1, 1, false}, {-1, 0, false}, {5, -1, false},
    {std::numeric_limits<i64>::max(), 2, false},
};

TEST(PartialMedia, ReadOnlyWindowReadsInsideItsBoundsOnly)
{
    const auto parent = MediaOf(Sequence(200));
    CPartialMedia window(parent, 100, 10);
    EXPECT_EQ(window.GetSize(), 10);
    for (const WindowReadCase& c : kWindowReads)
    {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset << " size " << c.size);
        u8 bytes[16] = {};
        if (c.fits)
        {
            window.Read(c.offset, c.size, bytes);
            for (i64 i = 0; i < c.size; ++i)
                EXPECT_EQ(bytes[i], u8(100 + c.offset + i));
        }
        else
        {
            EXPECT_THROW(window.Read(c.offset, c.size, bytes), NSQuorral::XRead);
        }
        EXPECT_EQ(window.fPosition, -100) << "reads never move it";
    }
}

TEST(PartialMedia, ReadOnlyWindowRefusesWrites)
{
    const auto parent = MediaOf(Sequence(20));
    CPartialMedia window(parent, 4, 4);
    const u8 byte = 1;
    EXPECT_THROW(window.Write(0, 1, &byte), NSQuorral::XIllegalCallSequence);
    EXPECT_EQ(BytesOf(parent), Sequence(20));
}

TEST(PartialMedia, OpenEndedWindowGrowsWithItsParent)
{
    auto parent = MediaOf(Sequence(12));
    CPartialMedia window(&parent, 12, CPartialMedia::kOpenEnded);
    EXPECT_EQ(window.GetSize(), 0);
    const TBytes five = Bytes({9, 8, 7, 6, 5});
    window.Write(0, 5, five.data());
    EXPECT_EQ(parent.GetSize(), 17);
    EXPECT_EQ(window.GetSize(), 5);
    EXPECT_EQ(BytesOf(window), five);
}

TEST(PartialMedia, StartsAtTheParentsPositionMinusItsOffset)
{
    auto parent = MediaOf(Sequence(50));
    parent.fPosition = 30;
    CPartialMedia atStart(&parent, 30, 10);
    CPartialMedia before(parent, 20, 10);
    EXPECT_EQ(atStart.fPosition, 0);
    EXPECT_EQ(before.fPosition, 10);
}

TEST(PartialMedia, PropagatePositionFollowsTheChainWhenRecursive)
{
    auto file = MediaOf(Sequence(100));
    CPartialMedia outer(&file, 10, CPartialMedia::kOpenEnded);
    CPartialMedia inner(outer, 5, 20);
    inner.fPosition = 3;

    inner.PropagatePosition(false);
    EXPECT_EQ(outer.fPosition, 8);
    EXPECT_EQ(file.fPosition, 0);

    inner.fPosition = 4;
    inner.PropagatePosition(true);
    EXPECT_EQ(outer.fPosition, 9);
    EXPECT_EQ(file.fPosition, 19);
}

// A window that counts the reads that reach it.
class CCountingWindow : public CPartialMedia
{
public:
    using CPartialMedia::CPartialMedia;
    void Read(i64 offset, i64 size, void* destination) const override
    {
        ++fReads;
        CPartialMedia::Read(offset, size, destination);
    }
    mutable int fReads = 0;
};

TEST(PartialMedia, WindowOverAWindowReadsTheOutermostMediaInOneStep)
{
    const auto file = MediaOf(Sequence(100));
    const CCountingWindow middle(file, 10, 50);
    const CPartialMedia inner(middle, 5, 20);
    u8 bytes[4] = {};
    inner.Read(2, 4, bytes);
    EXPECT_EQ(bytes[0], 17);
    EXPECT_EQ(bytes[3], 20);
    EXPECT_EQ(middle.fReads, 0) << "a read at any depth must not pass through the windows between";
}

struct WindowSpec
{
    bool readOnly;
    i64 offset;
    i64 length;
};

struct ChainCase
{
    const char* what;
    std::vector<WindowSpec> chain; // outermost first, over a media of 200 bytes
    std::vector<WindowReadCase> reads; // through the innermost window
};

const ChainCase kChains[] = {
    {"read-only in read-only",
     {{true, 10, 50}, {true, 5, 20}},
     {{0, 20, true}, {19, 1, true}, {20, 0, true}, {0, 21, false}, {-1, 1, false}, {21, 0, false}}},
    {"inner reaching past its parent's end",
     {{true, 10, 50}, {true, 40, 20}},
     {{0, 10, true}, {10, 0, true}, {5, 6, false}, {9, 2, false}}},
    {"inner starting past its parent's end",
     {{true, 10, 50}, {true, 60, 10}},
     {{0, 0, false}, {0, 1, false}}},
    {"read-only in open-ended writable",
     {{false, 10, CPartialMedia::kOpenEnded}, {true, 5, 20}},
     {{0, 20, true}, {0, 21, false}}},
    {"writable in read-only keeps the parent's bounds",
     {{true, 10, 20}, {false, 5, CPartialMedia::kOpenEnded}},
     {{-5, 1, true}, {-6, 1, false}, {15, 0, true}, {14, 1, true}, {15, 1, false}}},
    {"three read-only levels",
     {{true, 0, 100}, {true, 10, 30}, {true, 20, 30}},
     {{0, 10, true}, {10, 0, true}, {0, 11, false}, {std::numeric_limits<i64>::max(), 1, false}}},
    {"writable chain reads unchecked up to the file",
     {{false, 10, CPartialMedia::kOpenEnded}, {false, 20, CPartialMedia::kOpenEnded}},
     {{0, 170, true}, {-30, 1, true}, {0, 171, false}}},
};

TEST(PartialMedia, WindowsOverWindowsKeepEveryBoundOfTheChain)
{
    for (const ChainCase& c : kChains)
    {
        auto file = MediaOf(Sequence(200));
        std::vector<std::unique_ptr<CPartialMedia>> windows;
        i64 start = 0;
        for (const WindowSpec& spec : c.chain)
        {
            CMedia& parent = windows.empty() ? static_cast<CMedia&>(file) : *windows.back();
            windows.push_back(spec.readOnly ? std::make_unique<CPartialMedia>(std::as_const(parent), spec.offset, spec.length)
                                            : std::make_unique<CPartialMedia>(&parent, spec.offset, spec.length));
            start += spec.offset;
        }
        const CPartialMedia& inner = *windows.back();
        for (const WindowReadCase& r : c.reads)
        {
            SCOPED_TRACE(testing::Message() << c.what << ": offset " << r.offset << " size " << r.size);
            std::vector<u8> bytes(size_t(std::max(r.size, i64(1))));
            if (r.fits)
            {
                inner.Read(r.offset, r.size, bytes.data());
                for (i64 i = 0; i < r.size; ++i)
                    EXPECT_EQ(bytes[size_t(i)], u8(start + r.offset + i));
            }
            else
            {
                EXPECT_THROW(inner.Read(r.offset, r.size, bytes.data()), NSQuorral::XRead);
            }
        }
    }
}

TEST(PartialMedia, WindowOverAWindowWritesThroughToTheOutermostMedia)
{
    auto file = MediaOf(Sequence(20));
    CPartialMedia outer(&file, 10, CPartialMedia::kOpenEnded);
    CPartialMedia inner(&outer, 5, CPartialMedia::kOpenEnded);
    const TBytes three = Bytes({0xA, 0xB, 0xC});
    inner.Write(3, 3, three.data());
    EXPECT_EQ(file.GetSize(), 21);
    EXPECT_EQ(inner.GetSize(), 6);
    EXPECT_EQ(BytesOf(inner), Concat({Bytes({15, 16, 17}), three}));

    CPartialMedia readOnly(std::as_const(file), 2, 10);
    CPartialMedia overReadOnly(&readOnly, 1, CPartialMedia::kOpenEnded);
    EXPECT_THROW(overReadOnly.Write(0, 1, three.data()), NSQuorral::XIllegalCallSequence);
    EXPECT_EQ(file.GetSize(), 21);
}

TEST(OwnedMemoryMedia, WritesPastTheEndGrowZeroFilled)
{
    COwnedMemoryMedia media(0);
    const u8 abc[3] = {'a', 'b', 'c'};
    media.Write(10, 3, abc);
    EXPECT_EQ(BytesOf(media), Concat({TBytes(10, 0), Text("abc")}));
    media.Write(20, 0, abc);
    EXPECT_EQ(media.GetSize(), 13);
    media.Write(1, 2, abc);
    EXPECT_EQ(BytesOf(media)[1], 'a');
    EXPECT_EQ(media.GetSize(), 13);
}

TEST(OwnedMemoryMedia, ReservesAheadOfNeed)
{
    struct Case
    {
        i64 capacity;
        i64 writeEnd;
        size_t reserved;
    };
    const Case kCases[] = {
        {0, 1, 100},        // at least 100 bytes
        {100, 101, 200},    // a shortfall of 1 still grows by 100
        {1000, 1001, 1250}, // a quarter of the capacity
        {100, 500, 700},    // 1.5 times a shortfall of 400
        {100, 100, 100},    // no growth when it fits
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.writeEnd);
        COwnedMemoryMedia media(c.capacity);
        const u8 byte = 1;
        media.Write(c.writeEnd - 1, 1, &byte);
        EXPECT_EQ(media.GetBytes().capacity(), c.reserved);
        EXPECT_EQ(media.GetSize(), c.writeEnd);
    }
}

TEST(OwnedMemoryMedia, RejectsReadsOutsideItsBytesAndImpossibleSizes)
{
    const auto media = MediaOf(Sequence(8));
    u8 bytes[8];
    EXPECT_THROW(media.Read(5, 4, bytes), NSQuorral::XRead);
    EXPECT_THROW(media.Read(-1, 1, bytes), NSQuorral::XRead);
    EXPECT_NO_THROW(media.Read(8, 0, bytes));

    COwnedMemoryMedia empty(0);
    try
    {
        empty.Write(std::numeric_limits<i64>::max() - 1, 2, bytes);
        FAIL() << "no exception";
    }
    catch (const std::length_error& e)
    {
        EXPECT_STREQ(e.what(), "vector<T> too long");
    }
    EXPECT_THROW(empty.Write(-1, 1, bytes), NSQuorral::XWrite);
}

TEST(OwnedMemoryMedia, CopiesTheGivenBytes)
{
    const TBytes bytes = Sequence(5);
    EXPECT_EQ(BytesOf(COwnedMemoryMedia(5, bytes.data())), bytes);
    EXPECT_EQ(COwnedMemoryMedia(0, nullptr).GetSize(), 0);
    EXPECT_EQ(COwnedMemoryMedia(-3, bytes.data()).GetSize(), 0);
}

TEST(MediaCursor, FunctionsReadAndWriteAtThePositionAndAdvanceIt)
{
    COwnedMemoryMedia media(0);
    WriteU8(media, 0x12);
    const TBytes word = Bytes({0x34, 0x56, 0x78, 0x9A});
    WriteBytes(media, 4, word.data());
    EXPECT_EQ(media.fPosition, 5);

    media.fPosition = 0;
    EXPECT_EQ(ReadU8(media), 0x12);
    EXPECT_EQ(ReadU32BE(media), 0x3456789Au);
    EXPECT_EQ(media.fPosition, 5);
    EXPECT_EQ(GetBytesLeft(media), 0);

    u8 two[2];
    ReadBytesAt(media, 1, 2, two);
    EXPECT_EQ(media.fPosition, 3);
    ReadBytes(media, 2, two);
    EXPECT_EQ(two[0], 0x78);
    EXPECT_EQ(media.fPosition, 5);
    EXPECT_THROW(ReadU8(media), NSQuorral::XRead);
    EXPECT_EQ(media.fPosition, 5);
}

TEST(CopyBytes, CopiesInPiecesOfTheChunkSize)
{
    const TBytes content = Sequence(10000 + 7);
    CRecordingMedia source(i64(content.size()), content.data());
    CRecordingMedia destination(0);
    source.fPosition = 7;
    destination.Write(0, 3, content.data());
    destination.fPosition = 3;
    destination.fWrites.clear();

    CopyBytes(destination, 10000, source, 4096);

    const std::vector<i64> pieces = {4096, 4096, 1808};
    EXPECT_EQ(source.fReads, pieces);
    EXPECT_EQ(destination.fWrites, pieces);
    EXPECT_EQ(source.fPosition, 10007);
    EXPECT_EQ(destination.fPosition, 10003);
    const TBytes copied = BytesOf(destination);
    EXPECT_TRUE(std::equal(copied.begin() + 3, copied.end(), content.begin() + 7));
}

TEST(CopyBytes, FailureLeavesBothPositionsAndNothingCopiesNothing)
{
    auto source = MediaOf(Sequence(100));
    COwnedMemoryMedia destination(0);
    source.fPosition = 50;
    EXPECT_THROW(CopyBytes(destination, 60, source, 16), NSQuorral::XRead);
    EXPECT_EQ(source.fPosition, 50);
    EXPECT_EQ(destination.fPosition, 0);

    CopyBytes(destination, 0, source, 16);
    CopyBytes(destination, -5, source, 16);
    EXPECT_EQ(destination.GetSize(), 48) << "the pieces before the failure stay written";
    EXPECT_EQ(source.fPosition, 50);
}
} // namespace
