// The adapters of the AIFF and WAVE codec libraries: the process-wide interfaces, the byte reader
// over a media, the sample information and the bridging of statuses and exceptions.
#include "media/codec/AudioCodecLibraries.h"
#include "media/codec/AudioFileInfo.h"
#include "media/codec/MediaByteReader.h"
#include "media/codec/OpenedAudioSource.h"

#include "base/Quorral.h"
#include "base/Media.h"
#include "media/soundfont/SampleFormat.h"
#include "tests/support/AudioFileBuilder.h"
#include "tests/support/AudioFixtures.h"
#include "tests/support/ByteMutation.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
// A media whose reads fail with the given action, to show what the byte reader answers.
template <class TFail>
class CFailingMedia : public COwnedMemoryMedia
{
public:
    explicit CFailingMedia(TFail fail) : COwnedMemoryMedia(100, std::vector<u8>(100).data()), fFail(fail) {}
    void Read(i64, i64, void*) const override { fFail(); }

private:
    TFail fFail;
};

template <class TFail>
u32 ReadStatus(TFail fail)
{
    CFailingMedia<TFail> media(fail);
    NSCorlissUtils::CCMediaByteReader reader(&media);
    u8 byte = 0;
    return reader.Read(0, 1, &byte);
}

TSampleInfo InfoOf(EAudioFileKind kind, const NSAudioCodec::TFormatInfo& format)
{
    TSampleInfo info;
    ConvertFormatInfo(format, kind, info);
    return info;
}

NSAudioCodec::TFormatInfo Format(u32 sampleFormat, u32 frames, u32 loopKind, i32 start, i32 end)
{
    NSAudioCodec::TFormatInfo format{};
    format.fChannelCount = 2;
    format.fSampleFormat = sampleFormat;
    format.fSampleRate = 48000;
    format.fFrameCount = frames;
    format.fLoopKind = loopKind;
    format.fLoopVariant = NSAudioCodec::kLoopVariantForward;
    format.fLoopStart = start;
    format.fLoopEnd = end;
    format.fRootKey = 60;
    format.fHighKey = 127;
    return format;
}
} // namespace

TEST(AudioAdapterTests, SoxFilesGiveTheirSampleInformation)
{
    struct Case
    {
        const char* fName;
        u16 fChannels;
        u32 fBits;
    };
    const Case kCases[] = {
        {"aiff-8-1.aiff", 1, 8},  {"aiff-16-2.aiff", 2, 16}, {"aiff-24-2.aiff", 2, 24}, {"aifc-16-2.aifc", 2, 16},
        {"aifc-24-1.aifc", 1, 24}, {"aiff-16-4.aiff", 4, 16}, {"wave-8-2.wav", 2, 8},    {"wave-16-1.wav", 1, 16},
        {"wave-24-2.wav", 2, 24}, {"wave-16-4.wav", 4, 16},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fName);
        COwnedMemoryMedia media = MediaOf(ReadAudioFixture(c.fName));
        TSampleInfo info;
        if (std::string(c.fName).ends_with(".wav"))
            NSUndineUtils::ReadWAVEInfo(media, info);
        else
            NSCorlissUtils::ReadAIFFInfo(media, info);
        EXPECT_EQ(info.fFormat.fChannelCount, c.fChannels);
        EXPECT_EQ(info.fFormat.fBitsPerSample, c.fBits);
        EXPECT_EQ(info.fFormat.fSampleRate, 44100u);
        EXPECT_EQ(info.fFormat.fFrameCount, 4410u);
        EXPECT_EQ(info.fLoop.fLoopMode, kSampleLoopNone);
        EXPECT_EQ(info.fLoop.fPitchValid, 0);
        EXPECT_EQ(info.fLoop.fRootKey, 60);
    }

    // 32-bit samples would lose their low bits in the codec's 24: refused, WAVE as AIFF.
    COwnedMemoryMedia aiff32 = MediaOf(ReadAudioFixture("aiff-32-2.aiff"));
    COwnedMemoryMedia wave32 = MediaOf(ReadAudioFixture("wave-32-2.wav"));
    TSampleInfo info;
    EXPECT_THROW(NSCorlissUtils::ReadAIFFInfo(aiff32, info), NSQuorral::XUnsupportedFormat);
    EXPECT_THROW(NSUndineUtils::ReadWAVEInfo(wave32, info), NSQuorral::XUnsupportedFormat);
}

TEST(AudioAdapterTests, FormatInfoBecomesSampleInfo)
{
    struct Case
    {
        const char* fWhat;
        EAudioFileKind fKind;
        NSAudioCodec::TFormatInfo fFormat;
        u32 fBits;
        u32 fLoopMode;
        u32 fLoopStart;
        u32 fLoopEnd;
    };
    const u32 sustain = NSAudioCodec::kLoopKindSustain;
    const Case kCases[] = {
        {"AIFF little-endian 16", EAudioFileKind::kAIFF, Format(44447780, 100, sustain, 10, 20), 16, kSampleLoopStored, 10, 20},
        {"22 bits", EAudioFileKind::kWAVE, Format(22, 100, sustain, 10, 20), 22, kSampleLoopStored, 10, 20},
        {"other loop kind", EAudioFileKind::kAIFF, Format(16, 100, NSAudioCodec::kLoopKindOther, 10, 20), 16,
         kSampleLoopNotStored, 10, 20},
        {"no loop keeps its clamped range", EAudioFileKind::kAIFF, Format(16, 100, 42, -5, 500), 16, kSampleLoopNone, 0, 100},
        {"unknown kind", EAudioFileKind::kAIFF, Format(16, 100, 7, 10, 20), 16, kSampleLoopNone, 10, 20},
        {"end beyond the frames", EAudioFileKind::kWAVE, Format(8, 100, sustain, 10, 200), 8, kSampleLoopStored, 10, 100},
        {"start equals end", EAudioFileKind::kWAVE, Format(16, 100, sustain, 30, 30), 16, kSampleLoopNone, 0, 0},
        {"start beyond the frames", EAudioFileKind::kWAVE, Format(16, 100, sustain, 150, 200), 16, kSampleLoopNone, 0, 0},
        {"negative start", EAudioFileKind::kAIFF, Format(24, 100, sustain, -10, 50), 24, kSampleLoopStored, 0, 50},
        // Above 2^31 frames, signed comparisons would make the frame count negative.
        {"huge frame count", EAudioFileKind::kAIFF, Format(16, 0xF0000000, sustain, 10, 0x7FFFFFFF), 16,
         kSampleLoopStored, 10, 0x7FFFFFFF},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fWhat);
        const TSampleInfo info = InfoOf(c.fKind, c.fFormat);
        EXPECT_EQ(info.fFormat.fBitsPerSample, c.fBits);
        EXPECT_EQ(info.fLoop.fLoopMode, c.fLoopMode);
        EXPECT_EQ(info.fLoop.fLoopStart, c.fLoopStart);
        EXPECT_EQ(info.fLoop.fLoopEnd, c.fLoopEnd);
        EXPECT_EQ(info.fFormat.fSampleRate, 48000u);
        EXPECT_EQ(info.fFormat.fChannelCount, 2);
    }

    for (u32 refused : {0u, 12u, 32u, 44447780u})
        EXPECT_THROW(InfoOf(refused == 44447780 ? EAudioFileKind::kWAVE : EAudioFileKind::kAIFF,
                            Format(refused, 10, 42, 0, 0)),
                     NSQuorral::XUnsupportedFormat)
            << refused;

    NSAudioCodec::TFormatInfo pitched = Format(16, 10, sustain, 0, 10);
    pitched.fLoopVariant = NSAudioCodec::kLoopVariantForwardBackward;
    pitched.fHasPitch = 5;
    pitched.fRootKey = 0x148; // the low byte counts
    pitched.fFineTune = 0xFFFFFFF6;
    pitched.fLowKey = 12;
    pitched.fHighKey = 96;
    const TSampleInfo info = InfoOf(EAudioFileKind::kAIFF, pitched);
    EXPECT_EQ(info.fLoop.fLoopVariant, 1u);
    EXPECT_EQ(info.fLoop.fPitchValid, 1);
    EXPECT_EQ(info.fLoop.fSecondFlag, 1);
    EXPECT_EQ(info.fLoop.fRootKey, 0x48);
    EXPECT_EQ(info.fLoop.fFineTune, -10);
    EXPECT_EQ(info.fLoop.fLowKey, 12);
    EXPECT_EQ(info.fLoop.fHighKey, 96);
}

TEST(AudioAdapterTests, ByteReaderAnswersStatuses)
{
    COwnedMemoryMedia media = MediaOf(Bytes({1, 2, 3, 4}));
    NSCorlissUtils::CCMediaByteReader reader(&media);
    u8 bytes[4] = {};
    EXPECT_EQ(reader.Read(1, 3, bytes), kCorlissOK);
    EXPECT_EQ(bytes[2], 4);
    EXPECT_EQ(media.fPosition, 4);
    EXPECT_EQ(reader.Read(-1, 1, bytes), NSAudioCodec::kAudioCodecInvalidArgument);
    EXPECT_EQ(reader.Read(0, -1, bytes), NSAudioCodec::kAudioCodecInvalidArgument);
    EXPECT_EQ(reader.Read(0, 1, nullptr), NSAudioCodec::kAudioCodecInvalidArgument);
    // A memory media read past its end is a read failure.
    EXPECT_EQ(reader.Read(2, 4, bytes), NSAudioCodec::kAudioCodecReadFailure);

    NSUndineUtils::CCMediaByteReader noMedia(nullptr);
    EXPECT_EQ(noMedia.Read(0, 1, bytes), 994u);

    // A zero-byte request never touches the media.
    auto never = [] { ADD_FAILURE() << "the media was read"; };
    CFailingMedia<decltype(never)> untouched(never);
    NSCorlissUtils::CCMediaByteReader zero(&untouched);
    EXPECT_EQ(zero.Read(5, 0, bytes), kCorlissOK);

    // A file read past its end is, to the library, a file cut short: a format violation.
    EXPECT_EQ(ReadStatus(
                  []
                  {
                      NSQuorral::ThrowException(
                          (NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << std::range_error(""))
                              .SetTargetObjectType(NSQuorral::GetFileHandleObjectType()));
                  }),
              NSAudioCodec::kAudioCodecFormatViolation);
    // Any other range error has no row: its failure code travels in the status.
    const u32 rangeError = ReadStatus([] { throw std::range_error("no file"); });
    EXPECT_GE(rangeError, 100000u);
    EXPECT_THROW(ThrowIfCorlissFailure(rangeError), std::range_error);
    EXPECT_EQ(ReadStatus([] { throw std::bad_alloc(); }), NSAudioCodec::kAudioCodecOutOfMemory);
    EXPECT_EQ(ReadStatus([] { throw 5; }), NSAudioCodec::kAudioCodecRuntimeError);
}

// Every status of the table throws its row's exception and comes back as itself; a failure code
// tunnelled through a status comes back as its own exception.
TEST(AudioAdapterTests, StatusesAndExceptionsRoundTrip)
{
    EXPECT_NO_THROW(ThrowIfCorlissFailure(NSAudioCodec::kAudioCodecOK));
    for (u32 status = NSAudioCodec::kAudioCodecOutOfMemory; status <= NSAudioCodec::kAudioCodecRuntimeError;
         ++status)
    {
        u32 answered = 0;
        try
        {
            ThrowIfUndineFailure(status);
        }
        catch (...)
        {
            answered = UndineStatusFromCurrentException();
        }
        EXPECT_EQ(answered, status);
    }
    EXPECT_THROW(ThrowIfCorlissFailure(NSAudioCodec::kAudioCodecFormatViolation),
                 NSQuorral::XFormatViolation);
    EXPECT_THROW(ThrowIfCorlissFailure(NSAudioCodec::kAudioCodecUnsupported), NSQuorral::XUnsupportedFormat);
    try
    {
        ThrowIfCorlissFailure(NSAudioCodec::kAudioCodecDiskFull);
        ADD_FAILURE() << "nothing thrown";
    }
    catch (const NSQuorral::XOutOfSpace& e)
    {
        EXPECT_TRUE(NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(e), NSQuorral::GetDiskObjectType()));
    }

    u32 tunnelled = 0;
    try
    {
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << NSQuorral::XSilentAbort(""));
    }
    catch (...)
    {
        tunnelled = CorlissStatusFromCurrentException();
    }
    EXPECT_GE(tunnelled, 100000u);
    EXPECT_THROW(ThrowIfUndineFailure(tunnelled), NSQuorral::XSilentAbort);
}

TEST(AudioAdapterTests, LibrariesAreProcessWideUntilReleased)
{
    ICorliss& corliss = GetCorliss();
    EXPECT_EQ(&GetCorliss(), &corliss);
    IUndine& undine = GetUndine();
    EXPECT_EQ(&GetUndine(), &undine);
    ReleaseCorliss();
    ReleaseUndine();
    ReleaseUndine(); // nothing left to release

    // Usable again after a release: the next use makes a new interface.
    COwnedMemoryMedia media = MediaOf(ReadAudioFixture("wave-16-1.wav"));
    TSampleInfo info;
    NSUndineUtils::ReadWAVEInfo(media, info);
    EXPECT_EQ(info.fFormat.fFrameCount, 4410u);
}

TEST(AudioAdapterTests, BrokenFilesThrowThroughTheTable)
{
    std::vector<u8> truncated = ReadAudioFixture("aiff-16-2.aiff");
    truncated.resize(truncated.size() / 2);
    COwnedMemoryMedia media = MediaOf(truncated);
    TSampleInfo info;
    EXPECT_THROW(NSCorlissUtils::ReadAIFFInfo(media, info), NSQuorral::XFormatViolation);

    TWAVESpec floats;
    floats.fFormatTag = 3;
    floats.fContainerBits = 32;
    COwnedMemoryMedia floatMedia = MediaOf(BuildWAVE(floats));
    EXPECT_THROW(NSUndineUtils::ReadWAVEInfo(floatMedia, info), NSQuorral::XUnsupportedFormat);

    // A WAVE file given to the AIFF library.
    COwnedMemoryMedia wave = MediaOf(ReadAudioFixture("wave-16-1.wav"));
    EXPECT_THROW(NSCorlissUtils::ReadAIFFInfo(wave, info), NSQuorral::XFormatViolation);
}

// Opens a damaged file through a codec library and reads its first and last frames, which a
// frame count the data does not hold must refuse.
template <class TLibrary>
void ReadFirstAndLastFrames(CMedia& source)
{
    COpenedAudioSource<TLibrary> opened(source);
    const NSAudioCodec::TFormatInfo& format = opened.GetFormat();
    const u32 frames = std::min(format.fFrameCount, NSAudioCodec::kMaxFramesPerRead);
    if (frames == 0)
        return;
    std::vector<float> buffer(size_t(frames) * format.fChannelCount);
    opened.ReadFrames(0, buffer.data(), frames);
    opened.ReadFrames(format.fFrameCount - frames, buffer.data(), frames);
}

// Damaged AIFF, AIFF-C and WAVE files: each is read, or refused through the status table as a
// format violation or an unsupported format. The libraries check every range against the file
// before they read it, so no read reaches past the end of the media; never a crash, a hang, or
// an allocation sized by the file.
TEST(AudioAdapterTests, DamagedFilesAreReadOrRefused)
{
    TAIFFSpec aiff;
    aiff.fChannels = 2;
    aiff.fSamples = {1, -2, 300, -400, 5000, -6000, 7, 8};
    aiff.fHasInstrument = true;
    aiff.fInstrument.fSustain = {1, 1, 2};
    aiff.fMarkers = {{1, 1}, {2, 3}};
    aiff.fApplications = {{"QMTp", BuildTempoMapData(3, {{0, 120000}})}};
    TAIFFSpec aifc;
    aifc.fCompression = "NONE";
    aifc.fBits = 24;
    aifc.fSamples = {0x123400, -256, 0x7FFF00, 0};
    TAIFFSpec sowt = aiff;
    sowt.fCompression = "sowt";
    TWAVESpec wave;
    wave.fChannels = 2;
    wave.fSamples = {1, -2, 300, -400, 5000, -6000};
    wave.fHasSampler = true;
    wave.fLoops = {{0, 0, 2}};
    wave.fTempoMap = BuildTempoMapData(3, {{0, 120000}});
    TWAVESpec extensible;
    extensible.fContainerBits = 24;
    extensible.fValidBits = 20;
    extensible.fSamples = {0x12345 << 4, -16, 0, 16};

    using TRead = std::function<void(CMedia&)>;
    const TRead readAIFF = [](CMedia& media) {
        TSampleInfo info;
        NSCorlissUtils::ReadAIFFInfo(media, info);
        ReadFirstAndLastFrames<TCorlissLibrary>(media);
    };
    const TRead readWAVE = [](CMedia& media) {
        TSampleInfo info;
        NSUndineUtils::ReadWAVEInfo(media, info);
        ReadFirstAndLastFrames<TUndineLibrary>(media);
    };
    struct Case
    {
        const char* fWhat;
        TBytes fFile;
        EFieldOrder fOrder;
        TRead fRead;
    };
    const Case kCases[] = {
        {"AIFF", BuildAIFF(aiff), EFieldOrder::kBigEndian, readAIFF},
        {"AIFF-C", BuildAIFF(aifc), EFieldOrder::kBigEndian, readAIFF},
        {"AIFF-C sowt", BuildAIFF(sowt), EFieldOrder::kBigEndian, readAIFF},
        {"WAVE", BuildWAVE(wave), EFieldOrder::kLittleEndian, readWAVE},
        {"WAVE extensible", BuildWAVE(extensible), EFieldOrder::kLittleEndian, readWAVE},
    };
    u32 seed = 1;
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fWhat);
        COwnedMemoryMedia valid = MediaOf(c.fFile);
        ASSERT_TRUE(ReadsOrRefuses<>([&] { c.fRead(valid); }));
        CByteMutator mutator(seed++, c.fOrder, ChunkSizeFields(c.fFile, c.fOrder));
        int read = 0;
        for (int round = 0; round < 120; ++round)
        {
            SCOPED_TRACE(round);
            COwnedMemoryMedia media = MediaOf(mutator.Mutate(c.fFile));
            read += ReadsOrRefuses<NSQuorral::XFormatViolation, NSQuorral::XUnsupportedFormat>([&] { c.fRead(media); });
        }
        EXPECT_GT(read, 0);
        EXPECT_LT(read, 120);
    }
}
