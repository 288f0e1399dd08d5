#include "media/codec/KORBEncoder.h"
#include "media/codec/OutputBitStream.h"

#include "base/ExceptionClasses.h"
#include "tests/media/codec/KORBSignals.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <string>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
// The coder as it is described bit by bit: a 32-bit accumulator, one bit of the unary part at a
// time, the order chosen by the chain of comparisons. The real coder must write the same bytes.
class CReferenceCoder
{
public:
    void PutBit(u32 bit)
    {
        if (fFree == 0)
            EmitWord();
        fAccumulator = (fAccumulator << 1) | bit;
        --fFree;
    }
    void PutBits(u32 count, u32 value)
    {
        for (u32 i = count; i > 0; --i)
            PutBit((value >> (i - 1)) & 1);
    }
    void Flush()
    {
        fAccumulator = fFree == 32 ? 0 : fAccumulator << fFree;
        EmitWord();
    }
    void WriteAdaptiveCode(u32 m, u32 value)
    {
        for (;;)
        {
            const u32 groups = std::min(value / m, 7u);
            value -= groups * m;
            for (u32 i = 0; i < groups; ++i)
                PutBit(0);
            if (groups < 7)
                break;
            m *= 4;
        }
        PutBit(1);
        u32 k = 0;
        while ((u64(1) << k) <= m)
            ++k;
        const u32 t = (1u << k) - m;
        if (value < t)
            PutBits(k - 1, value);
        else
            PutBits(k, value + t);
    }
    void EncodeSample(TKORBChannelState& state, u32 x)
    {
        u32* s = state.fResidual;
        u32* a = state.fAverage;
        const u32 d1 = x - s[0];
        s[0] = x;
        const u32 d2 = d1 - s[1];
        s[1] = d1;
        const u32 d3 = d2 - s[2];
        s[2] = d2;
        const u32 d4 = d3 - s[3];
        s[3] = d3;
        s[4] = d4;
        u32 order = 0;
        if (a[4] < a[0] && a[4] < a[1] && a[4] < a[2] && a[4] < a[3])
            order = 4;
        else if (a[3] < a[0] && a[3] < a[1] && a[3] < a[2])
            order = 3;
        else if (a[2] < a[0] && a[2] < a[1])
            order = 2;
        else if (a[1] < a[0])
            order = 1;
        const u32 m = ((a[order] + 12) * 3) >> 7;
        WriteAdaptiveCode(m, Fold(s[order]));
        for (u32 i = 0; i < 5; ++i)
            a[i] = a[i] - (a[i] >> 5) + Fold(s[i]);
    }
    std::vector<u8> Encode(const TKORBSignal& signal)
    {
        TKORBChannelState first;
        TKORBChannelState difference;
        for (size_t i = 0; i < signal.fFirst.size(); ++i)
        {
            const u32 x = u32(signal.fFirst[i]);
            EncodeSample(first, x);
            if (signal.fChannels == 2)
                EncodeSample(difference, u32(signal.fSecond[i]) - x);
        }
        Flush();
        Flush();
        return fBytes;
    }

    std::vector<u8> fBytes;

private:
    static u32 Fold(u32 r) { return i32(r) >= 0 ? 2 * r : ~(2 * r); }
    void EmitWord()
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            fBytes.push_back(u8(fAccumulator >> shift));
        fFree = 32;
        fAccumulator = 0;
    }

    u32 fFree = 32;
    u32 fAccumulator = 0;
};

// The first count bits of a byte string, as "0" and "1".
std::string BitsOf(const TBytes& bytes, size_t count)
{
    std::string bits;
    for (size_t i = 0; i < count; ++i)
        bits += (bytes[i / 8] >> (7 - i % 8)) & 1 ? '1' : '0';
    return bits;
}

TBytes CodeMono16(std::initializer_list<i16> samples)
{
    const std::vector<i16> plane(samples);
    COwnedMemoryMedia media(0);
    COutputBitStream bits(media);
    TKORBEncoder encoder(bits, 1);
    EncodeKORBBlock16(encoder, u32(plane.size()), {plane.data(), nullptr});
    bits.Flush();
    return BytesOf(media);
}
} // namespace

TEST(KORBCoder, FourZeroSamplesGiveOneWord)
{
    EXPECT_EQ(CodeMono16({0, 0, 0, 0}), Bytes({0x82, 0x08, 0x20, 0x00}));
}

TEST(KORBCoder, ThreeEqualSamplesGiveTwoWords)
{
    EXPECT_EQ(CodeMono16({1000, 1000, 1000}), Bytes({0x00, 0x06, 0x70, 0x00, 0x82, 0xC0, 0x00, 0x00}));
}

TEST(OutputBitStream, FlushAlwaysEmitsAWordAndKeepsAFullWordPending)
{
    COwnedMemoryMedia media(0);
    {
        COutputBitStream bits(media);
        bits.Flush(); // empty: a zero word
        bits.PutBits(32, 0xDEADBEEF);
        bits.Flush(); // the full word was still pending: it is the flush's one word
        bits.PutBits(3, 5);
        bits.PutBits(32, 0xFFFFFFFF);
        bits.Flush(); // 35 bits: two words, the second left-aligned and padded
    }                 // the destructor flushes once more: a zero word
    EXPECT_EQ(BytesOf(media),
              Bytes({0, 0, 0, 0, 0xDE, 0xAD, 0xBE, 0xEF, 0xBF, 0xFF, 0xFF, 0xFF, 0xE0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(OutputBitStream, MediaIsWrittenInWholeBuffersUntilTheFlush)
{
    class CCountingMedia : public COwnedMemoryMedia
    {
    public:
        CCountingMedia() : COwnedMemoryMedia(0) {}
        void Write(i64 offset, i64 size, const void* source) override
        {
            fWrites.push_back(size);
            COwnedMemoryMedia::Write(offset, size, source);
        }
        std::vector<i64> fWrites;
    } media;
    {
        COutputBitStream bits(media);
        for (u32 i = 0; i < 3000; ++i)
            bits.PutBits(32, i);
        for (i64 size : media.fWrites)
            EXPECT_EQ(size, 4096);
        bits.Flush();
        EXPECT_EQ(media.GetSize(), 3000 * 4);
        EXPECT_LT(media.fWrites.back(), 4096);
    }
    EXPECT_EQ(media.fWrites.back(), 4); // the destructor's zero word
    EXPECT_EQ(media.fPosition, 3001 * 4);
    for (u32 i = 0; i < 3000; i += 999)
        EXPECT_EQ(NSByteOrder::ReadBE32(media.GetBytes().data() + 4 * i), i);
}

struct AdaptiveCodeCase
{
    u32 m;
    u32 value;
    const char* bits;
};

const AdaptiveCodeCase kAdaptiveCodes[] = {
    {1, 0, "1"}, // m = 1: no remainder bits
    {1, 3, "0001"},
    {60, 0, "100000"}, // k = 6, t = 4: values below t in 5 bits
    {60, 3, "100011"},
    {60, 4, "1001000"}, // from t on: value + t in 6 bits
    {60, 59, "1111111"},
    {60, 60, "0100000"},
    {64, 63, "1111111"}, // a power of two: always k - 1 bits
    {64, 64, "01000000"},
    {10, 69, "00000011111"},
    {10, 70, "0000000100000"}, // exactly 7m: seven zero bits, an empty group, 0 in k - 1 bits of 4m
    {3, 609, "000000000000000000000111101000"}, // three full groups: m grows to 192
};

TEST(KORBCoder, AdaptiveCodeBits)
{
    for (const AdaptiveCodeCase& c : kAdaptiveCodes)
    {
        COwnedMemoryMedia media(0);
        COutputBitStream bits(media);
        TKORBEncoder encoder(bits, 1);
        WriteAdaptiveCode(encoder, c.m, c.value);
        bits.Flush();
        const std::string expected = c.bits;
        EXPECT_EQ(BitsOf(BytesOf(media), expected.size()), expected) << "m " << c.m << " value " << c.value;
    }
}

TEST(KORBCoder, LargestValueAtTheSmallestParameter)
{
    // 2^32 - 1 at m = 1: fifteen full groups grow m to 2^30; the code ends with a 1 bit and a
    // 30-bit remainder.
    COwnedMemoryMedia media(0);
    COutputBitStream bits(media);
    TKORBEncoder encoder(bits, 1);
    WriteAdaptiveCode(encoder, 1, 0xFFFFFFFF);
    bits.Flush();
    CReferenceCoder reference;
    reference.WriteAdaptiveCode(1, 0xFFFFFFFF);
    reference.Flush();
    EXPECT_EQ(BytesOf(media), reference.fBytes);
}

// Codes at the edges of the coder's fast path (six groups, a parameter below 2^25) and of the
// value range, written one after another so that they also cross word boundaries at many offsets.
struct EdgeCode
{
    u32 m;
    u32 value;
};

const EdgeCode kEdgeCodes[] = {
    {1, 6},           {1, 7},           {2, 13},          {2, 14},           {5, 34},
    {5, 35},          {5, 174},         {5, 175},         {60, 419},         {60, 420},
    {1000, 6999},     {1000, 7000},     {1000, 34999},    {0x1FFFFFF, 0},    {0x1FFFFFF, 0x1FFFFFE},
    {0x1FFFFFF, 0xDFFFFF8}, {0x1FFFFFF, 0xDFFFFF9}, {0x1FFFFFF, 0xFFFFFFFF}, {0x2000000, 0},
    {0x2000000, 0xDFFFFFF}, {0x2000001, 0x2000001}, {0x10000000, 0xFFFFFFFF}, {0x24924925, 0xFFFFFFFF},
    {0x40000000, 0xFFFFFFFF}, {0x7FFFFFFF, 0xFFFFFFFF}, {1, 0xFFFFFFFF}, {3, 0xFFFFFFFF},
    {7, 0x80000000},  {60, 0x7FFFFFFF}, {60, 0xFFFFFFFF},
};

TEST(KORBCoder, EdgeCodesMatchTheBitByBitDescription)
{
    COwnedMemoryMedia media(0);
    COutputBitStream bits(media);
    TKORBEncoder encoder(bits, 1);
    CReferenceCoder reference;
    for (u32 lead = 0; lead < 32; ++lead)
    {
        // A lead of 0 to 31 one bits shifts the codes through every offset in a word.
        bits.PutBits(lead, (u64(1) << lead) - 1);
        reference.PutBits(lead, (u64(1) << lead) - 1);
        for (const EdgeCode& c : kEdgeCodes)
        {
            WriteAdaptiveCode(encoder, c.m, c.value);
            reference.WriteAdaptiveCode(c.m, c.value);
        }
    }
    bits.Flush();
    reference.Flush();
    EXPECT_EQ(BytesOf(media), reference.fBytes);
}

struct SignalCase
{
    EKORBSignal shape;
    u32 bits;
    u32 channels;
};

const SignalCase kSignals[] = {
    {EKORBSignal::kSilence, 16, 1},         {EKORBSignal::kSilence, 24, 2},
    {EKORBSignal::kAntiPhaseSquare, 16, 2}, {EKORBSignal::kAntiPhaseSquare, 24, 2},
    {EKORBSignal::kFullScaleNoise, 16, 1},  {EKORBSignal::kFullScaleNoise, 24, 2},
    {EKORBSignal::kTones, 16, 2},           {EKORBSignal::kTones, 24, 1},
    {EKORBSignal::kImpulses, 16, 1},        {EKORBSignal::kImpulses, 24, 2},
};

TEST(KORBCoder, WritesTheSameBytesAsTheBitByBitDescription)
{
    for (const SignalCase& c : kSignals)
    {
        const TKORBSignal signal = MakeKORBSignal(c.shape, c.bits, c.channels, 3000);
        std::mt19937 random(7);
        const std::vector<u8> coded =
            EncodeKORBSignal(signal, [&](u32) { return std::uniform_int_distribution<u32>(1, 700)(random); });
        EXPECT_EQ(coded, CReferenceCoder().Encode(signal))
            << "shape " << int(c.shape) << " bits " << c.bits << " channels " << c.channels;
    }
}

TEST(KORBCoder, EveryWayOfSplittingARunGivesTheSameCodes)
{
    const TKORBSignal signal = MakeKORBSignal(EKORBSignal::kTones, 24, 2, 11);
    const std::vector<u8> whole = EncodeKORBSignal(signal);
    // Each bit of split marks a run boundary after that frame: all 2^10 ways.
    for (u32 split = 0; split < (1u << 10); ++split)
    {
        u32 frame = 0;
        const std::vector<u8> pieces =
            EncodeKORBSignal(signal,
                             [&](u32 left)
                             {
                                 u32 n = 1;
                                 while (frame + n < 11 && !(split & (1u << (frame + n - 1))))
                                     ++n;
                                 frame += n;
                                 return n;
                             });
        ASSERT_EQ(pieces, whole) << "split " << split;
    }
}

TEST(KORBCoder, EqualStereoChannelsCodeTheDifferenceAsZeros)
{
    const std::vector<i16> plane = {5, -300, 7000, 12, -32768, 32767};
    COwnedMemoryMedia media(0);
    COutputBitStream bits(media);
    TKORBEncoder encoder(bits, 2);
    EncodeKORBBlock16(encoder, u32(plane.size()), {plane.data(), plane.data()});
    for (u32 residual : encoder.fDifference.fResidual)
        EXPECT_EQ(residual, 0u);
}

TEST(KORBCoder, ParameterOfZeroIsRefused)
{
    // Averages that have wrapped to 30 or less leave no parameter.
    COwnedMemoryMedia media(0);
    COutputBitStream bits(media);
    TKORBEncoder encoder(bits, 1);
    TKORBChannelState state;
    for (u32& average : state.fAverage)
        average = 30;
    EXPECT_THROW(EncodeKORBSample(encoder, state, 1), NSQuorral::XUnsupportedFormat);
    for (u32& average : state.fAverage)
        average = 31; // m = 1, the smallest parameter
    EXPECT_NO_THROW(EncodeKORBSample(encoder, state, 1));
}
