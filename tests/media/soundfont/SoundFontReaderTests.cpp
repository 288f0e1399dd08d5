// What the two SoundFont readers make of a bank: the values they keep, the names and texts, and
// the normalised pitch of sample headers.
#include "media/soundfont/SoundFontBank.h"
#include "media/soundfont/SoundFontReader.h"
#include "tests/media/soundfont/SoundFontFixture.h"
#include "tests/support/ExpectThrown.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace
{
using namespace NSTestSupport;
using namespace NSFerrant;

TEST(SoundFontReader, KeepsEveryFieldOfTheStandardBank)
{
    const TSoundFontData data = ReadFixture(TSoundFontFixture());

    EXPECT_EQ(data.fFileVersionMajor, 2);
    EXPECT_EQ(data.fFileVersionMinor, 1);
    EXPECT_EQ(data.fSoundEngine, MakeText(u"EMU8000"));
    EXPECT_EQ(data.fBankName, MakeText(u"Fixture Bank"));
    EXPECT_EQ(data.fComment, MakeText(u"Made by the tests"));
    EXPECT_EQ(data.fROMVersionMajor, 0); // no "iver"
    EXPECT_TRUE(data.fCopyright.empty());

    ASSERT_EQ(data.fPresetHeaders.size(), 2u);
    EXPECT_EQ(data.fPresetHeaders[1].fName, MakeText(u"Strings"));
    EXPECT_EQ(data.fPresetHeaders[1].fPresetNumber, 1);
    EXPECT_EQ(data.fPresetHeaders[1].fFirstBag, 2);
    EXPECT_EQ(data.fPresetBags.size(), 3u);
    EXPECT_EQ(data.fPresetModulators.size(), 0u);
    ASSERT_EQ(data.fPresetGenerators.size(), 4u);
    EXPECT_EQ(data.fPresetGenerators[0].fOperator, 43u);
    EXPECT_EQ(data.fPresetGenerators[0].fAmount, 0x7F00);
    EXPECT_EQ(data.fInstruments.size(), 2u);
    ASSERT_EQ(data.fInstrumentBags.size(), 3u);
    EXPECT_EQ(data.fInstrumentBags[2].fFirstGenerator, 3);
    ASSERT_EQ(data.fInstrumentModulators.size(), 1u);
    EXPECT_EQ(data.fInstrumentModulators[0].fSourceOperator, 0x0502);
    EXPECT_EQ(data.fInstrumentModulators[0].fDestinationGenerator, 48u);
    EXPECT_EQ(data.fInstrumentModulators[0].fAmount, 960);
    EXPECT_EQ(data.fInstrumentGenerators.size(), 5u);
    EXPECT_EQ(data.fInstrumentGenerators[0].fAmount, u16(-500));

    ASSERT_EQ(data.fSampleHeaders.size(), 3u);
    const TSoundFontSampleHeader& right = data.fSampleHeaders[1];
    EXPECT_EQ(right.fName, MakeText(u"Right"));
    EXPECT_EQ(right.fStart, 24u);
    EXPECT_EQ(right.fEnd, 44u);
    EXPECT_EQ(right.fLoopStart, 28u);
    EXPECT_EQ(right.fLoopEnd, 40u);
    EXPECT_EQ(right.fSampleRate, 22050u);
    EXPECT_EQ(right.fRootKey, 60);
    EXPECT_EQ(right.fSampleType, kSoundFontRightSample);
    EXPECT_EQ(data.fSampleHeaders[0].fLinkedSample, 1);
    EXPECT_EQ(data.fSampleHeaders[2].fPitchCorrection, -20);
}

TEST(SoundFontReader, StrictBankKeepsTerminalEntriesAndCountsSampleWords)
{
    const TSoundFontFixture fixture;
    COwnedMemoryMedia media = MediaOf(fixture.Build());
    const CSoundFontBank bank(media);
    const TSoundFontData& contents = bank.GetContents();

    EXPECT_EQ(bank.GetSampleWordCount(), 64u);
    EXPECT_EQ(contents.fPresetHeaders.size(), 3u);
    EXPECT_EQ(contents.fPresetHeaders.back().fName, MakeText(u"EOP"));
    EXPECT_EQ(contents.fPresetBags.size(), 4u);
    EXPECT_EQ(contents.fPresetModulators.size(), 1u);
    EXPECT_EQ(contents.fInstrumentGenerators.size(), 6u);
    EXPECT_EQ(contents.fSampleHeaders.back().fName, MakeText(u"EOS"));
    EXPECT_TRUE(CheckSoundFontData(bank));

    // Apart from the terminal entries the two readers agree.
    TSoundFontData lenient = ReadSoundFont(media);
    TSoundFontData strict = contents;
    strict.fPresetHeaders.pop_back();
    strict.fPresetBags.pop_back();
    strict.fPresetModulators.pop_back();
    strict.fPresetGenerators.pop_back();
    strict.fInstruments.pop_back();
    strict.fInstrumentBags.pop_back();
    strict.fInstrumentModulators.pop_back();
    strict.fInstrumentGenerators.pop_back();
    strict.fSampleHeaders.pop_back();
    EXPECT_EQ(strict, lenient);
}

TEST(SoundFontReader, SixteenBitOperatorsAreNeverSignExtended)
{
    TSoundFontFixture fixture;
    fixture.fInstrumentModulators[0].fDestination = 0x8001;
    fixture.fInstrumentModulators[0].fTransform = 0xFFFF;
    fixture.fInstrumentGenerators[0].fOperator = 0x8000; // instrument operators are not tested
    const TSoundFontData data = ReadFixture(fixture);
    EXPECT_EQ(data.fInstrumentModulators[0].fDestinationGenerator, 0x8001u);
    EXPECT_EQ(data.fInstrumentModulators[0].fTransform, 0xFFFFu);
    EXPECT_EQ(data.fInstrumentGenerators[0].fOperator, 0x8000u);
}

TEST(SoundFontReader, PitchCorrectionMovesWholeSemitonesIntoTheRootKey)
{
    struct PitchCase
    {
        u8 fKey;
        i8 fCorrection;
        u8 fExpectedKey;
        i8 fExpectedCorrection;
    };
    const PitchCase kPitchCases[] =
        {
            {60, 70, 59, -30},  {60, -70, 61, 30},   {60, 50, 60, 50}, {60, -50, 60, -50},
            {60, 127, 59, 27},  {60, -128, 61, -28}, {1, 51, 0, -49},  {126, -51, 127, 49},
            {200, 10, 200, 10}, // a key above 127 with a small correction stays as it is
        };
    for (const PitchCase& pitch : kPitchCases)
    {
        TSoundFontFixture fixture;
        fixture.fSamples[2].fRootKey = pitch.fKey;
        fixture.fSamples[2].fCorrection = pitch.fCorrection;
        COwnedMemoryMedia media = MediaOf(fixture.Build());
        const TSoundFontSampleHeader lenient = ReadSoundFont(media).fSampleHeaders[2];
        const TSoundFontSampleHeader strict = CSoundFontBank(media).GetContents().fSampleHeaders[2];
        for (const TSoundFontSampleHeader& header : {lenient, strict})
        {
            EXPECT_EQ(header.fRootKey, pitch.fExpectedKey)
                << int(pitch.fKey) << " " << int(pitch.fCorrection);
            EXPECT_EQ(header.fPitchCorrection, pitch.fExpectedCorrection)
                << int(pitch.fKey) << " " << int(pitch.fCorrection);
        }
    }
}

TEST(SoundFontReader, TextsAreCutAtTheirFirstZeroAndTheirLimit)
{
    TSoundFontFixture fixture;
    fixture.fInfo[1].fData = TBytes(256, 'e');                                   // isng, no zero byte
    fixture.fInfo[2].fData = Concat({Text("Bank"), Bytes({0}), Text("hidden")}); // INAM
    fixture.fInfo[3].fData = Concat({TBytes(65535, 'c'), Bytes({'x'})});         // ICMT, no zero byte
    fixture.fInfo.push_back({"ICOP", Concat({Text("\xA9 2024"), Bytes({0})})});  // code page 1252
    const TSoundFontData data = ReadFixture(fixture);
    EXPECT_EQ(data.fSoundEngine, NSTextPackage::TUTF16String(255, u'e'));
    EXPECT_EQ(data.fBankName, MakeText(u"Bank"));
    EXPECT_EQ(data.fComment, NSTextPackage::TUTF16String(65535, u'c'));
    EXPECT_EQ(data.fCopyright, MakeText(u"\u00A9 2024"));
}

TEST(SoundFontReader, TextWithoutAZeroByteIsAllOfItsData)
{
    TSoundFontFixture fixture;
    fixture.fInfo[2].fData = Text("Bank");                // INAM, even size
    fixture.fInfo[3].fData = Text("Odd");                 // ICMT, odd size: a pad byte follows
    fixture.fInfo.push_back({"IENG", Text("Engineers")}); // odd size
    COwnedMemoryMedia media = MediaOf(fixture.Build());
    const TSoundFontData lenient = ReadSoundFont(media);
    const CSoundFontBank bank(media);
    for (const TSoundFontData& data : {lenient, bank.GetContents()})
    {
        EXPECT_EQ(data.fBankName, MakeText(u"Bank"));
        EXPECT_EQ(data.fComment, MakeText(u"Odd"));
        EXPECT_EQ(data.fEngineers, MakeText(u"Engineers"));
    }
}

TEST(SoundFontReader, VersionsDefaultWhenAbsent)
{
    TSoundFontFixture fixture;
    fixture.fInfo.erase(fixture.fInfo.begin()); // no "ifil"
    TSoundFontData data = ReadFixture(fixture);
    EXPECT_EQ(data.fFileVersionMajor, 2);
    EXPECT_EQ(data.fFileVersionMinor, 1);
    EXPECT_EQ(data.fROMVersionMajor, 0);
    EXPECT_EQ(data.fROMVersionMinor, 0);

    fixture.fInfo.push_back({"iver", Bytes({3, 0, 7, 0})});
    fixture.fInfo.push_back({"ifil", Bytes({2, 0, 4, 0})});
    data = ReadFixture(fixture);
    EXPECT_EQ(data.fROMVersionMajor, 3);
    EXPECT_EQ(data.fROMVersionMinor, 7);
    EXPECT_EQ(data.fFileVersionMinor, 4);
}

TEST(SoundFontModel, NamesEndAtTheirFirstZeroByteOrTheField)
{
    const u8 full[20] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J',
                         'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T'};
    const u8 shortName[20] = {'P', 'a', 'd', 0, 'x', 'y'};
    const u8 ansi[20] = {0xE9, 't', 0xE9};
    EXPECT_EQ(DecodeSoundFontName(full), MakeText(u"ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(DecodeSoundFontName(shortName), MakeText(u"Pad"));
    EXPECT_EQ(DecodeSoundFontName(ansi), MakeText(u"\u00E9t\u00E9"));
}

TEST(SoundFontModel, DefinedGeneratorsAreTheAssignedOperators)
{
    const u32 kUndefined[] = {14, 18, 19, 20, 42, 49, 55, 59, 61, 100, 0xFFFF, 0xFFFFFFFF};
    for (u32 op = 0; op <= 60; ++op)
    {
        const bool undefined =
            std::find(std::begin(kUndefined), std::end(kUndefined), op) != std::end(kUndefined);
        EXPECT_EQ(IsDefinedGenerator(op), !undefined) << op;
    }
    for (u32 op : kUndefined)
        EXPECT_FALSE(IsDefinedGenerator(op)) << op;
}

TEST(SoundFontModel, FormatErrorIsAnEmptyViolationOfTheSoundFontFormat)
{
    const auto message = CatchThrown<NSQuorral::XFormatViolation>(
        [] { ThrowSoundFontFormatError(); }, NSQuorral::TFixedName("sound_font_file_format"));
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, "");
}

} // namespace
