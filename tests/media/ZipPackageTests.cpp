#include "media/MediaCompression.h"

#include "base/ExceptionClasses.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
const char kInvalidStream[] = "Corrupt Zip file, invalid deflate stream.";
const char kSizeMismatch[] = "Corrupt Zip file, size mismatch.";
const char kBeyondLimit[] = "Corrupt Zip file, more data than allowed.";
constexpr u64 kNoLimit = ~u64(0);

// Compressible but not trivial, and larger than several 10,240-byte buffers.
TBytes SampleContent(size_t size)
{
    std::mt19937 random(7);
    TBytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = u8((i / 7) % 61 + (random() % 4));
    return bytes;
}

TBytes Compress(const TBytes& content)
{
    const auto source = MediaOf(content);
    COwnedMemoryMedia compressed(0);
    CompressMedia(source, compressed, 0);
    return BytesOf(compressed);
}

// Inflates the whole of compressed with the given expected size; answers the bytes produced.
TBytes Inflate(const TBytes& compressed, u64& size, u64 limit = kNoLimit)
{
    auto source = MediaOf(compressed);
    COwnedMemoryMedia destination(0);
    CMediaByteReader reader(source);
    CMediaByteWriter writer(destination);
    NSZipPackage::Inflate(reader, 0, i64(compressed.size()), writer, 0, size, limit);
    return BytesOf(destination);
}

void ExpectFormatViolation(const TBytes& compressed, u64 expected, const char* message, u64 limit = kNoLimit)
{
    try
    {
        Inflate(compressed, expected, limit);
        ADD_FAILURE() << "no exception";
    }
    catch (const NSQuorral::XFormatViolation& e)
    {
        EXPECT_STREQ(e.what(), message);
    }
}

TEST(ZipPackage, RoundTripsRangesOfManySizes)
{
    for (size_t size : {size_t(0), size_t(1), size_t(10240), size_t(10241), size_t(100000)})
    {
        SCOPED_TRACE(size);
        const TBytes content = SampleContent(size);
        const TBytes compressed = Compress(content);
        u64 expected = size;
        EXPECT_EQ(Inflate(compressed, expected), content);
        EXPECT_EQ(expected, size);
        u64 any = 0;
        EXPECT_EQ(Inflate(compressed, any), content);
        EXPECT_EQ(any, size);
    }
}

TEST(ZipPackage, EmptyRangeIsACompleteStream)
{
    const TBytes compressed = Compress(TBytes());
    EXPECT_EQ(compressed, Bytes({0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
}

TEST(ZipPackage, CompressMediaWorksFromThePositionsAndLeavesTheSource)
{
    const TBytes content = SampleContent(30000);
    auto source = MediaOf(content);
    source.fPosition = 1000;
    auto destination = MediaOf(Text("HEAD"));
    destination.fPosition = 4;
    CompressMedia(source, destination, 1);
    EXPECT_EQ(source.fPosition, 1000);
    EXPECT_EQ(destination.fPosition, destination.GetSize());

    destination.fPosition = 4;
    COwnedMemoryMedia restored(0);
    DecompressMedia(destination, restored, 29000);
    EXPECT_EQ(destination.fPosition, 4);
    EXPECT_EQ(restored.fPosition, 29000);
    EXPECT_EQ(BytesOf(restored), TBytes(content.begin() + 1000, content.end()));

    // At its end, the source compresses to a stream of nothing.
    COwnedMemoryMedia empty(0);
    source.fPosition = source.GetSize();
    CompressMedia(source, empty, 9);
    EXPECT_EQ(empty.GetSize(), 8);
    EXPECT_EQ(source.fPosition, source.GetSize());
}

TEST(ZipPackage, WrongExpectedSizesAreMismatches)
{
    const TBytes content = SampleContent(20000);
    const TBytes compressed = Compress(content);
    ExpectFormatViolation(compressed, content.size() - 1, kSizeMismatch);
    ExpectFormatViolation(compressed, content.size() + 1, kSizeMismatch);
}

TEST(ZipPackage, TruncatedAndCorruptStreamsAreRejected)
{
    const TBytes content = SampleContent(20000);
    const TBytes compressed = Compress(content);

    ExpectFormatViolation(Text("this is no zlib stream"), 0, kInvalidStream);
    ExpectFormatViolation(TBytes(), 0, kInvalidStream);

    // Cut short, in the data and in the Adler-32 trailer.
    for (size_t cut : {compressed.size() / 2, compressed.size() - 2})
    {
        SCOPED_TRACE(cut);
        const TBytes truncated(compressed.begin(), compressed.begin() + cut);
        ExpectFormatViolation(truncated, 0, kInvalidStream);
    }
    const TBytes withoutTrailer(compressed.begin(), compressed.end() - 4);
    ExpectFormatViolation(withoutTrailer, content.size(), kInvalidStream);
    const TBytes halfway(compressed.begin(), compressed.begin() + compressed.size() / 2);
    ExpectFormatViolation(halfway, content.size(), kSizeMismatch);

    TBytes badChecksum = compressed;
    badChecksum.back() ^= 0x55;
    ExpectFormatViolation(badChecksum, content.size(), kInvalidStream);
}

TEST(ZipPackage, BytesAfterTheStreamEndAreIgnored)
{
    const TBytes content = SampleContent(5000);
    const TBytes compressed = Concat({Compress(content), Text("trailing")});
    u64 size = 0;
    EXPECT_EQ(Inflate(compressed, size), content);
}

// Endless zeros: the source of a compression bomb, without holding it in memory.
class CZeroReader : public NSZipPackage::IByteReader
{
public:
    void Read(i64 /*offset*/, i64 size, void* destination) override { std::memset(destination, 0, size_t(size)); }
};

// Keeps nothing, only how far the writes reached.
class CReachWriter : public NSZipPackage::IByteWriter
{
public:
    void Write(i64 offset, i64 size, const void* /*source*/) override { fReach = std::max(fReach, offset + size); }
    i64 GetSize() override { return fReach; }
    i64 fReach = 0;
};

TBytes CompressedZeros(i64 size)
{
    CZeroReader zeros;
    COwnedMemoryMedia compressed(0);
    CMediaByteWriter writer(compressed);
    u64 compressedSize = 0;
    NSZipPackage::Deflate(zeros, 0, size, writer, 0, compressedSize);
    return BytesOf(compressed);
}

TEST(ZipPackage, InflatingStopsAtItsLimit)
{
    const TBytes content = SampleContent(30000);
    const TBytes compressed = Compress(content);
    u64 any = 0;
    EXPECT_EQ(Inflate(compressed, any, content.size()), content);
    ExpectFormatViolation(compressed, 0, kBeyondLimit, content.size() - 1);
    // An expected size beyond the limit does not lift it.
    ExpectFormatViolation(compressed, content.size(), kBeyondLimit, 100);
}

TEST(ZipPackage, ABombStopsAtItsLimitWithBoundedMemory)
{
    constexpr i64 kBombSize = i64(8) << 20;
    constexpr u64 kLimit = 256 << 10;
    const TBytes bomb = CompressedZeros(kBombSize);
    ASSERT_LT(bomb.size() * 500, size_t(kBombSize));

    auto source = MediaOf(bomb);
    CMediaByteReader reader(source);
    CReachWriter writer;
    u64 size = 0;
    try
    {
        NSZipPackage::Inflate(reader, 0, i64(bomb.size()), writer, 0, size, kLimit);
        ADD_FAILURE() << "no exception";
    }
    catch (const NSQuorral::XFormatViolation& e)
    {
        EXPECT_STREQ(e.what(), kBeyondLimit);
    }
    EXPECT_LE(writer.fReach, i64(kLimit));

    COwnedMemoryMedia destination(0);
    EXPECT_THROW(DecompressMedia(source, destination, kLimit), NSQuorral::XFormatViolation);
    EXPECT_LE(destination.GetSize(), i64(kLimit));
}
} // namespace
