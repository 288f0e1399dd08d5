#include "media/codec/KORBDecoder.h"
#include "media/codec/KORBHeader.h"

#include "base/ExceptionClasses.h"
#include "tests/media/codec/KORBSignals.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
// Hands out the words of a vector one at a time, so a test sees exactly which words a decode took.
class CWordByWordDecompressor : public COptimizedKORBDecompressor
{
public:
    explicit CWordByWordDecompressor(std::vector<u32> words) : fWords(std::move(words)) {}
    void FetchWords() override
    {
        if (fFetched == fWords.size())
            throw std::underflow_error("no more words");
        fNextWord = fWords.data() + fFetched;
        fEndWord = fNextWord + 1;
        ++fFetched;
    }
    std::vector<u32> fWords;
    size_t fFetched = 0;
};

TKORBHeader HeaderFor(const TKORBSignal& signal)
{
    TKORBHeader header;
    header.fFrameCount = u32(signal.fFirst.size());
    header.fChannelCount = u8(signal.fChannels);
    header.fBitsPerSample = u8(signal.fBits);
    return header;
}

// Decodes a whole code area into one value per sample, interleaved, through the 32-bit or the
// 16-bit path as the signal's depth asks.
std::vector<i32> DecodeCodes(const TKORBSignal& signal, const std::vector<u8>& codes)
{
    const TKORBHeader header = HeaderFor(signal);
    COwnedMemoryMedia media(i64(codes.size()), codes.data());
    std::vector<i32> samples(signal.fFirst.size() * signal.fChannels);
    if (signal.fBits == 24)
    {
        DecodeKORBToInt32(header, media, samples.data());
        return samples;
    }
    std::vector<i16> narrow(samples.size());
    DecodeKORBToInt16(header, media, narrow.data());
    std::copy(narrow.begin(), narrow.end(), samples.begin());
    return samples;
}

std::vector<i32> Interleaved(const TKORBSignal& signal)
{
    std::vector<i32> samples;
    for (size_t i = 0; i < signal.fFirst.size(); ++i)
    {
        samples.push_back(signal.fFirst[i]);
        if (signal.fChannels == 2)
            samples.push_back(signal.fSecond[i]);
    }
    return samples;
}

std::vector<u32> WordsOf(const std::vector<u8>& bytes)
{
    std::vector<u32> words(bytes.size() / 4);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = NSByteOrder::ReadBE32(bytes.data() + 4 * i);
    return words;
}

struct RoundTripCase
{
    EKORBSignal shape;
    u32 bits;
    u32 channels;
    u32 frames;
};

const RoundTripCase kRoundTrips[] = {
    {EKORBSignal::kSilence, 16, 1, 5000},
    {EKORBSignal::kSilence, 24, 2, 5000},
    {EKORBSignal::kAntiPhaseSquare, 16, 2, 9000},
    {EKORBSignal::kAntiPhaseSquare, 24, 2, 9000},
    {EKORBSignal::kAntiPhaseSquare, 24, 1, 9000},
    {EKORBSignal::kFullScaleNoise, 16, 1, 9000},
    {EKORBSignal::kFullScaleNoise, 16, 2, 9000},
    {EKORBSignal::kFullScaleNoise, 24, 1, 9000},
    {EKORBSignal::kFullScaleNoise, 24, 2, 9000},
    {EKORBSignal::kTones, 16, 1, 20000},
    {EKORBSignal::kTones, 16, 2, 20000},
    {EKORBSignal::kTones, 24, 2, 20000},
    {EKORBSignal::kImpulses, 16, 2, 9000},
    {EKORBSignal::kImpulses, 24, 1, 9000},
    {EKORBSignal::kTones, 24, 2, 1},
    {EKORBSignal::kTones, 16, 1, 4096},
    {EKORBSignal::kTones, 16, 2, 4097},
};
} // namespace

TEST(KORBDecoder, RoundTripsAreBitExact)
{
    for (const RoundTripCase& c : kRoundTrips)
    {
        const TKORBSignal signal = MakeKORBSignal(c.shape, c.bits, c.channels, c.frames);
        EXPECT_EQ(DecodeCodes(signal, EncodeKORBSignal(signal)), Interleaved(signal))
            << "shape " << int(c.shape) << " bits " << c.bits << " channels " << c.channels << " frames "
            << c.frames;
    }
}

TEST(KORBDecoder, RunSizesOnEitherSideLeaveNoMark)
{
    for (const RoundTripCase& c : kRoundTrips)
    {
        const TKORBSignal signal = MakeKORBSignal(c.shape, c.bits, c.channels, c.frames, 3);
        std::mt19937 random(11);
        std::uniform_int_distribution<u32> runLength(1, 3000);
        const std::vector<u8> codes = EncodeKORBSignal(signal, [&](u32) { return runLength(random); });
        COwnedMemoryMedia media(i64(codes.size()), codes.data());
        COptimizedKORBDecompressorFromMedia decompressor(media);
        std::vector<i32> samples(signal.fFirst.size() * c.channels);
        for (u32 done = 0; done < c.frames;)
        {
            const u32 n = std::min(runLength(random), c.frames - done);
            i32* out = samples.data() + done * c.channels;
            if (c.channels == 2)
                DecodeKORBStereo32(decompressor, n, out);
            else
                DecodeKORBMono32(decompressor, n, out);
            done += n;
        }
        if (c.bits == 16)
            for (i32& sample : samples)
                sample = i16(sample);
        EXPECT_EQ(samples, Interleaved(signal)) << "shape " << int(c.shape) << " bits " << c.bits;
    }
}

TEST(KORBDecoder, EveryWayOfSplittingTheRunsDecodesTheSame)
{
    const TKORBSignal signal = MakeKORBSignal(EKORBSignal::kTones, 24, 2, 11);
    const std::vector<u8> codes = EncodeKORBSignal(signal);
    // Each bit of split marks a run boundary after that frame: all 2^10 ways.
    for (u32 split = 0; split < (1u << 10); ++split)
    {
        COwnedMemoryMedia media(i64(codes.size()), codes.data());
        COptimizedKORBDecompressorFromMedia decompressor(media);
        std::vector<i32> samples(22);
        for (u32 frame = 0; frame < 11;)
        {
            u32 n = 1;
            while (frame + n < 11 && !(split & (1u << (frame + n - 1))))
                ++n;
            DecodeKORBStereo32(decompressor, n, samples.data() + 2 * frame);
            frame += n;
        }
        ASSERT_EQ(samples, Interleaved(signal)) << "split " << split;
    }
}

TEST(KORBDecoder, ExampleStreamTakesOnlyItsFirstWord)
{
    CWordByWordDecompressor decompressor({0x82082000, 0x00000000});
    i16 samples[4] = {1, 1, 1, 1};
    DecodeKORBMono16(decompressor, 4, samples);
    EXPECT_EQ(std::vector<i16>(samples, samples + 4), std::vector<i16>(4, 0));
    EXPECT_EQ(decompressor.fFetched, 1u);
}

TEST(KORBDecoder, BaseDecompressorHasNoWordsBeyondThoseItIsGiven)
{
    const u32 words[] = {0x82082000};
    COptimizedKORBDecompressor decompressor;
    decompressor.fNextWord = words;
    decompressor.fEndWord = words + 1;
    i16 samples[4] = {1, 1, 1, 1};
    DecodeKORBMono16(decompressor, 4, samples);
    EXPECT_EQ(std::vector<i16>(samples, samples + 4), std::vector<i16>(4, 0));
    // A fifth sample needs bits past the word: the base class has none to fetch.
    EXPECT_THROW(DecodeKORBMono16(decompressor, 1, samples), std::underflow_error);
}

TEST(KORBDecoder, WordsAreTakenOnlyWhenABitIsNeeded)
{
    // Streams cut right after their last code bit's word decode without asking for another.
    for (const RoundTripCase& c : kRoundTrips)
    {
        const TKORBSignal signal = MakeKORBSignal(c.shape, c.bits, c.channels, std::min(c.frames, 700u));
        std::vector<u32> words = WordsOf(EncodeKORBSignal(signal));
        words.pop_back(); // the zero word of the second flush
        CWordByWordDecompressor decompressor(words);
        std::vector<i32> samples(signal.fFirst.size() * c.channels);
        if (c.channels == 2)
            DecodeKORBStereo32(decompressor, u32(signal.fFirst.size()), samples.data());
        else
            DecodeKORBMono32(decompressor, u32(signal.fFirst.size()), samples.data());
        if (c.bits == 16)
            for (i32& sample : samples)
                sample = i16(sample);
        EXPECT_EQ(samples, Interleaved(signal));
        // Every fetched word was needed: the last one holds code bits.
        EXPECT_EQ(decompressor.fFetched, words.size()) << "shape " << int(c.shape);
    }
}

TEST(KORBDecoder, FrameCountOfZeroReadsNothing)
{
    COwnedMemoryMedia media(0);
    TKORBHeader header;
    header.fChannelCount = 2;
    header.fBitsPerSample = 16;
    DecodeKORBToInt16(header, media, nullptr);
    EXPECT_EQ(media.fPosition, 0);
}

TEST(KORBDecoder, LargestValueAtTheSmallestParameterDecodes)
{
    // The longest code a valid stream holds: m = 1 and the residual -2^31 (value 2^32 - 1).
    TKORBChannelState state;
    for (u32& average : state.fAverage)
        average = 31;
    COwnedMemoryMedia media(0);
    {
        COutputBitStream bits(media);
        TKORBEncoder encoder(bits, 1);
        TKORBChannelState coding = state;
        EncodeKORBSample(encoder, coding, 0x80000000);
    }
    COptimizedKORBDecompressorFromMedia decompressor(media);
    decompressor.fFirst = state;
    media.fPosition = 0;
    i32 sample = 0;
    DecodeKORBMono32(decompressor, 1, &sample);
    EXPECT_EQ(sample, i32(0x80000000));
}

TEST(KORBDecoder, StreamCutInsideItsCodesFails)
{
    const TKORBSignal signal = MakeKORBSignal(EKORBSignal::kTones, 16, 2, 3000);
    std::vector<u8> codes = EncodeKORBSignal(signal);
    codes.resize(codes.size() - 8); // both trailing words, the last with code bits
    for (size_t extra = 0; extra < 4; ++extra)
    {
        std::vector<u8> cut = codes;
        cut.insert(cut.end(), extra, 0xFF); // bytes short of a word are never read
        try
        {
            DecodeCodes(signal, cut);
            ADD_FAILURE() << "a cut stream decoded";
        }
        catch (const NSQuorral::XFormatViolation& failure)
        {
            EXPECT_STREQ(failure.what(), "zero length sample");
        }
    }
}

TEST(KORBDecoder, TrailingBytesShortOfAWordAreNeverRead)
{
    const TKORBSignal signal = MakeKORBSignal(EKORBSignal::kTones, 16, 1, 2000);
    std::vector<u8> codes = EncodeKORBSignal(signal);
    codes.resize(codes.size() - 4);
    codes.insert(codes.end(), {0xAB, 0xCD, 0xEF});
    EXPECT_EQ(DecodeCodes(signal, codes), Interleaved(signal));
}

TEST(KORBDecoder, HeadersItCannotTrustAreRefused)
{
    struct Case
    {
        u32 frames;
        u8 channels;
        u8 bits;
        i64 codeBytes;
    };
    const Case refused[] = {
        {10, 0, 16, 100}, {10, 3, 16, 100},  {10, 1, 8, 100},   {10, 1, 32, 100},
        {10, 2, 0, 100},  {801, 1, 16, 100}, {401, 2, 24, 100}, {0xFFFFFFFF, 2, 16, 1 << 20},
        {1, 1, 16, 0},
    };
    for (const Case& c : refused)
    {
        TKORBHeader header;
        header.fFrameCount = c.frames;
        header.fChannelCount = c.channels;
        header.fBitsPerSample = c.bits;
        EXPECT_THROW(CheckKORBHeader(header, c.codeBytes), NSQuorral::XFormatViolation)
            << c.frames << " frames, " << int(c.channels) << " channels, " << int(c.bits) << " bits";
        // The decoder checks before it writes a sample.
        std::vector<u8> codes(size_t(std::min<i64>(c.codeBytes, 4096)), 0x55);
        COwnedMemoryMedia media(i64(codes.size()), codes.data());
        EXPECT_THROW(DecodeKORBToInt32(header, media, nullptr), NSQuorral::XFormatViolation);
    }
    TKORBHeader fits;
    fits.fFrameCount = 400;
    fits.fChannelCount = 2;
    fits.fBitsPerSample = 24;
    EXPECT_NO_THROW(CheckKORBHeader(fits, 100));
}

TEST(KORBDecoder, ParameterOfZeroIsAFormatViolation)
{
    CWordByWordDecompressor decompressor({0xFFFFFFFF});
    for (u32& average : decompressor.fFirst.fAverage)
        average = 0;
    i32 sample;
    EXPECT_THROW(DecodeKORBMono32(decompressor, 1, &sample), NSQuorral::XFormatViolation);
}

TEST(KORBDecoder, UnaryRunsLongerThanAnyCodeAreRefused)
{
    // From m = 1, fifteen groups of seven zero bits grow m to 2^30, and one more zero bit makes
    // the largest value a code can hold; a sixteenth group would wrap m to 0.
    for (u32 zeros : {105u, 106u, 107u, 112u, 118u, 130u})
    {
        std::vector<u32> words(zeros / 32, 0);
        words.push_back(0x80000000u >> (zeros % 32));
        words.push_back(0);
        CWordByWordDecompressor decompressor(words);
        for (u32& average : decompressor.fFirst.fAverage)
            average = 31;
        i32 sample;
        if (zeros <= 106)
            EXPECT_NO_THROW(DecodeKORBMono32(decompressor, 1, &sample)) << zeros;
        else
            EXPECT_THROW(DecodeKORBMono32(decompressor, 1, &sample), NSQuorral::XFormatViolation) << zeros;
    }
}

TEST(KORBDecoder, EndlessZeroBitsStopEarly)
{
    // Far more zero bits than any code holds: refused after a few words, not read to the end.
    CWordByWordDecompressor decompressor(std::vector<u32>(100000, 0));
    i32 sample;
    EXPECT_THROW(DecodeKORBMono32(decompressor, 1, &sample), NSQuorral::XFormatViolation);
    EXPECT_LT(decompressor.fFetched, 10u);
}

TEST(KORBDecoder, RandomWordsFailCleanlyOrDecode)
{
    // Damaged codes have no check value: they decode to wrong samples or fail as a format
    // violation, never write outside the output and never hang.
    std::mt19937 random(5);
    for (int trial = 0; trial < 300; ++trial)
    {
        std::vector<u8> codes(size_t(4 * std::uniform_int_distribution<int>(0, 64)(random)));
        for (u8& byte : codes)
            byte = u8(random());
        if (trial % 3 == 0 && !codes.empty())
            std::fill(codes.begin(), codes.begin() + codes.size() / 2, 0);
        TKORBHeader header;
        header.fChannelCount = u8(1 + trial % 2);
        header.fBitsPerSample = trial % 4 < 2 ? 16 : 24;
        header.fFrameCount = u32(codes.size() * 8 / header.fChannelCount);
        // Guard values behind the output show any write past its end.
        std::vector<i32> out(size_t(header.fFrameCount) * header.fChannelCount + 16, 0x5A5A5A5A);
        COwnedMemoryMedia media(i64(codes.size()), codes.data());
        try
        {
            DecodeKORBToInt32(header, media, out.data());
        }
        catch (const NSQuorral::XFormatViolation&)
        {
        }
        for (size_t i = out.size() - 16; i < out.size(); ++i)
            ASSERT_EQ(out[i], 0x5A5A5A5A) << "trial " << trial;
    }
}
