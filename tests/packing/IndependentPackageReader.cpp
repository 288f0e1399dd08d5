#include "tests/packing/IndependentPackageReader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <fstream>
#include <iterator>

namespace NSPackingTests
{
namespace
{
constexpr std::size_t kCreatorBlockBytes = 256;
constexpr std::size_t kInfoOffset = 8 + kCreatorBlockBytes;

class CCursor
{
public:
    explicit CCursor(const std::vector<u8>& bytes, std::size_t position) : fBytes(bytes), fPosition(position)
    {
    }

    bool Has(std::size_t count) const { return fPosition + count <= fBytes.size(); }
    u32 U32()
    {
        if (!Has(4))
            return Fail<u32>("u32 past the end");
        const u32 value = (u32(fBytes[fPosition]) << 24) | (u32(fBytes[fPosition + 1]) << 16) |
                          (u32(fBytes[fPosition + 2]) << 8) | u32(fBytes[fPosition + 3]);
        fPosition += 4;
        return value;
    }
    u8 U8()
    {
        if (!Has(1))
            return Fail<u8>("u8 past the end");
        return fBytes[fPosition++];
    }
    // A count and that many Windows-1252 bytes; the tests' texts need no other form.
    std::string Name()
    {
        const u32 count = U32();
        if (count == 0xFFFFFFFF || !Has(count))
            return Fail<std::string>("name not in the 1252 form or past the end");
        std::string text(fBytes.begin() + std::ptrdiff_t(fPosition),
                         fBytes.begin() + std::ptrdiff_t(fPosition + count));
        fPosition += count;
        return text;
    }
    std::size_t Position() const { return fPosition; }

private:
    template <class T> T Fail(const char* what)
    {
        ADD_FAILURE() << what << " at " << fPosition;
        fPosition = fBytes.size();
        return T();
    }
    const std::vector<u8>& fBytes;
    std::size_t fPosition;
};

// Compressed entry: a mark, the unpacked size, then the file as one zlib stream that ends with
// the entry.
std::vector<u8> Inflate(const TIndependentEntry& entry)
{
    CCursor head(entry.fBytes, 0);
    EXPECT_EQ(head.U32(), 0xA1B09F33u) << entry.fName << ": compressed entry mark";
    const u32 unpackedSize = head.U32();
    // The tests' files are small; a larger size is a damaged field, not a file to make room for.
    if (entry.fBytes.size() < 8 || unpackedSize > (u32(1) << 26))
    {
        ADD_FAILURE() << entry.fName << ": compressed entry of " << unpackedSize << " bytes";
        return {};
    }
    std::vector<u8> unpacked(std::size_t(unpackedSize) + 1);
    z_stream stream{};
    EXPECT_EQ(inflateInit(&stream), Z_OK);
    stream.next_in = const_cast<Bytef*>(entry.fBytes.data() + 8);
    stream.avail_in = uInt(entry.fBytes.size() - 8);
    stream.next_out = unpacked.data();
    stream.avail_out = uInt(unpacked.size());
    const int status = inflate(&stream, Z_FINISH);
    EXPECT_EQ(status, Z_STREAM_END) << entry.fName << ": one whole zlib stream";
    EXPECT_EQ(stream.avail_in, 0u) << entry.fName << ": the stream ends with the entry";
    unpacked.resize(stream.total_out);
    inflateEnd(&stream);
    EXPECT_GE(unpackedSize, 1u) << entry.fName;
    EXPECT_EQ(unpacked.size(), unpackedSize) << entry.fName << ": unpacked size field";
    return unpacked;
}

// The sample codec's code words: bits taken most significant first from big-endian 32-bit words,
// which is the bytes' own order bit by bit.
class CBitReader
{
public:
    CBitReader(const std::vector<u8>& bytes, std::size_t start) : fBytes(bytes), fBit(start * 8) {}
    u32 Bits(u32 count)
    {
        u32 value = 0;
        for (u32 i = 0; i < count; ++i)
            value = (value << 1) | Bit();
        return value;
    }
    u32 Bit()
    {
        if (fBit / 8 >= fBytes.size())
        {
            fOverrun = true;
            return 0;
        }
        const u32 bit = (fBytes[fBit / 8] >> (7 - fBit % 8)) & 1;
        ++fBit;
        return bit;
    }
    bool fOverrun = false;

private:
    const std::vector<u8>& fBytes;
    std::size_t fBit;
};

u32 Fold(u32 residual)
{
    return i32(residual) >= 0 ? residual << 1 : ~(residual << 1);
}

// One channel's predictor: the sample and its first to fourth differences, and the running
// averages of their folded magnitudes. Every sum wraps at 32 bits.
class CChannelPredictor
{
public:
    u32 Decode(CBitReader& bits)
    {
        u32 order = 0;
        for (u32 candidate = 1; candidate < 5; ++candidate)
            if (fAverage[candidate] < fAverage[order])
                order = candidate;
        u32 m = ((fAverage[order] + 12) * 3) >> 7;
        if (m == 0)
        {
            bits.fOverrun = true;
            return 0;
        }
        u32 base = 0;
        for (u32 zeros = 0; bits.Bit() == 0 && !bits.fOverrun;)
        {
            base += m;
            if (++zeros == 7)
            {
                zeros = 0;
                m *= 4;
            }
        }
        u32 k = 1;
        while ((u64(1) << k) <= m)
            ++k;
        const u32 t = u32((u64(1) << k) - m);
        u32 remainder = bits.Bits(k - 1);
        if (remainder >= t)
            remainder = 2 * remainder + bits.Bit() - t;
        const u32 value = base + remainder;
        const u32 residual = (value & 1) != 0 ? ~(value >> 1) : value >> 1;
        // The residual is the chosen order's new difference; the sample follows by summing down.
        u32 sample = residual;
        for (u32 i = order; i > 0; --i)
            sample += fSlot[i - 1];
        Advance(sample);
        return sample;
    }

private:
    void Advance(u32 sample)
    {
        u32 difference = sample;
        for (u32 i = 0; i < 5; ++i)
        {
            const u32 next = difference - fSlot[i];
            fSlot[i] = difference;
            difference = next;
        }
        for (u32 i = 0; i < 5; ++i)
            fAverage[i] = fAverage[i] - (fAverage[i] >> 5) + Fold(fSlot[i]);
    }
    std::array<u32, 5> fSlot{};
    std::array<u32, 5> fAverage{2560, 2560, 2560, 2560, 2560};
};

// A packed sample: a version 1.0.0 header, then the code words of every frame, the first channel
// and the difference second minus first interleaved.
TIndependentSample Decode(const TIndependentEntry& entry)
{
    TIndependentSample sample;
    CCursor header(entry.fBytes, 0);
    EXPECT_EQ(header.U8(), 0xBC) << entry.fName << ": sample version mark";
    EXPECT_EQ(header.U32(), 0x01000000u) << entry.fName << ": sample version 1.0.0";
    sample.fFrameCount = header.U32();
    sample.fRootKey = header.U8();
    header.U8(); // fine tune
    sample.fLoopMode = header.U8();
    sample.fChannels = header.U8();
    sample.fLoopStart = header.U32();
    sample.fLoopEnd = header.U32();
    sample.fSampleRate = header.U32();
    sample.fBits = header.U8();
    if (sample.fChannels < 1 || sample.fChannels > 2 || (sample.fBits != 16 && sample.fBits != 24) ||
        u64(sample.fFrameCount) * sample.fChannels > u64(entry.fBytes.size()) * 8)
    {
        ADD_FAILURE() << entry.fName << ": sample header " << int(sample.fChannels) << " channels, "
                      << int(sample.fBits) << " bits, " << sample.fFrameCount << " frames";
        return sample;
    }
    CBitReader bits(entry.fBytes, header.Position());
    CChannelPredictor first, difference;
    sample.fSamples.reserve(std::size_t(sample.fFrameCount) * sample.fChannels);
    const auto store = [&](u32 value)
    { sample.fSamples.push_back(sample.fBits == 16 ? i32(i16(u16(value))) : i32(value)); };
    for (u32 frame = 0; frame < sample.fFrameCount && !bits.fOverrun; ++frame)
    {
        const u32 value = first.Decode(bits);
        store(value);
        if (sample.fChannels == 2)
            store(value + difference.Decode(bits));
    }
    EXPECT_FALSE(bits.fOverrun) << entry.fName << ": the code words end before the frames";
    return sample;
}
} // namespace

TIndependentPackage ReadPackageIndependently(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    const std::vector<u8> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    TIndependentPackage package;
    CCursor header(bytes, 0);
    EXPECT_EQ(header.U32(), 0x56616E74u) << "magic";
    EXPECT_EQ(header.U32(), bytes.size()) << "size field";
    CCursor info(bytes, kInfoOffset);
    package.fName = info.Name();
    package.fComments = info.Name();
    package.fURL = info.Name();
    package.fCopyright = info.Name();
    package.fFileCount = info.U32();
    package.fIndexStart = info.U32();
    package.fDataStart = info.U32();
    EXPECT_LE(info.Position(), package.fIndexStart);
    EXPECT_LE(package.fIndexStart, package.fDataStart);
    CCursor index(bytes, package.fIndexStart);
    u32 expectedOffset = 0;
    for (u32 i = 0; i < package.fFileCount && index.Position() < package.fDataStart; ++i)
    {
        TIndependentEntry entry;
        entry.fName = index.Name();
        entry.fPackedType = index.U8();
        entry.fOffset = index.U32();
        entry.fSize = index.U32();
        entry.fFlag = index.U8();
        EXPECT_EQ(entry.fOffset, expectedOffset) << entry.fName << ": entries follow one another";
        expectedOffset += entry.fSize;
        const std::size_t start = std::size_t(package.fDataStart) + entry.fOffset;
        if (start + entry.fSize > bytes.size())
        {
            ADD_FAILURE() << entry.fName << " lies past the end";
            break;
        }
        entry.fBytes.assign(bytes.begin() + std::ptrdiff_t(start),
                            bytes.begin() + std::ptrdiff_t(start + entry.fSize));
        entry.fContent = entry.fPackedType == kIndependentCompressedType ? Inflate(entry) : entry.fBytes;
        if (entry.fPackedType == kIndependentSampleType)
            entry.fSample = Decode(entry);
        package.fEntries.push_back(std::move(entry));
    }
    EXPECT_EQ(index.Position(), package.fDataStart) << "the index ends where the data begins";
    EXPECT_EQ(package.fEntries.size(), package.fFileCount);
    EXPECT_EQ(std::size_t(package.fDataStart) + expectedOffset, bytes.size()) << "the data fills the rest";
    return package;
}
} // namespace NSPackingTests
