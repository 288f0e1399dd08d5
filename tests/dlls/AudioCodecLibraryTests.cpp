// Our AIFF (Corliss) and WAVE (Undine) codec libraries, called as the program calls them: through
// their exports, with a byte reader of the test's own over a file's bytes.
#include "dlls/corliss/Corliss.h"
#include "dlls/undine/Undine.h"

#include "base/FailureCodes.h"
#include "tests/support/AudioFileBuilder.h"
#include "tests/support/AudioFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace NSAudioCodec;
using namespace NSTestSupport;

namespace
{
// Reads from a byte vector; a read outside it answers kAudioCodecFormatViolation, as the program's reader
// does for a read past the end of a file. fStatus, when set, is answered to every read instead.
class CBytesReader : public IByteReader
{
public:
    explicit CBytesReader(std::vector<u8> bytes) : fBytes(std::move(bytes)) {}
    u32 Read(i64 position, i64 count, void* destination) override
    {
        if (fStatus != kAudioCodecOK)
            return fStatus;
        if (position < 0 || count < 0 || position + count > i64(fBytes.size()))
            return kAudioCodecFormatViolation;
        std::memcpy(destination, fBytes.data() + position, size_t(count));
        return kAudioCodecOK;
    }

    std::vector<u8> fBytes;
    u32 fStatus = kAudioCodecOK;
};

enum class EFamily
{
    kAIFF,
    kWAVE
};

// One library call: its status, format and tempo-map location (the AIFF one's signature is 0 for
// WAVE), and the sample reader, released at the end.
struct TOpened
{
    u32 fStatus = 0;
    TFormatInfo fFormat{};
    u32 fTempoSignature = 0;
    i64 fTempoPosition = 0;
    u32 fTempoSize = 0;
    ISampleReader* fReader = nullptr;

    TOpened() = default;
    TOpened(const TOpened&) = delete;
    ~TOpened()
    {
        if (fReader)
            fReader->Release();
    }
};

void Open(EFamily family, CBytesReader& reader, TOpened& opened)
{
    opened.fStatus = kAudioCodecOK;
    const i64 size = i64(reader.fBytes.size());
    if (family == EFamily::kAIFF)
    {
        ICorliss* library = Corliss_Create("ICorliss", &opened.fStatus);
        ASSERT_NE(library, nullptr);
        NSCorliss::TChunkLocation location{};
        opened.fReader = library->OpenSampleReader(&reader, size, &opened.fFormat, &location, &opened.fStatus);
        opened.fTempoSignature = location.fSignature;
        opened.fTempoPosition = location.fPosition;
        opened.fTempoSize = location.fSize;
        library->SetDebugger(nullptr);
        library->Release();
    }
    else
    {
        IUndine* library = Undine_Create("IUndine", &opened.fStatus);
        ASSERT_NE(library, nullptr);
        NSUndine::TChunkLocation location{};
        opened.fReader = library->OpenSampleReader(&reader, size, &opened.fFormat, &location, &opened.fStatus);
        opened.fTempoPosition = location.fPosition;
        opened.fTempoSize = location.fSize;
        library->Release();
    }
    EXPECT_EQ(opened.fReader != nullptr, opened.fStatus == kAudioCodecOK);
}

// Every frame, in runs of the most one call delivers.
std::vector<float> ReadAllFrames(const TOpened& opened)
{
    std::vector<float> frames(size_t(opened.fFormat.fFrameCount) * opened.fFormat.fChannelCount);
    for (u32 done = 0; done < opened.fFormat.fFrameCount;)
    {
        const u32 n = std::min(kMaxFramesPerRead, opened.fFormat.fFrameCount - done);
        EXPECT_EQ(opened.fReader->ReadFrames(done, frames.data() + size_t(done) * opened.fFormat.fChannelCount, n),
                  kAudioCodecOK);
        done += n;
    }
    return frames;
}

std::vector<i32> Ramp(size_t count, i32 first, i32 step)
{
    std::vector<i32> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = first + i32(i) * step;
    return samples;
}
} // namespace

TEST(AudioCodecLibraryTests, SoxFilesGiveTheirFormatAndFrames)
{
    struct Case
    {
        const char* fName;
        EFamily fFamily;
        u16 fChannels;
        u32 fSampleFormat;
    };
    const Case kCases[] = {
        {"aiff-8-1.aiff", EFamily::kAIFF, 1, 8},     {"aiff-8-2.aiff", EFamily::kAIFF, 2, 8},
        {"aiff-16-1.aiff", EFamily::kAIFF, 1, 16},   {"aiff-16-2.aiff", EFamily::kAIFF, 2, 16},
        {"aiff-24-1.aiff", EFamily::kAIFF, 1, 24},   {"aiff-24-2.aiff", EFamily::kAIFF, 2, 24},
        {"aiff-32-2.aiff", EFamily::kAIFF, 2, 32},   {"aifc-16-1.aifc", EFamily::kAIFF, 1, 16},
        {"aifc-16-2.aifc", EFamily::kAIFF, 2, 16},   {"aifc-24-2.aifc", EFamily::kAIFF, 2, 24},
        {"aiff-16-4.aiff", EFamily::kAIFF, 4, 16},   {"wave-8-1.wav", EFamily::kWAVE, 1, 8},
        {"wave-8-2.wav", EFamily::kWAVE, 2, 8},      {"wave-16-1.wav", EFamily::kWAVE, 1, 16},
        {"wave-16-2.wav", EFamily::kWAVE, 2, 16},    {"wave-24-1.wav", EFamily::kWAVE, 1, 24},
        {"wave-24-2.wav", EFamily::kWAVE, 2, 24},    {"wave-32-1.wav", EFamily::kWAVE, 1, 32},
        {"wave-32-2.wav", EFamily::kWAVE, 2, 32},    {"wave-16-4.wav", EFamily::kWAVE, 4, 16},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fName);
        CBytesReader reader(ReadAudioFixture(c.fName));
        TOpened opened;
        Open(c.fFamily, reader, opened);
        ASSERT_EQ(opened.fStatus, kAudioCodecOK);
        EXPECT_EQ(opened.fFormat.fChannelCount, c.fChannels);
        EXPECT_EQ(opened.fFormat.fSampleFormat, c.fSampleFormat);
        EXPECT_EQ(opened.fFormat.fSampleRate, 44100u);
        EXPECT_EQ(opened.fFormat.fFrameCount, 4410u);
        EXPECT_EQ(opened.fFormat.fLoopKind, kLoopKindNone);
        EXPECT_EQ(opened.fFormat.fHasPitch, 0u);
        EXPECT_EQ(opened.fFormat.fRootKey, 60u);
        EXPECT_EQ(opened.fFormat.fHighKey, 127u);
        EXPECT_EQ(opened.fTempoSize, 0u);

        const std::vector<float> frames = ReadAllFrames(opened);
        const std::vector<i32> expected = ReadAudioFixtureFrames(c.fName);
        ASSERT_EQ(frames.size(), expected.size());
        // 32-bit samples lose their low 8 bits on the 24-bit scale; the others are exact.
        const float tolerance = c.fSampleFormat == 32 ? 1.0f : 0.0f;
        for (size_t i = 0; i < frames.size(); ++i)
            ASSERT_NEAR(frames[i], float(expected[i]), tolerance) << "sample " << i;
    }
}

TEST(AudioCodecLibraryTests, BuiltFilesGiveTheDepthsAndByteOrdersSoxDoesNotWrite)
{
    struct Case
    {
        const char* fWhat;
        EFamily fFamily;
        std::vector<u8> fFile;
        u32 fSampleFormat;
        std::vector<float> fFrames;
    };
    TAIFFSpec aiff20;
    aiff20.fBits = 20;
    aiff20.fSamples = {0x12345 << 4, -(1 << 23)}; // left-justified in 3 bytes
    TAIFFSpec aiff22 = aiff20;
    aiff22.fBits = 22;
    TAIFFSpec sowt;
    sowt.fCompression = "sowt";
    sowt.fChannels = 2;
    sowt.fSamples = {0x1234, -2, 32767, -32768};
    TAIFFSpec twos = sowt;
    twos.fCompression = "twos";
    TWAVESpec wave20;
    wave20.fContainerBits = 24;
    wave20.fValidBits = 20;
    wave20.fSamples = {0x12345 << 4, -16};
    const Case kCases[] = {
        {"AIFF 20 bits", EFamily::kAIFF, BuildAIFF(aiff20), 20, {float(0x123450), -8388608.0f}},
        {"AIFF 22 bits", EFamily::kAIFF, BuildAIFF(aiff22), 22, {float(0x123450), -8388608.0f}},
        {"AIFF-C sowt", EFamily::kAIFF, BuildAIFF(sowt), kSampleFormatLittleEndian16,
         {float(0x123400), -512.0f, 32767 * 256.0f, -32768 * 256.0f}},
        {"AIFF-C twos", EFamily::kAIFF, BuildAIFF(twos), 16,
         {float(0x123400), -512.0f, 32767 * 256.0f, -32768 * 256.0f}},
        {"WAVE extensible 20 in 24", EFamily::kWAVE, BuildWAVE(wave20), 20, {float(0x123450), -16.0f}},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fWhat);
        CBytesReader reader(c.fFile);
        TOpened opened;
        Open(c.fFamily, reader, opened);
        ASSERT_EQ(opened.fStatus, kAudioCodecOK);
        EXPECT_EQ(opened.fFormat.fSampleFormat, c.fSampleFormat);
        EXPECT_EQ(ReadAllFrames(opened), c.fFrames);
    }
}

// Decisions of the libraries: a sustain loop played forward (variant 99) or forward and backward
// (100) is kind 44; an AIFF release loop and a WAVE loop played backward are kind 43. Loop ends
// are exclusive: an AIFF end marker lies between frames, a WAVE loop end names its last frame.
TEST(AudioCodecLibraryTests, LoopsAndPitchReachTheFormat)
{
    struct Case
    {
        const char* fWhat;
        EFamily fFamily;
        std::vector<u8> fFile;
        u32 fKind;
        u32 fVariant;
        i32 fStart;
        i32 fEnd;
    };
    auto aiff = [](TAIFFLoop sustain, TAIFFLoop release) {
        TAIFFSpec spec;
        spec.fSamples = Ramp(100, 0, 1);
        spec.fHasInstrument = true;
        spec.fInstrument.fSustain = sustain;
        spec.fInstrument.fRelease = release;
        spec.fMarkers = {{1, 10}, {2, 90}, {3, 20}, {4, 40}, {5, 0x80000005}};
        return BuildAIFF(spec);
    };
    auto wave = [](std::vector<TWAVELoop> loops) {
        TWAVESpec spec;
        spec.fSamples = Ramp(100, 0, 1);
        spec.fHasSampler = true;
        spec.fLoops = loops;
        return BuildWAVE(spec);
    };
    const Case kCases[] = {
        {"AIFF sustain forward", EFamily::kAIFF, aiff({1, 1, 2}, {}), kLoopKindSustain, kLoopVariantForward, 10, 90},
        {"AIFF sustain both ways", EFamily::kAIFF, aiff({2, 1, 2}, {1, 3, 4}), kLoopKindSustain,
         kLoopVariantForwardBackward, 10, 90},
        {"AIFF release only", EFamily::kAIFF, aiff({0, 1, 2}, {1, 3, 4}), kLoopKindOther, kLoopVariantForward, 20, 40},
        {"AIFF sustain with a missing marker", EFamily::kAIFF, aiff({1, 1, 9}, {}), kLoopKindNone,
         kLoopVariantForward, 0, 0},
        // A marker position past 2^31 - 1 is cut there rather than wrapped to a negative frame.
        {"AIFF marker beyond the signed range", EFamily::kAIFF, aiff({1, 5, 2}, {}), kLoopKindSustain,
         kLoopVariantForward, 0x7FFFFFFF, 90},
        {"AIFF no loop", EFamily::kAIFF, aiff({}, {}), kLoopKindNone, kLoopVariantForward, 0, 0},
        {"WAVE forward", EFamily::kWAVE, wave({{0, 10, 89}}), kLoopKindSustain, kLoopVariantForward, 10, 90},
        {"WAVE alternating", EFamily::kWAVE, wave({{1, 5, 5}, {0, 1, 2}}), kLoopKindSustain,
         kLoopVariantForwardBackward, 5, 6},
        {"WAVE backward", EFamily::kWAVE, wave({{2, 0, 99}}), kLoopKindOther, kLoopVariantForward, 0, 100},
        {"WAVE sampler without loops", EFamily::kWAVE, wave({}), kLoopKindNone, kLoopVariantForward, 0, 0},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fWhat);
        CBytesReader reader(c.fFile);
        TOpened opened;
        Open(c.fFamily, reader, opened);
        ASSERT_EQ(opened.fStatus, kAudioCodecOK);
        EXPECT_EQ(opened.fFormat.fLoopKind, c.fKind);
        EXPECT_EQ(opened.fFormat.fLoopVariant, c.fVariant);
        EXPECT_EQ(opened.fFormat.fLoopStart, c.fStart);
        EXPECT_EQ(opened.fFormat.fLoopEnd, c.fEnd);
        EXPECT_EQ(opened.fFormat.fHasPitch, 1u);
    }

    TAIFFSpec instrument;
    instrument.fHasInstrument = true;
    instrument.fInstrument = {72, -12, 60, 84, {}, {}};
    CBytesReader aiffReader(BuildAIFF(instrument));
    TOpened aiffOpened;
    Open(EFamily::kAIFF, aiffReader, aiffOpened);
    EXPECT_EQ(aiffOpened.fFormat.fRootKey, 72u);
    EXPECT_EQ(i8(aiffOpened.fFormat.fFineTune), -12);
    EXPECT_EQ(aiffOpened.fFormat.fLowKey, 60u);
    EXPECT_EQ(aiffOpened.fFormat.fHighKey, 84u);

    TWAVESpec sampler;
    sampler.fHasSampler = true;
    sampler.fUnityNote = 57;
    sampler.fPitchFraction = 0x80000000; // half a semitone
    CBytesReader waveReader(BuildWAVE(sampler));
    TOpened waveOpened;
    Open(EFamily::kWAVE, waveReader, waveOpened);
    EXPECT_EQ(waveOpened.fFormat.fRootKey, 57u);
    EXPECT_EQ(waveOpened.fFormat.fFineTune, 50u);
}

// The tempo map's chunk: in AIFF an application chunk of signature "QMTp" (preferred over others,
// which are reported when alone), its data after the signature; in WAVE a "QMTp" chunk.
TEST(AudioCodecLibraryTests, TempoMapChunksAreLocated)
{
    const std::vector<u8> tempo = BuildTempoMapData(3, {{0, 120000}});
    TAIFFSpec aiff;
    aiff.fSamples = Ramp(10, 0, 100);
    aiff.fApplications = {{"othr", {1, 2, 3}}, {"QMTp", tempo}};
    CBytesReader reader(BuildAIFF(aiff));
    TOpened opened;
    Open(EFamily::kAIFF, reader, opened);
    ASSERT_EQ(opened.fStatus, kAudioCodecOK);
    EXPECT_EQ(opened.fTempoSignature, 0x514D5470u);
    ASSERT_EQ(opened.fTempoSize, tempo.size());
    EXPECT_EQ(std::vector<u8>(reader.fBytes.begin() + opened.fTempoPosition,
                              reader.fBytes.begin() + opened.fTempoPosition + opened.fTempoSize),
              tempo);

    aiff.fApplications = {{"othr", {1, 2, 3}}};
    CBytesReader otherReader(BuildAIFF(aiff));
    TOpened other;
    Open(EFamily::kAIFF, otherReader, other);
    EXPECT_EQ(other.fTempoSignature, 0x6F746872u);
    EXPECT_EQ(other.fTempoSize, 3u);

    TWAVESpec wave;
    wave.fSamples = Ramp(10, 0, 100);
    wave.fTempoMap = tempo;
    CBytesReader waveReader(BuildWAVE(wave));
    TOpened waveOpened;
    Open(EFamily::kWAVE, waveReader, waveOpened);
    ASSERT_EQ(waveOpened.fTempoSize, tempo.size());
    EXPECT_EQ(std::vector<u8>(waveReader.fBytes.begin() + waveOpened.fTempoPosition,
                              waveReader.fBytes.begin() + waveOpened.fTempoPosition + waveOpened.fTempoSize),
              tempo);
}

TEST(AudioCodecLibraryTests, BrokenFilesFailWithTheirStatus)
{
    const std::vector<u8> aiff = ReadAudioFixture("aiff-16-2.aiff");
    const std::vector<u8> wave = ReadAudioFixture("wave-16-2.wav");
    auto cut = [](std::vector<u8> bytes, size_t size) {
        bytes.resize(size);
        return bytes;
    };
    auto patched = [](std::vector<u8> bytes, size_t offset, const std::string& text) {
        std::memcpy(bytes.data() + offset, text.data(), text.size());
        return bytes;
    };
    auto offsetOf = [](const std::vector<u8>& bytes, const std::string& text) {
        return size_t(std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) - bytes.begin());
    };
    TAIFFSpec compressed;
    compressed.fCompression = "ima4";
    TAIFFSpec noChannels;
    noChannels.fChannels = 0;
    TWAVESpec floats;
    floats.fFormatTag = 3;
    floats.fContainerBits = 32;
    floats.fSamples = {0};
    struct Case
    {
        const char* fWhat;
        EFamily fFamily;
        std::vector<u8> fFile;
        u32 fStatus;
    };
    const Case kCases[] = {
        {"AIFF cut in its frames", EFamily::kAIFF, cut(aiff, aiff.size() - 100), kAudioCodecFormatViolation},
        {"AIFF cut in its header", EFamily::kAIFF, cut(aiff, 10), kAudioCodecFormatViolation},
        {"AIFF empty", EFamily::kAIFF, {}, kAudioCodecFormatViolation},
        {"AIFF of another form", EFamily::kAIFF, patched(aiff, 8, "8SVX"), kAudioCodecFormatViolation},
        {"AIFF without COMM", EFamily::kAIFF, patched(aiff, offsetOf(aiff, "COMM"), "XXXX"),
         kAudioCodecFormatViolation},
        {"AIFF-C compressed", EFamily::kAIFF, BuildAIFF(compressed), kAudioCodecUnsupported},
        {"AIFF without channels", EFamily::kAIFF, BuildAIFF(noChannels), kAudioCodecFormatViolation},
        {"WAVE cut in its frames", EFamily::kWAVE, cut(wave, wave.size() - 1), kAudioCodecFormatViolation},
        {"WAVE cut in its header", EFamily::kWAVE, cut(wave, 30), kAudioCodecFormatViolation},
        {"not a WAVE", EFamily::kWAVE, patched(wave, 0, "RIFX"), kAudioCodecFormatViolation},
        {"WAVE of floats", EFamily::kWAVE, BuildWAVE(floats), kAudioCodecUnsupported},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fWhat);
        CBytesReader reader(c.fFile);
        TOpened opened;
        Open(c.fFamily, reader, opened);
        EXPECT_EQ(opened.fStatus, c.fStatus);
        EXPECT_EQ(opened.fReader, nullptr);
    }
}

// A status of the caller's byte reader comes back from the library as itself, a failure code
// tunnelled through the status included.
TEST(AudioCodecLibraryTests, ByteReaderStatusesPassThrough)
{
    // A failure code of no object type: (kind << 24) | 0xBA.
    const u32 tunnelled = 100000 + ((u32(NSQuorral::kFailureCode_RuntimeError_SilentAbort) << 24) | 0xBA);
    // One whose object type is row 3 of the program's own table (group 2), which the library
    // does not know: it must come back unchanged all the same.
    const u32 applicationType =
        100000 + ((u32(NSQuorral::kFailureCode_RuntimeError_NotFound) << 24) | (2 << 16) | (3 << 8) | 0xBA);
    for (u32 status : {kAudioCodecReadFailure, kAudioCodecDiskFull, tunnelled, applicationType})
    {
        for (EFamily family : {EFamily::kAIFF, EFamily::kWAVE})
        {
            CBytesReader reader(ReadAudioFixture(family == EFamily::kAIFF ? "aiff-16-1.aiff" : "wave-16-1.wav"));
            TOpened opened;
            reader.fStatus = status;
            Open(family, reader, opened);
            EXPECT_EQ(opened.fStatus, status);

            // And from a sample reader that was opened before the reader failed.
            reader.fStatus = kAudioCodecOK;
            TOpened good;
            Open(family, reader, good);
            ASSERT_EQ(good.fStatus, kAudioCodecOK);
            reader.fStatus = status;
            float frames[4];
            EXPECT_EQ(good.fReader->ReadFrames(0, frames, 4), status);
        }
    }
}

TEST(AudioCodecLibraryTests, MisuseIsRefused)
{
    u32 status = kAudioCodecOK;
    EXPECT_EQ(Corliss_Create("IUndine", &status), nullptr);
    EXPECT_EQ(status, kAudioCodecUnsupported);
    EXPECT_EQ(Undine_Create("ICorliss", &status), nullptr);
    EXPECT_EQ(status, kAudioCodecUnsupported);

    CBytesReader reader(ReadAudioFixture("wave-16-1.wav"));
    TOpened opened;
    Open(EFamily::kWAVE, reader, opened);
    ASSERT_EQ(opened.fStatus, kAudioCodecOK);
    std::vector<float> frames(kMaxFramesPerRead + 1);
    EXPECT_EQ(opened.fReader->ReadFrames(0, frames.data(), kMaxFramesPerRead + 1), kAudioCodecInvalidArgument);
    EXPECT_EQ(opened.fReader->ReadFrames(4400, frames.data(), 11), kAudioCodecInvalidArgument);
    EXPECT_EQ(opened.fReader->ReadFrames(4400, frames.data(), 10), kAudioCodecOK);
    EXPECT_EQ(opened.fReader->ReadFrames(0, nullptr, 1), kAudioCodecInvalidArgument);

    IUndine* library = Undine_Create("IUndine", &status);
    NSUndine::TChunkLocation location{};
    TFormatInfo format{};
    EXPECT_EQ(library->OpenSampleReader(nullptr, 10, &format, &location, &status), nullptr);
    EXPECT_EQ(status, kAudioCodecInvalidArgument);
    library->Release();
}
