#include "packing/SampleChecksAhead.h"

#include "base/Media.h"
#include "packing/SampleProcessors.h"
#include "tests/support/AudioFileBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
using namespace NSVantlePacking;

constexpr i64 kDataStart = 300;
constexpr i64 kWriteBytes = 64 * 1024;

// A packed stereo sample of a few MiB: noise, which codes to almost its own size.
std::vector<u8> PackedNoise()
{
    NSTestSupport::TWAVESpec wave;
    wave.fChannels = 2;
    u32 noise = 7;
    for (u32 sample = 0; sample < 2 * 800000; ++sample)
    {
        noise = noise * 1103515245u + 12345u;
        wave.fSamples.push_back(i32(i16(noise >> 16)));
    }
    const std::vector<u8> source = NSTestSupport::BuildWAVE(wave);
    NSFerrant::COwnedMemoryMedia sourceMedia(i64(source.size()), source.data());
    NSFerrant::COwnedMemoryMedia packed(0);
    CWAVEFileTypePacker().PackOpened(sourceMedia, packed);
    return packed.GetBytes();
}

// A package file with room for the data, so that writing into it never moves its bytes while the
// checks read them.
struct TPackage
{
    explicit TPackage(i64 room) : fFile(kDataStart + room, std::vector<u8>(size_t(kDataStart + room)).data())
    {
        fData.fPosition = 0;
    }

    NSFerrant::COwnedMemoryMedia fFile;
    NSFerrant::CPartialMedia fData{&fFile, kDataStart, NSFerrant::CPartialMedia::kOpenEnded};
};

// Writes the bytes as an entry at the data area's position in pieces, as a coder does, up to
// stopAt bytes; answers whether it completed the entry.
bool WriteEntry(CSampleChecksAhead& checks, u32 index, NSFerrant::CMedia& data, const std::vector<u8>& bytes,
                std::size_t stopAt)
{
    const std::unique_ptr<CSampleChecksAhead::CEntry> entry = checks.Begin(index, true, data);
    for (std::size_t done = 0; done < std::min(stopAt, bytes.size()); done += std::size_t(kWriteBytes))
        NSFerrant::WriteBytes(*entry, std::min<i64>(kWriteBytes, i64(bytes.size() - done)), bytes.data() + done);
    if (stopAt < bytes.size())
        return false; // the writer fails: the entry goes without being completed
    entry->Complete();
    return true;
}

// Whether the entry's bytes in the file are those its check decoded.
bool HoldsWhatWasChecked(const NSFerrant::CMedia& file, const TCheckedEntry& checked)
{
    NSFerrant::CPartialMedia window(file, kDataStart + checked.fOffset, checked.fSize);
    window.fPosition = 0;
    return HoldsTheCheckedBytes(window, checked);
}

// Entries written one after another, the first two large enough to be checked while they are
// written: each check reads behind its writer and keeps the sums of what it decoded, which the
// entry's bytes match, and damaged bytes do not.
TEST(SampleChecksAheadTests, SamplesAreCheckedBehindTheirWriterAndKeepTheSumsOfWhatTheyDecoded)
{
    const std::vector<u8> packed = PackedNoise();
    ASSERT_GT(packed.size(), 2u * 1024 * 1024);
    TPackage package(i64(3 * packed.size()));
    CSampleChecksAhead checks(package.fFile, kDataStart);
    ASSERT_TRUE(WriteEntry(checks, 0, package.fData, packed, packed.size()));
    ASSERT_TRUE(WriteEntry(checks, 1, package.fData, packed, packed.size()));
    // Not a whole sample: it fails its check, which keeps nothing.
    std::vector<u8> cut(packed.begin(), packed.begin() + packed.size() / 2);
    ASSERT_TRUE(WriteEntry(checks, 2, package.fData, cut, cut.size()));
    checks.WaitForAll();

    for (const u32 index : {0u, 1u})
    {
        SCOPED_TRACE(index);
        const TCheckedEntry* checked = checks.Find(index);
        ASSERT_NE(checked, nullptr);
        EXPECT_EQ(checked->fOffset, i64(index * packed.size()));
        EXPECT_EQ(checked->fSize, i64(packed.size()));
        EXPECT_TRUE(HoldsWhatWasChecked(package.fFile, *checked));
    }
    EXPECT_EQ(checks.Find(2), nullptr);

    const TCheckedEntry& second = *checks.Find(1);
    const u8 damage = 0x5A;
    package.fFile.Write(kDataStart + second.fOffset + second.fSize - 5, 1, &damage);
    EXPECT_FALSE(HoldsWhatWasChecked(package.fFile, second));
}

// A writer that fails (or is stopped) while its entry's check reads behind it ends that check:
// waiting for every check returns, and the entry has no result.
TEST(SampleChecksAheadTests, AWriterThatEndsPartWayEndsTheCheckReadingBehindIt)
{
    const std::vector<u8> packed = PackedNoise();
    TPackage package(i64(packed.size()));
    CSampleChecksAhead checks(package.fFile, kDataStart);
    EXPECT_FALSE(WriteEntry(checks, 0, package.fData, packed, packed.size() / 2));
    checks.WaitForAll();
    EXPECT_EQ(checks.Find(0), nullptr);
}
} // namespace
