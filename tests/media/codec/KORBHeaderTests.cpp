#include "media/codec/KORBHeader.h"

#include "media/codec/KORBDecoder.h"
#include "media/codec/KORBEncoder.h"
#include "media/codec/OutputBitStream.h"
#include "base/ExceptionClasses.h"
#include "base/VersionNumbers.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
TKORBHeader MonoHeader(u32 frames)
{
    TKORBHeader header;
    header.fFrameCount = frames;
    header.fRootKey = 60;
    header.fChannelCount = 1;
    header.fLoopEnd = frames;
    header.fSampleRate = 44100;
    header.fBitsPerSample = 16;
    return header;
}

// A whole stream as the encoders write it: header, codes, a second flush.
TBytes MonoStream(const TKORBHeader& header, const std::vector<i16>& samples)
{
    COwnedMemoryMedia media(0);
    WriteKORBHeader(header, media);
    {
        COutputBitStream bits(media);
        TKORBEncoder encoder(bits, 1);
        EncodeKORBBlock16(encoder, u32(samples.size()), {samples.data(), nullptr});
        bits.Flush();
    }
    return BytesOf(media);
}

// The header fields after the version, for a stream of one frame coded as the one word 80 00 00 00
// and the second flush's zero word.
TBytes FieldsAndCodes(u8 channels = 1, u32 frames = 1)
{
    return Concat({Bytes({u8(frames >> 24),
                          u8(frames >> 16),
                          u8(frames >> 8),
                          u8(frames),
                          60,
                          0,
                          0,
                          channels,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          1,
                          0,
                          0,
                          0xAC,
                          0x44,
                          16}),
                   Bytes({0x80, 0, 0, 0, 0, 0, 0, 0})});
}

TBytes VersionBytes(const TVersion& version)
{
    u8 bytes[kLongVersionSize];
    return TBytes(bytes, bytes + EncodeVersion(version, bytes));
}
} // namespace

TEST(KORBHeader, FourZeroFramesGiveThe34ByteStream)
{
    const TBytes stream = MonoStream(MonoHeader(4), {0, 0, 0, 0});
    EXPECT_EQ(stream, Bytes({0xBC, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x3C, 0x00, 0x00,
                             0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0xAC,
                             0x44, 0x10, 0x82, 0x08, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00}));

    COwnedMemoryMedia media = MediaOf(stream);
    TKORBHeader header;
    ReadKORBHeader(header, media);
    EXPECT_EQ(media.fPosition, 26);
    EXPECT_EQ(header.fFrameCount, 4u);
    EXPECT_EQ(header.fRootKey, 60);
    EXPECT_EQ(header.fLoopEnd, 4u);
    EXPECT_EQ(header.fSampleRate, 44100u);
    EXPECT_FALSE(header.fIsVersion2);
    i16 samples[4] = {1, 1, 1, 1};
    DecodeKORBToInt16(header, media, samples);
    EXPECT_EQ(std::vector<i16>(samples, samples + 4), std::vector<i16>(4, 0));
}

TEST(KORBHeader, NoFramesGiveTheHeaderAndTwoZeroWords)
{
    const TBytes stream = MonoStream(MonoHeader(0), {});
    EXPECT_EQ(stream, Concat({Bytes({0xBC, 1, 0, 0, 0, 0, 0, 0, 0, 60, 0,    0,    1,
                                     0,    0, 0, 0, 0, 0, 0, 0, 0, 0,  0xAC, 0x44, 16}),
                              TBytes(8)}));
}

TEST(KORBHeader, Version2CarriesItsThreeFields)
{
    TKORBHeader written = MonoHeader(1);
    written.fFineTune = 0xF6;
    written.fLoopMode = 2;
    written.fIsVersion2 = true;
    written.fValueA = 0x01020304;
    written.fValueB = 0xA0B0C0D0;
    written.fFlag = true;
    COwnedMemoryMedia media(0);
    WriteKORBHeader(written, media);
    const TBytes bytes = BytesOf(media);
    ASSERT_EQ(bytes.size(), 38u);
    EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + 5), Bytes({0xBC, 2, 0, 0, 0}));
    EXPECT_EQ(TBytes(bytes.begin() + 26, bytes.end()),
              Bytes({1, 2, 3, 4, 0xA0, 0xB0, 0xC0, 0xD0, 0, 0, 0, 1}));

    const u8 codes[8] = {0x80};
    WriteBytes(media, 8, codes);
    media.fPosition = 0;
    TKORBHeader read;
    ReadKORBHeader(read, media);
    EXPECT_EQ(media.fPosition, 38);
    EXPECT_TRUE(read.fIsVersion2);
    EXPECT_EQ(read.fFineTune, 0xF6);
    EXPECT_EQ(read.fLoopMode, 2u);
    EXPECT_EQ(read.fValueA, 0x01020304u);
    EXPECT_EQ(read.fValueB, 0xA0B0C0D0u);
    EXPECT_TRUE(read.fFlag);
}

TEST(KORBHeader, VersionsReadAndRefused)
{
    enum class EOutcome
    {
        kVersion1,
        kVersion2,
        kTooOld,
        kTooNew,
        kFormatViolation,
    };
    struct Case
    {
        TVersion version;
        EOutcome outcome;
    };
    const Case cases[] = {
        {{1, 0, 0}, EOutcome::kVersion1},
        {{1, 5, 0}, EOutcome::kVersion1},
        {{1, 0, 0, kVersionStageBeta, 2}, EOutcome::kVersion1}, // the long form
        {{1, 300, 0}, EOutcome::kVersion1},
        {{2, 0, 0, kVersionStageAlpha, 1}, EOutcome::kVersion1}, // older than 2.0.0
        {{2, 0, 0}, EOutcome::kVersion2},
        {{2, 1, 0}, EOutcome::kVersion2},
        {{2, 0, 0, kVersionStageFinal, 0, 77}, EOutcome::kVersion2}, // the build is not compared
        {{0, 9, 0}, EOutcome::kTooOld},
        {{3, 0, 0}, EOutcome::kTooNew},
        {{255, 0, 0}, EOutcome::kTooNew},
    };
    for (const Case& c : cases)
    {
        // A version 2 header holds its three fields (0, 0 and a set flag) before the codes.
        const TBytes version2Fields =
            c.outcome == EOutcome::kVersion2 ? Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}) : TBytes();
        const TBytes fields = FieldsAndCodes();
        COwnedMemoryMedia media =
            MediaOf(Concat({VersionBytes(c.version), TBytes(fields.begin(), fields.end() - 8), version2Fields,
                            TBytes(fields.end() - 8, fields.end())}));
        EOutcome outcome;
        TKORBHeader header;
        try
        {
            ReadKORBHeader(header, media);
            outcome = header.fIsVersion2 ? EOutcome::kVersion2 : EOutcome::kVersion1;
            EXPECT_EQ(media.fPosition, i64(VersionBytes(c.version).size()) + (header.fIsVersion2 ? 33 : 21));
            EXPECT_EQ(header.fFlag, header.fIsVersion2);
        }
        catch (const NSQuorral::XVersionTooOld&)
        {
            outcome = EOutcome::kTooOld;
        }
        catch (const NSQuorral::XVersionTooNew&)
        {
            outcome = EOutcome::kTooNew;
        }
        EXPECT_EQ(outcome, c.outcome) << c.version.fMajor << "." << c.version.fMinor << "." << c.version.fFix;
    }
}

TEST(KORBHeader, CorruptHeadersFailCleanly)
{
    struct Case
    {
        const char* what;
        TBytes stream;
    };
    const Case cases[] = {
        {"no version marker", Concat({Bytes({0xBD, 1, 0, 0, 0}), FieldsAndCodes()})},
        {"zero channels", Concat({Bytes({0xBC, 1, 0, 0, 0}), FieldsAndCodes(0)})},
        {"three channels", Concat({Bytes({0xBC, 1, 0, 0, 0}), FieldsAndCodes(3)})},
        {"a frame count the codes cannot hold", Concat({Bytes({0xBC, 1, 0, 0, 0}), FieldsAndCodes(1, 65)})},
        {"a huge frame count", Concat({Bytes({0xBC, 1, 0, 0, 0}), FieldsAndCodes(2, 0xFFFFFFFF)})},
        {"version only", Bytes({0xBC, 1, 0, 0})},
    };
    for (const Case& c : cases)
    {
        COwnedMemoryMedia media = MediaOf(c.stream);
        TKORBHeader header;
        EXPECT_THROW(ReadKORBHeader(header, media), NSQuorral::XFormatViolation) << c.what;
        EXPECT_EQ(header.fFrameCount, 0u) << c.what;
    }
    // Fewer bytes than the fields: the media's own read failure.
    COwnedMemoryMedia cut = MediaOf(Bytes({0xBC, 1, 0, 0, 0, 0, 0, 0}));
    TKORBHeader header;
    EXPECT_THROW(ReadKORBHeader(header, cut), NSQuorral::XRead);
}
