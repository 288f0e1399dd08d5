// The AIFF and WAVE encoders: sox-made and built samples coded into KORB streams and decoded
// again.
#include "media/codec/AudioEncoders.h"

#include "base/Quorral.h"
#include "base/Media.h"
#include "media/TempoMap.h"
#include "media/codec/KORBDecoder.h"
#include "media/codec/KORBHeader.h"
#include "media/codec/KORBTrailer.h"
#include "media/soundfont/SampleFormat.h"
#include "tests/support/AudioFileBuilder.h"
#include "tests/support/AudioFixtures.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
bool IsWAVE(const std::string& name)
{
    return name.ends_with(".wav");
}

TBytes Encode(const TBytes& file, bool wave)
{
    COwnedMemoryMedia source = MediaOf(file);
    COwnedMemoryMedia stream(0);
    wave ? EncodeWAVEToKORB(source, stream) : EncodeAIFFToKORB(source, stream);
    EXPECT_EQ(stream.fPosition, stream.GetSize()) << "the destination's position ends behind the stream";
    return BytesOf(stream);
}

// The samples of a stream, on the 24-bit scale for 24-bit streams and the 16-bit scale else.
std::vector<i32> Decode(const TBytes& bytes, TKORBHeader& header)
{
    COwnedMemoryMedia stream = MediaOf(bytes);
    ReadKORBHeader(header, stream);
    std::vector<i32> samples(size_t(header.fFrameCount) * header.fChannelCount);
    if (header.fBitsPerSample == 24)
        DecodeKORBToInt32(header, stream, samples.data());
    else
    {
        std::vector<i16> samples16(samples.size());
        DecodeKORBToInt16(header, stream, samples16.data());
        samples.assign(samples16.begin(), samples16.end());
    }
    return samples;
}

std::vector<u8> TempoMapBlock(const TBytes& bytes)
{
    COwnedMemoryMedia stream = MediaOf(bytes);
    COwnedMemoryMedia data(0);
    if (!FindKORBTempoMapBlock(stream, kKORBTempoMapTag, data))
        return {};
    return BytesOf(data);
}

std::vector<i32> Ramp(size_t count)
{
    std::vector<i32> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = i32(i % 200) * 97 - 9000;
    return samples;
}
} // namespace

// 8-bit sources are stored at 16 bits, 24-bit ones at 24: every sample comes back exactly.
TEST(AudioEncoderTests, SoxSamplesRoundTripBitForBit)
{
    struct Case
    {
        const char* fName;
        u8 fStoredBits;
    };
    const Case kCases[] = {
        {"aiff-8-1.aiff", 16},  {"aiff-8-2.aiff", 16},  {"aiff-16-1.aiff", 16}, {"aiff-16-2.aiff", 16},
        {"aiff-24-1.aiff", 24}, {"aiff-24-2.aiff", 24}, {"aifc-16-2.aifc", 16}, {"aifc-24-2.aifc", 24},
        {"wave-8-1.wav", 16},   {"wave-8-2.wav", 16},   {"wave-16-1.wav", 16},  {"wave-16-2.wav", 16},
        {"wave-24-1.wav", 24},  {"wave-24-2.wav", 24},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fName);
        TKORBHeader header;
        const std::vector<i32> decoded = Decode(Encode(ReadAudioFixture(c.fName), IsWAVE(c.fName)), header);
        EXPECT_EQ(header.fBitsPerSample, c.fStoredBits);
        EXPECT_EQ(header.fFrameCount, 4410u);
        EXPECT_EQ(header.fSampleRate, 44100u);
        EXPECT_EQ(header.fLoopMode, 0u);
        EXPECT_EQ(header.fLoopEnd, 4410u);
        EXPECT_EQ(header.fRootKey, 60);

        std::vector<i32> expected = ReadAudioFixtureFrames(c.fName);
        if (c.fStoredBits == 16)
            for (i32& sample : expected)
                sample >>= 8;
        EXPECT_EQ(decoded, expected);
    }
}

TEST(AudioEncoderTests, SourcesTheCodecCannotHoldAreRefused)
{
    struct Case
    {
        const char* fName;
        bool fFormatViolation; // else XUnsupportedFormat
    };
    const Case kCases[] = {
        {"aiff-16-4.aiff", true},
        {"wave-16-4.wav", true},
        {"wave-32-1.wav", false},
        {"aiff-32-2.aiff", false},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fName);
        COwnedMemoryMedia source = MediaOf(ReadAudioFixture(c.fName));
        COwnedMemoryMedia stream(0);
        auto encode = [&] { IsWAVE(c.fName) ? EncodeWAVEToKORB(source, stream) : EncodeAIFFToKORB(source, stream); };
        if (c.fFormatViolation)
            EXPECT_THROW(encode(), NSQuorral::XFormatViolation);
        else
            EXPECT_THROW(encode(), NSQuorral::XUnsupportedFormat);
        EXPECT_EQ(stream.GetSize(), 0) << "nothing is written before the header can be made";
    }

    TBytes truncated = ReadAudioFixture("wave-16-2.wav");
    truncated.resize(truncated.size() - 2);
    COwnedMemoryMedia source = MediaOf(truncated);
    COwnedMemoryMedia stream(0);
    EXPECT_THROW(EncodeWAVEToKORB(source, stream), NSQuorral::XFormatViolation);
}

TEST(AudioEncoderTests, ShortSamplesGiveTheKnownStreams)
{
    TWAVESpec spec;
    spec.fSamples = {0, 0, 0, 0};
    EXPECT_EQ(Encode(BuildWAVE(spec), true),
              Bytes({0xBC, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x3C, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0xAC, 0x44, 0x10, 0x82, 0x08, 0x20, 0x00, 0x00, 0x00,
                     0x00, 0x00}));

    // No frames: the header (loop end 0) and two zero words.
    spec.fSamples.clear();
    EXPECT_EQ(Encode(BuildWAVE(spec), true),
              Bytes({0xBC, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3C, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xAC, 0x44, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00}));
}

// The loop of the header and the tempo map of the trailer come from the source's chunks.
TEST(AudioEncoderTests, LoopsPitchAndTempoMapsReachTheStream)
{
    const std::vector<u8> tempo = BuildTempoMapData(7, {{0, 120000}, {100, 125000}, {200, 130000}, {300, 130000}});
    // Saved again, the point on the line from 0 to 200 is gone and everything else stays.
    const std::vector<u8> savedTempo = BuildTempoMapData(7, {{0, 120000}, {200, 130000}, {300, 130000}});
    const std::vector<u8> brokenTempo = BuildTempoMapData(7, {{0, 120000}, {0, 125000}, {0, 130000}});

    auto aiff = [&](TAIFFLoop sustain, TAIFFLoop release, std::vector<TApplicationChunk> applications) {
        TAIFFSpec spec;
        spec.fChannels = 2;
        spec.fSamples = Ramp(600);
        spec.fHasInstrument = true;
        spec.fInstrument = {64, -7, 0, 127, sustain, release};
        spec.fMarkers = {{1, 50}, {2, 250}};
        spec.fApplications = applications;
        return BuildAIFF(spec);
    };
    auto wave = [&](std::vector<TWAVELoop> loops, std::vector<u8> tempoMap) {
        TWAVESpec spec;
        spec.fSamples = Ramp(600);
        spec.fHasSampler = true;
        spec.fUnityNote = 48;
        spec.fLoops = loops;
        spec.fTempoMap = tempoMap;
        return BuildWAVE(spec);
    };
    struct Case
    {
        const char* fWhat;
        TBytes fFile;
        bool fWAVE;
        u32 fLoopMode;
        u32 fLoopStart;
        u32 fLoopEnd;
        u8 fRootKey;
        std::vector<u8> fTempoMap;
    };
    const Case kCases[] = {
        {"AIFF forward sustain loop, tempo map", aiff({1, 1, 2}, {}, {{"QMTp", tempo}}), false, 1, 50, 250, 64, savedTempo},
        {"AIFF loop both ways", aiff({2, 1, 2}, {}, {}), false, 2, 50, 250, 64, {}},
        {"AIFF release loop is not stored", aiff({}, {1, 1, 2}, {}), false, 0, 0, 300, 64, {}},
        {"AIFF tempo map under another signature", aiff({}, {}, {{"QMTq", tempo}}), false, 0, 0, 300, 64, {}},
        {"AIFF broken tempo map is dropped", aiff({}, {}, {{"QMTp", brokenTempo}}), false, 0, 0, 300, 64, {}},
        {"WAVE forward loop, tempo map", wave({{0, 100, 199}}, tempo), true, 1, 100, 200, 48, savedTempo},
        {"WAVE alternating loop", wave({{1, 100, 199}}, {}), true, 2, 100, 200, 48, {}},
        {"WAVE backward loop is not stored", wave({{2, 100, 199}}, {}), true, 0, 0, 600, 48, {}},
        {"WAVE cut tempo map is dropped", wave({}, std::vector<u8>(tempo.begin(), tempo.end() - 1)), true, 0, 0, 600, 48, {}},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fWhat);
        const TBytes stream = Encode(c.fFile, c.fWAVE);
        TKORBHeader header;
        const std::vector<i32> samples = Decode(stream, header);
        EXPECT_EQ(header.fLoopMode, c.fLoopMode);
        EXPECT_EQ(header.fLoopStart, c.fLoopStart);
        EXPECT_EQ(header.fLoopEnd, c.fLoopEnd);
        EXPECT_EQ(header.fRootKey, c.fRootKey);
        EXPECT_EQ(header.fFineTune, c.fWAVE ? 0 : u8(-7));
        EXPECT_EQ(samples, Ramp(600));
        EXPECT_EQ(TempoMapBlock(stream), c.fTempoMap);
    }
}

TEST(AudioEncoderTests, HeadersComeFromTheSampleInformation)
{
    TSampleInfo info;
    info.fFormat = {2, 24, 96000, 1000};
    info.fLoop.fLoopMode = kSampleLoopStored;
    info.fLoop.fLoopVariant = 1;
    info.fLoop.fLoopStart = 10;
    info.fLoop.fLoopEnd = 20;
    info.fLoop.fRootKey = 70;
    info.fLoop.fFineTune = -3;
    TKORBHeader header = MakeKORBHeader(info, 24);
    EXPECT_EQ(header.fLoopMode, 2u);
    EXPECT_EQ(header.fLoopEnd, 20u);
    EXPECT_EQ(header.fRootKey, 60) << "no pitch without the pitch flag";
    EXPECT_EQ(header.fFineTune, 0);
    EXPECT_EQ(header.fChannelCount, 2);
    EXPECT_EQ(header.fBitsPerSample, 24);
    EXPECT_FALSE(header.fIsVersion2);

    info.fLoop.fPitchValid = 1;
    info.fLoop.fLoopMode = kSampleLoopNotStored;
    header = MakeKORBHeader(info, 16);
    EXPECT_EQ(header.fRootKey, 70);
    EXPECT_EQ(header.fFineTune, u8(-3));
    EXPECT_EQ(header.fLoopMode, 0u);
    EXPECT_EQ(header.fLoopStart, 0u);
    EXPECT_EQ(header.fLoopEnd, 1000u);

    for (u16 channels : {0, 3, 4})
    {
        info.fFormat.fChannelCount = channels;
        EXPECT_THROW(MakeKORBHeader(info, 16), NSQuorral::XFormatViolation) << channels;
    }
}
