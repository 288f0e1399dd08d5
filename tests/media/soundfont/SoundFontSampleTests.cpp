// Samples cut out of a generated bank: the window over "smpl", the words of a header, mono and
// stereo in-memory samples and the loops headers describe.
#include "media/soundfont/SoundFontSamples.h"
#include "media/soundfont/WaveSample.h"
#include "tests/media/soundfont/SoundFontFixture.h"
#include "tests/support/ExpectThrown.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using namespace NSTestSupport;
using namespace NSFerrant;

void ExpectSoundFontFormatError(const std::function<void()>& action)
{
    CatchThrown<NSQuorral::XFormatViolation>(action, GetSoundFontFileFormatObjectType());
}

TSoundFontSampleHeader Header(u32 start, u32 end, u32 loopStart = 0, u32 loopEnd = 0)
{
    TSoundFontSampleHeader header;
    header.fStart = start;
    header.fEnd = end;
    header.fLoopStart = loopStart;
    header.fLoopEnd = loopEnd;
    header.fSampleRate = 32000;
    header.fRootKey = 60;
    return header;
}

std::vector<i16> Slice(const std::vector<i16>& words, u32 start, u32 end)
{
    return std::vector<i16>(words.begin() + start, words.begin() + end);
}

std::vector<i16> MonoFrames(CWaveSample& sample)
{
    std::vector<i16> frames(sample.GetFrameCount());
    sample.ReadInt16Channel(0, i32(frames.size()), frames.data(), kFirstChannel);
    return frames;
}

// Interleaved, first channel first.
std::vector<i16> StereoFrames(CWaveSample& sample)
{
    std::vector<i16> frames(size_t(sample.GetFrameCount()) * 2);
    sample.ReadNativeFrames(0, i32(sample.GetFrameCount()), frames.data());
    return frames;
}

class SoundFontSamples : public testing::Test
{
protected:
    TSoundFontFixture fFixture;
    TSoundFontData ReadBank() { return ReadFixture(fFixture); }
    COwnedMemoryMedia BankMedia() { return MediaOf(fFixture.Build()); }
};

TEST_F(SoundFontSamples, WindowCoversExactlyTheSampleData)
{
    fFixture.fLeading.push_back({"RIFF", Text("WAVE")});
    fFixture.fBeforeInfo.push_back({"junk", Bytes({1})});
    COwnedMemoryMedia bank = BankMedia();
    const std::unique_ptr<CMedia> window = OpenSoundFontSampleData(bank);
    EXPECT_EQ(window->fPosition, 0);
    EXPECT_EQ(BytesOf(*window), *fFixture.fSampleData);
    TBytes beyond(1);
    EXPECT_THROW(window->Read(window->GetSize(), 1, beyond.data()), NSQuorral::XRead);
}

TEST_F(SoundFontSamples, BankWithoutSampleDataGivesAnEmptyWindowAndOnlyEmptySamples)
{
    fFixture.fSampleData.reset();
    COwnedMemoryMedia bank = BankMedia();
    EXPECT_EQ(OpenSoundFontSampleData(bank)->GetSize(), 0);
    EXPECT_EQ(CreateMonoWaveSample(bank, Header(0, 0))->GetFrameCount(), 0u);
    ExpectSoundFontFormatError([&] { CreateMonoWaveSample(bank, Header(0, 1)); });
    ExpectSoundFontFormatError([&] { CreateMonoWaveSample(bank, Header(1, 1)); });
}

TEST_F(SoundFontSamples, BanksWhoseSampleDataCannotBeFoundAreFormatErrors)
{
    const std::function<void(TSoundFontFixture&)> kBreaks[] = {
        [](TSoundFontFixture& f) { f.fHasSDTA = false; },
        [](TSoundFontFixture& f) { f.fSampleData->push_back(0); },
        [](TSoundFontFixture& f)
        {
            f.fLeading.push_back({"LIST", Text("sfbk")});
            f.fHasInfo = f.fHasSDTA = f.fHasPDTA = false;
        },
    };
    for (const auto& breakBank : kBreaks)
    {
        TSoundFontFixture fixture;
        breakBank(fixture);
        COwnedMemoryMedia bank = MediaOf(fixture.Build());
        ExpectSoundFontFormatError([&] { OpenSoundFontSampleData(bank); });
    }
    COwnedMemoryMedia tiny = MediaOf(Text("RIFF"));
    ExpectSoundFontFormatError([&] { OpenSoundFontSampleData(tiny); });
}

TEST_F(SoundFontSamples, WordsAreTheHeadersRangeOfTheData)
{
    struct WordsCase
    {
        u32 fStart;
        u32 fEnd;
        bool fValid;
    };
    const WordsCase kWordsCases[] = {
        {0, 0, true},           {3, 10, true},   {0, 64, true},  {64, 64, true},
        {60, 65, false},        {65, 65, false}, {10, 3, false}, {0xFFFFFFF0, 0xFFFFFFFF, false},
        {0, 0xFFFFFFFF, false},
    };
    COwnedMemoryMedia bank = BankMedia();
    const std::unique_ptr<CMedia> window = OpenSoundFontSampleData(bank);
    for (const WordsCase& words : kWordsCases)
    {
        SCOPED_TRACE(testing::Message() << words.fStart << ".." << words.fEnd);
        const TSoundFontSampleHeader header = Header(words.fStart, words.fEnd);
        if (!words.fValid)
        {
            ExpectSoundFontFormatError([&] { ReadSoundFontSampleWords(*window, header); });
            continue;
        }
        EXPECT_EQ(ReadSoundFontSampleWords(*window, header),
                  Slice(fFixture.fWords, words.fStart, words.fEnd));
        if (words.fStart != words.fEnd)
            EXPECT_EQ(window->fPosition, i64(words.fEnd) * 2);
    }
}

TEST_F(SoundFontSamples, MonoSampleHoldsTheHeadersWords)
{
    const TSoundFontSampleHeader mono = ReadBank().fSampleHeaders[2];
    COwnedMemoryMedia bank = BankMedia();
    const std::unique_ptr<CWaveSample> sample = CreateMonoWaveSample(bank, mono);
    EXPECT_EQ(sample->GetChannelCount(), 1);
    EXPECT_EQ(sample->GetSampleRate(), 44100u);
    EXPECT_EQ(sample->GetBitsPerSample(), 16u);
    EXPECT_EQ(MonoFrames(*sample), Slice(fFixture.fWords, 48, 60));

    EXPECT_EQ(CreateMonoWaveSample(bank, Header(7, 7))->GetFrameCount(), 0u);
    ExpectSoundFontFormatError([&] { CreateMonoWaveSample(bank, Header(10, 9)); });
    // A header far beyond the data fails before anything is sized by it.
    ExpectSoundFontFormatError([&] { CreateMonoWaveSample(bank, Header(0, 0x7FFFFFFF)); });
    ExpectSoundFontFormatError([&] { CreateMonoWaveSample(bank, Header(0, 0xFFFFFFFF)); });
}

TEST_F(SoundFontSamples, StereoSampleInterleavesTheHalves)
{
    const TSoundFontData data = ReadBank();
    COwnedMemoryMedia bank = BankMedia();
    // Left and right lie at different places with the same relative loop.
    const std::unique_ptr<CWaveSample> sample =
        CreateStereoWaveSample(bank, data.fSampleHeaders[0], data.fSampleHeaders[1]);
    EXPECT_EQ(sample->GetChannelCount(), 2);
    EXPECT_EQ(sample->GetSampleRate(), 22050u);
    ASSERT_EQ(sample->GetFrameCount(), 20u);
    const std::vector<i16> frames = StereoFrames(*sample);
    for (u32 i = 0; i < 20; ++i)
    {
        EXPECT_EQ(frames[2 * i], fFixture.fWords[i]) << i;
        EXPECT_EQ(frames[2 * i + 1], fFixture.fWords[24 + i]) << i;
    }

    // In the other order the channels swap.
    const std::unique_ptr<CWaveSample> swapped =
        CreateStereoWaveSample(bank, data.fSampleHeaders[1], data.fSampleHeaders[0]);
    EXPECT_EQ(StereoFrames(*swapped)[0], fFixture.fWords[24]);
}

TEST_F(SoundFontSamples, StereoHalvesThatDisagreeAreFormatErrors)
{
    const std::function<void(TSoundFontSampleHeader&)> kDisagreements[] = {
        [](TSoundFontSampleHeader& h) { h.fSampleRate = 22051; },
        [](TSoundFontSampleHeader& h) { h.fPitchCorrection = 1; },
        [](TSoundFontSampleHeader& h) { h.fRootKey = 61; },
        [](TSoundFontSampleHeader& h) { h.fLoopEnd -= 1; },
        [](TSoundFontSampleHeader& h) { h.fLoopStart = h.fLoopEnd; }, // no loop against a loop
        [](TSoundFontSampleHeader& h) { h.fEnd -= 1; },
        // The same length only by wrapping around: start 0xFFFFFFFC, end 16.
        [](TSoundFontSampleHeader& h)
        {
            h.fStart = 0xFFFFFFFC;
            h.fEnd = 16;
            h.fLoopStart = h.fLoopEnd = 0;
        },
    };
    const TSoundFontData data = ReadBank();
    COwnedMemoryMedia bank = BankMedia();
    for (const auto& disagree : kDisagreements)
    {
        TSoundFontSampleHeader left = data.fSampleHeaders[0];
        TSoundFontSampleHeader right = data.fSampleHeaders[1];
        disagree(right);
        if (right.fStart == 0xFFFFFFFC)
            left.fLoopStart = left.fLoopEnd = 0;
        ExpectSoundFontFormatError([&] { CreateStereoWaveSample(bank, left, right); });
    }
    // Halves of 2^30 frames: twice that does not fit an in-memory sample.
    ExpectSoundFontFormatError([&]
                               { CreateStereoWaveSample(bank, Header(0, 1u << 30), Header(0, 1u << 30)); });
}

TEST(SoundFontSampleLoop, LoopsWithinTheSampleCountFromItsFirstWord)
{
    struct LoopCase
    {
        u32 fLoopStart;
        u32 fLoopEnd;
        u32 fMode;
        u32 fStart;
        u32 fEnd;
    };
    // The sample spans the words 10 to 50.
    const LoopCase kLoops[] = {
        {20, 40, kSampleLoopNotStored, 10, 30}, {40, 20, kSampleLoopNotStored, 30, 10},
        {10, 50, kSampleLoopNotStored, 0, 40},  {20, 20, kSampleLoopNone, 0, 0},
        {20, 51, kSampleLoopNone, 0, 0},        {9, 40, kSampleLoopNone, 0, 0},
        {0, 0, kSampleLoopNone, 0, 0},
    };
    for (const LoopCase& expected : kLoops)
    {
        TSoundFontSampleHeader header = Header(10, 50, expected.fLoopStart, expected.fLoopEnd);
        header.fRootKey = 72;
        header.fPitchCorrection = -17;
        const TSampleLoop loop = GetSampleLoop(header);
        SCOPED_TRACE(testing::Message() << expected.fLoopStart << ".." << expected.fLoopEnd);
        EXPECT_EQ(loop.fLoopMode, expected.fMode);
        EXPECT_EQ(loop.fLoopVariant, 0u);
        EXPECT_EQ(loop.fLoopStart, expected.fStart);
        EXPECT_EQ(loop.fLoopEnd, expected.fEnd);
        EXPECT_EQ(loop.fPitchValid, 1);
        EXPECT_EQ(loop.fRootKey, 72);
        EXPECT_EQ(loop.fFineTune, -17);
        EXPECT_EQ(loop.fSecondFlag, 0);
        EXPECT_EQ(loop.fLowKey, 0);
        EXPECT_EQ(loop.fHighKey, 127);
    }
}

TEST(SoundFontSampleLoop, EmptySampleHasNoLoop)
{
    EXPECT_EQ(GetSampleLoop(Header(5, 5, 5, 5)).fLoopMode, kSampleLoopNone);
}
} // namespace
