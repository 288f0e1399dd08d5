#include "packing/SampleProcessors.h"

#include "base/ExceptionClasses.h"
#include "media/codec/KORBTrailer.h"
#include "packing/PackedSampleDecoding.h"
#include "tests/packing/ProcessorTestSupport.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/AudioFileBuilder.h"
#include "tests/support/AudioFixtures.h"

namespace
{
using namespace NSPackingTests;
using NSTestSupport::ReadAudioFixture;
using NSTestSupport::ReadAudioFixtureFrames;

class SampleProcessors : public CProcessorTest
{
protected:
    // Packs the source file (named with its family's extension) through the family's packer.
    TBytes PackSample(const TBytes& file, bool isWAVE)
    {
        const CItemPtr item = SourceFile(isWAVE ? "sample.wav" : "sample.aif", file);
        CAIFFFileTypePacker aiff;
        CWAVEFileTypePacker wave;
        return Pack(isWAVE ? static_cast<IFileTypePacker&>(wave) : aiff, item, 100);
    }
};

// Every sample of the packed stream, run by run, widened to 32 bits; the runs are never longer
// than the decoder's run length.
std::vector<i32> DecodeRuns(const TBytes& packed, TKORBHeader& header)
{
    NSFerrant::COwnedMemoryMedia media = NSTestSupport::MediaOf(packed);
    NSVantlePacking::CKORBRunDecoder decoder(media);
    header = decoder.GetHeader();
    std::vector<i32> samples;
    for (u32 n; (n = decoder.DecodeNextRun()) > 0;)
    {
        EXPECT_LE(n, NSVantlePacking::kDecodedFramesPerRun);
        for (u32 i = 0; i < n * header.fChannelCount; ++i)
            samples.push_back(decoder.IsWide() ? decoder.GetSamples32()[i] : decoder.GetSamples16()[i]);
    }
    return samples;
}

TEST_F(SampleProcessors, PackSoxSamplesThatVerifyAndDecodeToTheSourceBitForBit)
{
    CAIFFFileVerifier aiffVerifier;
    CWAVEFileVerifier waveVerifier;
    CKORBPackedFileVerifier packedVerifier;
    for (const char* family : {"aiff", "aifc", "wave"})
        for (int bits : {8, 16, 24})
            for (int channels : {1, 2})
            {
                if (std::string(family) == "aifc" && bits == 8)
                    continue; // sox writes AIFF-C at 16 and 24 bits only here
                const bool isWAVE = std::string(family) == "wave";
                const std::string name = std::string(family) + "-" + std::to_string(bits) + "-" +
                                         std::to_string(channels) +
                                         (isWAVE             ? ".wav"
                                          : family[3] == 'c' ? ".aifc"
                                                             : ".aiff");
                SCOPED_TRACE(name);
                const TBytes file = ReadAudioFixture(name);
                Verify(isWAVE ? static_cast<IFileTypeVerifier&>(waveVerifier) : aiffVerifier, file);
                const TBytes packed = PackSample(file, isWAVE);
                EXPECT_NO_THROW(Verify(packedVerifier, packed));
                TKORBHeader header;
                const std::vector<i32> decoded = DecodeRuns(packed, header);
                EXPECT_EQ(header.fBitsPerSample, bits == 24 ? 24 : 16);
                EXPECT_EQ(header.fChannelCount, channels);
                std::vector<i32> expected = ReadAudioFixtureFrames(name);
                if (bits != 24)
                    for (i32& sample : expected)
                        sample >>= 8;
                EXPECT_EQ(decoded, expected);
            }
}

TEST_F(SampleProcessors, KeepLoopsAndTempoMapsAndRefuseADamagedTempoMapWhenPacked)
{
    // The sox signal at 16 bits, stereo, with a loop and a tempo chunk added.
    std::vector<i32> samples = ReadAudioFixtureFrames("wave-16-2.wav");
    for (i32& sample : samples)
        sample >>= 8;
    const std::vector<u8> tempo = NSTestSupport::BuildTempoMapData(7, {{0, 120000}, {300, 130000}});
    NSTestSupport::TAIFFSpec aiff;
    aiff.fChannels = 2;
    aiff.fSamples = samples;
    aiff.fHasInstrument = true;
    aiff.fInstrument.fSustain = {1, 1, 2};
    aiff.fMarkers = {{1, 100}, {2, 4000}};
    aiff.fApplications = {{"QMTp", tempo}};
    NSTestSupport::TWAVESpec wave;
    wave.fChannels = 2;
    wave.fSamples = samples;
    wave.fHasSampler = true;
    wave.fLoops = {{0, 100, 3999}};
    wave.fTempoMap = tempo;
    CKORBPackedFileVerifier packedVerifier;
    for (const auto& [file, isWAVE] :
         {std::pair(NSTestSupport::BuildAIFF(aiff), false), std::pair(NSTestSupport::BuildWAVE(wave), true)})
    {
        SCOPED_TRACE(isWAVE ? "WAVE" : "AIFF");
        TBytes packed = PackSample(file, isWAVE);
        TKORBHeader header;
        EXPECT_EQ(DecodeRuns(packed, header), samples);
        EXPECT_EQ(header.fLoopMode, 1u);
        EXPECT_EQ(header.fLoopStart, 100u);
        EXPECT_EQ(header.fLoopEnd, 4000u);
        NSFerrant::COwnedMemoryMedia stream = NSTestSupport::MediaOf(packed);
        NSFerrant::COwnedMemoryMedia tempoMap(0);
        ASSERT_TRUE(FindKORBTempoMapBlock(stream, kKORBTempoMapTag, tempoMap));
        EXPECT_NO_THROW(Verify(packedVerifier, packed));

        // The block's frame stays whole; its data no longer reads as a tempo map.
        const u32 length = NSByteOrder::ReadBE32(packed.data() + packed.size() - 8);
        packed[packed.size() - 12 - length] ^= 0xFF;
        EXPECT_ANY_THROW(Verify(packedVerifier, packed));
    }
}

TEST_F(SampleProcessors, WriteTheDestinationInLargePiecesOnly)
{
    // The stereo 24-bit sample codes to more than one buffer's worth once repeated.
    std::vector<i32> samples;
    const std::vector<i32> frames = ReadAudioFixtureFrames("wave-24-2.wav");
    for (int i = 0; i < 80; ++i)
        samples.insert(samples.end(), frames.begin(), frames.end());
    NSTestSupport::TWAVESpec wave;
    wave.fChannels = 2;
    wave.fContainerBits = 24;
    wave.fSamples = samples;
    const CItemPtr item = SourceFile("long.wav", NSTestSupport::BuildWAVE(wave));
    NSTestSupport::CPieceRecordingMedia destination(0);
    destination.fPosition = 10;
    CPackedRelocator relocator;
    CWAVEFileTypePacker().Pack(item, relocator, destination);
    const auto& writes = destination.fPieces->fWrites;
    ASSERT_GT(writes.size(), 1u);
    for (size_t i = 0; i + 1 < writes.size(); ++i)
        EXPECT_GE(writes[i].second, 64 * 1024);
    EXPECT_EQ(destination.fPosition, destination.GetSize());
    TKORBHeader header;
    const NSTestSupport::TBytes all = NSTestSupport::BytesOf(destination);
    EXPECT_EQ(DecodeRuns(NSTestSupport::TBytes(all.begin() + 10, all.end()), header), samples);
}

TEST_F(SampleProcessors, RefuseSourcesTheCodecCannotTakeBeforeAnythingIsPacked)
{
    CAIFFFileVerifier aiffVerifier;
    CWAVEFileVerifier waveVerifier;
    EXPECT_THROW(Verify(waveVerifier, ReadAudioFixture("wave-16-4.wav")), NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(aiffVerifier, ReadAudioFixture("aiff-16-4.aiff")), NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(waveVerifier, ReadAudioFixture("wave-32-1.wav")), NSQuorral::XUnsupportedFormat);
    EXPECT_ANY_THROW(Verify(waveVerifier, NSTestSupport::Text("RIFF")));
}

TEST_F(SampleProcessors, RefusePackedSamplesThatDoNotDecode)
{
    CKORBPackedFileVerifier packedVerifier;
    const TBytes packed = PackSample(ReadAudioFixture("wave-16-1.wav"), true);
    // Cut inside the code words: the words run out before the last frame.
    EXPECT_ANY_THROW(Verify(packedVerifier, TBytes(packed.begin(), packed.begin() + packed.size() / 2)));
    TBytes badVersion = packed;
    badVersion[1] = 9;
    EXPECT_ANY_THROW(Verify(packedVerifier, badVersion));
}
} // namespace
