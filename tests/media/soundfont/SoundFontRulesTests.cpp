// The rules of the two SoundFont readers: each generated bank breaks one rule, and the lenient
// reader and the strict bank answer as their rule tables give.
#include "media/soundfont/SoundFontBank.h"
#include "media/soundfont/SoundFontReader.h"
#include "media/soundfont/SoundFontSamples.h"
#include "media/soundfont/WaveSample.h"
#include "tests/media/soundfont/SoundFontFixture.h"
#include "tests/support/ByteMutation.h"
#include "tests/support/ExpectThrown.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>

namespace
{
using namespace NSTestSupport;
using NSFerrant::CSoundFontBank;
using NSFerrant::ReadSoundFont;

enum EOutcome : bool
{
    kRejects = false,
    kAccepts = true,
};

struct Case
{
    const char* fName;
    std::function<void(TSoundFontFixture&)> fBreak;
    EOutcome fLenient;
    EOutcome fStrict;
};

TBytes Repeated(u8 byte, size_t count)
{
    return TBytes(count, byte);
}

const Case kCases[] = {
    {"standard bank", [](TSoundFontFixture&) {}, kAccepts, kAccepts},
    // Where the groups stand.
    {"another RIFF form before the bank",
     [](TSoundFontFixture& f) {
         f.fLeading.push_back({"RIFF", Concat({Text("WAVE"), ChunkBytes("data", Bytes({1, 2}))})});
     },
     kAccepts, kRejects},
    {"a chunk before INFO",
     [](TSoundFontFixture& f) {
         f.fBeforeInfo.push_back({"junk", Bytes({1, 2, 3})});
     },
     kAccepts, kRejects},
    {"a chunk between sdta and pdta",
     [](TSoundFontFixture& f) {
         f.fBeforePDTA.push_back({"junk", Bytes({1})});
     },
     kAccepts, kRejects},
    {"no INFO list", [](TSoundFontFixture& f) { f.fHasInfo = false; }, kRejects, kRejects},
    {"no sdta list", [](TSoundFontFixture& f) { f.fHasSDTA = false; }, kAccepts, kRejects},
    {"no pdta list", [](TSoundFontFixture& f) { f.fHasPDTA = false; }, kRejects, kRejects},
    // Sample data.
    {"odd smpl size", [](TSoundFontFixture& f) { f.fSampleData->push_back(0); }, kAccepts, kRejects},
    {"no smpl, samples in range of nothing", [](TSoundFontFixture& f) { f.fSampleData.reset(); }, kAccepts,
     kRejects},
    {"no smpl, every sample at 0",
     [](TSoundFontFixture& f)
     {
         f.fSampleData.reset();
         for (TFixtureSample& sample : f.fSamples)
             sample.fStart = sample.fEnd = 0;
     },
     kAccepts, kAccepts},
    {"sample end one word past the data", [](TSoundFontFixture& f) { f.fSamples[2].fEnd = 65; }, kAccepts,
     kRejects},
    {"sample end at the end of the data", [](TSoundFontFixture& f) { f.fSamples[2].fEnd = 64; }, kAccepts,
     kAccepts},
    {"ROM sample beyond the data",
     [](TSoundFontFixture& f)
     {
         f.fSamples[2].fType = 0x8001;
         f.fSamples[2].fStart = 100000;
         f.fSamples[2].fEnd = 200000;
     },
     kAccepts, kAccepts},
    // A bank accepted for packing must open as a folder: what the lenient reader refuses, the strict
    // one refuses too.
    {"sample type 16", [](TSoundFontFixture& f) { f.fSamples[2].fType = 16; }, kRejects, kRejects},
    {"sample type 0", [](TSoundFontFixture& f) { f.fSamples[0].fType = 0; }, kRejects, kRejects},
    {"terminal sample header of type 16", [](TSoundFontFixture& f) { f.fSamples[3].fType = 16; }, kAccepts,
     kAccepts},
    // Entry list sizes.
    {"phdr of one entry", [](TSoundFontFixture& f) { f.fReplaced["phdr"] = Repeated(0, 38); }, kRejects,
     kRejects},
    {"inst of one entry", [](TSoundFontFixture& f) { f.fReplaced["inst"] = Repeated(0, 22); }, kRejects,
     kRejects},
    {"pgen not a whole number of entries",
     [](TSoundFontFixture& f) {
         f.fExtraBytes["pgen"] = Bytes({0, 0});
     },
     kRejects, kRejects},
    {"shdr not a whole number of entries",
     [](TSoundFontFixture& f) { f.fExtraBytes["shdr"] = Repeated(0, 44); }, kRejects, kRejects},
    {"empty pmod", [](TSoundFontFixture& f) { f.fReplaced["pmod"] = {}; }, kRejects, kRejects},
    {"empty imod",
     [](TSoundFontFixture& f)
     {
         f.fReplaced["imod"] = {};
         f.fInstrumentBags.back().fModulator = 0;
     },
     kRejects, kRejects},
    {"empty shdr, no samples", [](TSoundFontFixture& f) { f.fReplaced["shdr"] = {}; }, kRejects, kRejects},
    {"pbag of only its terminal entry",
     [](TSoundFontFixture& f) {
         f.fReplaced["pbag"] = Bytes({4, 0, 0, 0});
     },
     kRejects, kRejects},
    {"no igen chunk", [](TSoundFontFixture& f) { f.fOmitted.push_back("igen"); }, kRejects, kRejects},
    // Index rules.
    {"first preset's bag not 0", [](TSoundFontFixture& f) { f.fPresets[0].fBag = 1; }, kRejects, kRejects},
    {"two presets with one bag index", [](TSoundFontFixture& f) { f.fPresets[1].fBag = 0; }, kRejects,
     kRejects},
    {"two instruments with one bag index", [](TSoundFontFixture& f) { f.fInstruments[1].fBag = 0; }, kAccepts,
     kAccepts},
    {"first instrument's bag not 0", [](TSoundFontFixture& f) { f.fInstruments[0].fBag = 1; }, kRejects,
     kRejects},
    {"terminal preset bag past the bags", [](TSoundFontFixture& f) { f.fPresets[2].fBag = 5; }, kAccepts,
     kRejects},
    {"last real preset bag past the real bags",
     [](TSoundFontFixture& f)
     {
         f.fPresets[1].fBag = 4;
         f.fPresets[2].fBag = 5;
     },
     kRejects, kRejects},
    {"last real preset bag at the terminal generator",
     [](TSoundFontFixture& f)
     {
         f.fPresetBags[2].fGenerator = 5;
         f.fPresetBags[3].fGenerator = 5;
     },
     kRejects, kRejects},
    {"last real instrument at the terminal bag",
     [](TSoundFontFixture& f)
     {
         f.fInstruments[1].fBag = 4;
         f.fInstruments[2].fBag = 4;
     },
     kRejects, kRejects},
    {"two preset bags with one generator index",
     [](TSoundFontFixture& f) { f.fPresetBags[1].fGenerator = 0; }, kAccepts, kAccepts},
    {"preset generator index goes back", [](TSoundFontFixture& f) { f.fPresetBags[2].fGenerator = 1; },
     kRejects, kRejects},
    {"terminal preset bag past the generators", [](TSoundFontFixture& f) { f.fPresetBags[3].fGenerator = 6; },
     kAccepts, kRejects},
    {"terminal instrument bag past the modulators",
     [](TSoundFontFixture& f) { f.fInstrumentBags[3].fModulator = 3; }, kAccepts, kRejects},
    {"instrument modulator index goes back",
     [](TSoundFontFixture& f)
     {
         f.fInstrumentBags[1].fModulator = 1;
         f.fInstrumentBags[2].fModulator = 0;
     },
     kRejects, kRejects},
    // Generators.
    {"preset generator operator 14", [](TSoundFontFixture& f) { f.fPresetGenerators[1].fOperator = 14; },
     kAccepts, kRejects},
    {"preset generator operator 61", [](TSoundFontFixture& f) { f.fPresetGenerators[0].fOperator = 61; },
     kAccepts, kRejects},
    {"instrument generator operator 14",
     [](TSoundFontFixture& f) { f.fInstrumentGenerators[0].fOperator = 14; }, kAccepts, kAccepts},
    // Pitch.
    {"root key 0 with +51 cents",
     [](TSoundFontFixture& f)
     {
         f.fSamples[2].fRootKey = 0;
         f.fSamples[2].fCorrection = 51;
     },
     kRejects, kRejects},
    {"root key 127 with -51 cents",
     [](TSoundFontFixture& f)
     {
         f.fSamples[2].fRootKey = 127;
         f.fSamples[2].fCorrection = -51;
     },
     kRejects, kRejects},
    // INFO.
    {"ifil of 6 bytes",
     [](TSoundFontFixture& f) {
         f.fInfo[0].fData = Bytes({2, 0, 1, 0, 0, 0});
     },
     kRejects, kRejects},
    {"iver of 2 bytes",
     [](TSoundFontFixture& f) {
         f.fInfo.push_back({"iver", Bytes({1, 0})});
     },
     kRejects, kRejects},
    {"no ifil", [](TSoundFontFixture& f) { f.fInfo.erase(f.fInfo.begin()); }, kAccepts, kAccepts},
    {"name text of 256 bytes", [](TSoundFontFixture& f) { f.fInfo[2].fData = Repeated('a', 256); }, kAccepts,
     kAccepts},
    {"product text of 257 bytes",
     [](TSoundFontFixture& f) {
         f.fInfo.push_back({"IPRD", Repeated('a', 257)});
     },
     kRejects, kRejects},
    {"comment of 65,536 bytes", [](TSoundFontFixture& f) { f.fInfo[3].fData = Repeated('c', 65536); },
     kAccepts, kAccepts},
    {"comment of 65,537 bytes", [](TSoundFontFixture& f) { f.fInfo[3].fData = Repeated('c', 65537); },
     kRejects, kRejects},
};

class SoundFontRules : public testing::TestWithParam<Case>
{
};

void ExpectOutcome(EOutcome outcome, const std::function<void()>& read)
{
    if (outcome == kAccepts)
        EXPECT_NO_THROW(read());
    else
        CatchThrown<NSQuorral::XFormatViolation>(read, NSFerrant::GetSoundFontFileFormatObjectType());
}

TEST_P(SoundFontRules, ReadersAnswerAsTheirRulesGive)
{
    TSoundFontFixture fixture;
    GetParam().fBreak(fixture);
    NSFerrant::COwnedMemoryMedia media = MediaOf(fixture.Build());

    SCOPED_TRACE("lenient");
    ExpectOutcome(GetParam().fLenient, [&] { ReadSoundFont(media); });
    SCOPED_TRACE("strict");
    ExpectOutcome(GetParam().fStrict, [&] { CSoundFontBank bank(media); });
}

INSTANTIATE_TEST_SUITE_P(Banks, SoundFontRules, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info)
                         {
                             std::string name = info.param.fName;
                             for (char& c : name)
                                 c = std::isalnum(u8(c)) ? c : '_';
                             return name;
                         });

TEST(SoundFontRules, MediaThatIsNoBankIsAFormatError)
{
    const TBytes kInputs[] = {
        {},
        Bytes({'R', 'I', 'F', 'F', 0, 0, 0}),
        Concat({Text("RIFF"), Bytes({40, 0, 0, 0}), Text("sfbk")}), // size beyond the media
        ChunkBytes("RIFF", Text("WAVE")),
    };
    for (const TBytes& input : kInputs)
    {
        NSFerrant::COwnedMemoryMedia media = MediaOf(input);
        ExpectOutcome(kRejects, [&] { ReadSoundFont(media); });
        ExpectOutcome(kRejects, [&] { CSoundFontBank bank(media); });
    }
}

TEST(SoundFontRules, ChunkHeadersTheRIFFReaderRejectsKeepItsError)
{
    TSoundFontFixture fixture;
    fixture.fBeforePDTA.push_back({" bad", Bytes({1, 2})}); // a leading space makes no chunk id
    NSFerrant::COwnedMemoryMedia media = MediaOf(fixture.Build());
    for (const std::function<void()>& read :
         std::initializer_list<std::function<void()>>{[&] { ReadSoundFont(media); },
                                                      [&] { CSoundFontBank bank(media); }})
    {
        try
        {
            read();
            ADD_FAILURE() << "nothing thrown";
        }
        catch (const NSQuorral::XFormatViolation& e)
        {
            EXPECT_FALSE(NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(e),
                                                        NSFerrant::GetSoundFontFileFormatObjectType()));
        }
    }
}

// Damaged banks: each reader reads a bank or refuses it with a format violation, or with the read
// failure of a chunk header cut short by the end of the file (the RIFF reader makes no room test
// before the header fields); never a crash, a hang, or an allocation sized by the file. The
// samples of a bank the lenient reader reads can be cut out; a bank the strict reader builds can
// be checked.
TEST(SoundFontRules, DamagedBanksAreReadOrRefusedAndWhatPacksAlsoOpens)
{
    const TBytes valid = TSoundFontFixture().Build();
    CByteMutator mutator(1402, EFieldOrder::kLittleEndian, ChunkSizeFields(valid, EFieldOrder::kLittleEndian));
    int lenientReads = 0;
    int strictReads = 0;
    for (int round = 0; round < 400; ++round)
    {
        SCOPED_TRACE(round);
        NSFerrant::COwnedMemoryMedia media = MediaOf(mutator.Mutate(valid));
        const bool lenientRead = ReadsOrRefuses<NSQuorral::XFormatViolation, NSQuorral::XRead>([&] {
            for (const NSFerrant::TSoundFontSampleHeader& header : ReadSoundFont(media).fSampleHeaders)
                NSFerrant::CreateMonoWaveSample(media, header);
        });
        const bool strictRead = ReadsOrRefuses<NSQuorral::XFormatViolation, NSQuorral::XRead>([&] {
            CSoundFontBank bank(media);
            NSFerrant::CheckSoundFontData(bank);
        });
        // A bank that packs opens as a folder.
        EXPECT_TRUE(!strictRead || lenientRead);
        lenientReads += lenientRead;
        strictReads += strictRead;
    }
    EXPECT_GT(strictReads, 0);
    EXPECT_GT(lenientReads, 0);
    EXPECT_LT(lenientReads, 400);
}
} // namespace
