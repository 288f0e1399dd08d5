// A SoundFont bank as a folder: its two folders, preset order and names, the stereo pairs, the
// preset and sample documents, the bank inside a package, and the two banks Debian ships.
#include "tests/content/folders/FolderTestSupport.h"

#include "base/ByteOrder.h"
#include "base/ExceptionClasses.h"
#include "base/TextConversions.h"
#include "content/package/PackedFileTypes.h"
#include "content/references/RelativePath.h"
#include "content/vfs/ItemFileTypes.h"
#include "filelib/FileMedia.h"
#include "base/Media.h"
#include "media/soundfont/SoundFontReader.h"
#include "media/soundfont/SoundFontSamples.h"
#include "tests/media/soundfont/SoundFontFixture.h"

#include <filesystem>

namespace NSContentTests
{
namespace
{
using NSTestSupport::TTestPackage;
using NSTestSupport::TSoundFontFixture;
using SoundFontFolderTest = CFolderTest;

u32 BE32At(const std::string& bytes, size_t offset)
{
    return NSByteOrder::ReadBE32(reinterpret_cast<const u8*>(bytes.data()) + offset);
}

std::vector<i16> WordsAt(const std::string& bytes, size_t offset)
{
    std::vector<i16> words;
    for (size_t at = offset; at + 1 < bytes.size(); at += 2)
        words.push_back(i16(NSByteOrder::ReadLE16(reinterpret_cast<const u8*>(bytes.data()) + at)));
    return words;
}

CItemPtr Child(const CItemPtr& folder, size_t index)
{
    return GetChildItems(folder).at(index);
}

TEST_F(SoundFontFolderTest, ABankIsAFolderOfPresetsAndSamples)
{
    TSoundFontFixture bank;
    bank.fInfo.push_back(NSTestSupport::TextChunk("ICOP", "(c) Bank Maker"));
    bank.fPresets = {{"Drums", 0, 128, 0}, {"Piano   ", 5, 0, 2}, {"EOP", 0, 0, 3}};
    WriteBytes("Fixture.sf2", bank.Build());
    const CItemPtr item = FileItem("Fixture.sf2");
    EXPECT_TRUE(item->IsFolder());
    EXPECT_TRUE(item->IsBrowsableFile());
    EXPECT_EQ(item->GetSecondaryText(), Text(""));
    EXPECT_EQ(TreeOf(item), "Presets{1. Piano,2. Drums},Samples{1. Left,2. Right,3. Mono,  1+2. Stereo pair}");
    EXPECT_EQ(item->GetSecondaryText(), Text("(c) Bank Maker"));

    const CItemPtr samples = Child(item, 1);
    const CItemPtr pair = Child(samples, 3);
    EXPECT_EQ(pair->GetDisplayName(), Text("1+2. Stereo pair"));
    EXPECT_EQ(Child(samples, 0)->GetTypeName(), Text("SoundFont Sample"));
    EXPECT_EQ(Child(Child(item, 0), 0)->GetTypeName(), Text("SoundFont Preset"));
    EXPECT_TRUE(Child(samples, 0)->IsOfType(NSFileLibSupport::MakeFileTypeDescriptor(".sf2s", 0)));
    EXPECT_TRUE(IsSampleFile(pair));
    EXPECT_EQ(Child(samples, 2)->GetParent(), samples);
    EXPECT_EQ(samples->GetParent(), item);
    EXPECT_EQ(Child(samples, 2), GetChildItems(samples)[2]);
}

// A SoundFont bank must hold at least one preset, so a bank without presets (with or without
// samples) is refused when its tree is first built; it stays a folder, empty from then on.
TEST_F(SoundFontFolderTest, ABankWithoutPresetsIsRefusedOnceAndThenEmpty)
{
    TSoundFontFixture noPresets;
    noPresets.fPresets = {{"EOP", 0, 0, 0}};
    noPresets.fPresetBags = {{0, 0}};
    noPresets.fPresetModulators = {{}};
    noPresets.fPresetGenerators = {{}};
    TSoundFontFixture nothing = noPresets;
    nothing.fInstruments = {{"EOI", 0}};
    nothing.fInstrumentBags = {{0, 0}};
    nothing.fInstrumentModulators = {{}};
    nothing.fInstrumentGenerators = {{}};
    nothing.fSamples = {{"EOS"}};
    nothing.fSampleData = NSTestSupport::TBytes();

    const std::pair<const char*, const TSoundFontFixture*> cases[] = {{"NoPresets.sf2", &noPresets},
                                                                      {"Nothing.sf2", &nothing}};
    for (const auto& [name, fixture] : cases)
    {
        WriteBytes(name, fixture->Build());
        const CItemPtr bank = FileItem(name);
        EXPECT_THROW(GetChildItems(bank), NSQuorral::XFormatViolation) << name;
        EXPECT_TRUE(GetChildItems(bank).empty()) << name;
        EXPECT_TRUE(bank->IsFolder()) << name;
        EXPECT_TRUE(bank->IsBrowsableFile()) << name;
    }
}

struct TPairCase
{
    const char* fWhat;
    u16 fLeftType;
    u16 fLeftLink;
    u16 fRightType;
    u32 fRightRate;
    const char* fSamples;
};

TEST_F(SoundFontFolderTest, LinkedLeftSamplesPairWhereTheHalvesAgree)
{
    const TPairCase cases[] = {
        {"a pair", 4, 1, 2, 22050, "1. Left,2. Right,3. Mono,  1+2. Stereo pair"},
        {"a link past the last header", 4, 3, 2, 22050, "1. Left,2. Right,3. Mono"},
        {"a ROM left half", 0x8004, 1, 2, 22050, "1. Left [ROM],2. Right,3. Mono"},
        {"a link to itself", 4, 0, 2, 22050, "1. Left,2. Right,3. Mono,  1+1. Stereo pair"},
        {"halves of two rates", 4, 1, 2, 44100, "1. Left,2. Right,3. Mono"},
        {"a ROM right half", 4, 1, 0x8002, 22050, "1. Left,2. Right [ROM],3. Mono,  1+2. Stereo pair [ROM]"},
        {"a right half of any type", 4, 1, 1, 22050, "1. Left,2. Right,3. Mono,  1+2. Stereo pair"},
    };
    int index = 0;
    for (const TPairCase& pairCase : cases)
    {
        TSoundFontFixture bank;
        bank.fSamples[0].fType = pairCase.fLeftType;
        bank.fSamples[0].fLink = pairCase.fLeftLink;
        bank.fSamples[1].fType = pairCase.fRightType;
        bank.fSamples[1].fRate = pairCase.fRightRate;
        const std::string name = "bank" + std::to_string(index++) + ".sf2";
        WriteBytes(name, bank.Build());
        const CItemPtr samples = Child(FileItem(name), 1);
        EXPECT_EQ(TreeOf(samples), pairCase.fSamples) << pairCase.fWhat;
    }
}

TEST_F(SoundFontFolderTest, SampleDocumentsCarryTheFramesAndTheLoop)
{
    const TSoundFontFixture bank;
    WriteBytes("Fixture.sf2", bank.Build());
    const std::vector<CItemPtr> samples = GetChildItems(Child(FileItem("Fixture.sf2"), 1));

    const CItemPtr mono = samples[2]; // words 48 to 59, loop 50 to 58, root key 64, -20 cents
    EXPECT_EQ(mono->GetSize(), 24u);
    const std::string document = BytesOf(*OpenItemMedia(mono));
    ASSERT_EQ(document.size(), 36u + 24u);
    EXPECT_EQ(document.substr(0, 5), std::string("\xBC\x01\x00\x00\x00", 5));
    EXPECT_EQ(BE32At(document, 5), 44100u);
    EXPECT_EQ(u8(document[9]), 64);
    EXPECT_EQ(i8(document[10]), -20);
    EXPECT_EQ(BE32At(document, 11), 2u);
    EXPECT_EQ(BE32At(document, 15), 10u);
    EXPECT_EQ(BE32At(document, 19), 1u);
    EXPECT_EQ(BE32At(document, 23), 1u);
    EXPECT_EQ(BE32At(document, 27), 12u);
    EXPECT_EQ(document.substr(31, 5), std::string("\xBC\x01\x00\x00\x00", 5));
    EXPECT_EQ(WordsAt(document, 36), std::vector<i16>(bank.fWords.begin() + 48, bank.fWords.begin() + 60));

    const CItemPtr pair = samples[3];
    EXPECT_EQ(pair->GetSize(), 80u);
    const std::string stereo = BytesOf(*OpenItemMedia(pair));
    ASSERT_EQ(stereo.size(), 36u + 80u);
    EXPECT_EQ(BE32At(stereo, 19), 2u);
    std::vector<i16> interleaved;
    for (size_t frame = 0; frame < 20; ++frame)
    {
        interleaved.push_back(bank.fWords[frame]);
        interleaved.push_back(bank.fWords[24 + frame]);
    }
    EXPECT_EQ(WordsAt(stereo, 36), interleaved);
}

TEST_F(SoundFontFolderTest, AnEmptySampleHasAHeaderOnlyAndROMSamplesDoNotOpen)
{
    TSoundFontFixture bank;
    bank.fSamples[2].fEnd = bank.fSamples[2].fStart;
    bank.fSamples[0].fType = 0x8001;
    WriteBytes("Fixture.sf2", bank.Build());
    const std::vector<CItemPtr> samples = GetChildItems(Child(FileItem("Fixture.sf2"), 1));
    const std::string empty = BytesOf(*OpenItemMedia(samples[2]));
    ASSERT_EQ(empty.size(), 36u);
    EXPECT_EQ(BE32At(empty, 23), 0u);
    EXPECT_EQ(BE32At(empty, 27), 0u);
    EXPECT_EQ(samples[0]->GetSize(), 0u);
    EXPECT_THROW(OpenItemMedia(samples[0]), NSQuorral::XUnsupportedFormat);
}

TEST_F(SoundFontFolderTest, APresetDocumentEmbedsTheBankAndPathsToEverySample)
{
    TSoundFontFixture bank;
    bank.fPresets = {{"Second", 9, 0, 0}, {"First", 1, 0, 2}, {"EOP", 0, 0, 3}};
    WriteBytes("Fixture.sf2", bank.Build());
    const CItemPtr presets = Child(FileItem("Fixture.sf2"), 0);
    const CItemPtr first = Child(presets, 0);
    ASSERT_EQ(first->GetName(), Text("1. First"));
    const std::string document = BytesOf(*OpenItemMedia(first));
    EXPECT_EQ(document.substr(0, 5), std::string("\xBC\x00\x00\x00\x00", 5));
    EXPECT_EQ(BE32At(document, 5), 2u); // its place in the bank, not in the folder
    const u32 embedded = BE32At(document, 9);
    EXPECT_EQ(document.substr(13, 4), "RIFF");
    EXPECT_EQ(BE32At(document, 13 + embedded), 3u);

    NSFerrant::COwnedMemoryMedia media(i64(document.size()), document.data());
    media.fPosition = 13 + embedded + 4;
    CRelativePath path;
    path.Read(media);
    EXPECT_EQ(path.GetDisplayText(), Text("../../Samples/1. Left"));

    // N is the embedded file's length exactly: its form ends there, with no stray pad byte after it.
    EXPECT_EQ(NSByteOrder::ReadLE32(reinterpret_cast<const u8*>(document.data()) + 17), embedded - 8);
    NSFerrant::COwnedMemoryMedia embeddedBank(embedded, document.data() + 13);
    const NSFerrant::TSoundFontData read = NSFerrant::ReadSoundFont(embeddedBank);
    EXPECT_EQ(read.fPresetHeaders.size(), 2u);
    EXPECT_EQ(read.fSampleHeaders.size(), 3u);

    EXPECT_EQ(BytesOf(*OpenItemMedia(first)), document);
}

TEST_F(SoundFontFolderTest, APresetOfABankThatGainedSamplesOnDiskIsRefused)
{
    TSoundFontFixture bank;
    WriteBytes("Fixture.sf2", bank.Build());
    const CItemPtr preset = Child(Child(FileItem("Fixture.sf2"), 0), 0);
    // The tree stays as first built; the document reads the bank anew.
    bank.fSamples.insert(bank.fSamples.end() - 1, 100, bank.fSamples[2]);
    WriteBytes("Fixture.sf2", bank.Build());
    EXPECT_THROW(OpenItemMedia(preset), NSQuorral::XFormatViolation);
}

TEST_F(SoundFontFolderTest, ABankInAPackageIsAFolderToo)
{
    const NSTestSupport::TBytes bankBytes = TSoundFontFixture().Build();
    TTestPackage package;
    package.fEntries = {{Text("Banks:Fixture.sf2"), kPackedTypeSoundFont, bankBytes, false}};
    WritePackage("a.vtl", package);
    CItemPtr mono;
    {
        const CItemPtr entry = FindChildItem(FindChildItem(PackageItem("a.vtl"), Text("Banks")), Text("Fixture.sf2"));
        EXPECT_TRUE(entry->IsBrowsableFile());
        EXPECT_EQ(TreeOf(entry), "Presets{1. Piano,2. Strings},Samples{1. Left,2. Right,3. Mono,  1+2. Stereo pair}");
        mono = Child(Child(entry, 1), 2);
    }
    // The sample holds the bank's entry, and through it the package.
    EXPECT_EQ(BytesOf(*OpenItemMedia(mono)).size(), 36u + 24u);
    const std::string preset = BytesOf(*OpenItemMedia(Child(Child(mono->GetParent()->GetParent(), 0), 0)));
    EXPECT_EQ(BE32At(preset, 5), 1u);
}

class CSystemBankTest : public SoundFontFolderTest, public ::testing::WithParamInterface<const char*>
{
};

// Every sample document holds the bank's words, and pairs appear exactly where a linked left half
// and the half it names agree.
TEST_P(CSystemBankTest, EverySampleDocumentHoldsTheBanksWords)
{
    const std::filesystem::path path = std::filesystem::path(L"Z:\\usr\\share\\sounds\\sf2") / GetParam();
    const CItemPtr bank = GetItemForFile(NSFileLibSupport::FileSpecFromWinPath(NSTextPackage::FromWide(path.c_str())));
    const CItemDatabaseBatch batch;
    const std::vector<CItemPtr> folders = GetChildItems(bank);
    ASSERT_EQ(NamesOf(folders), (std::vector<TUTF16String>{Text("Presets"), Text("Samples")}));
    const std::vector<CItemPtr> samples = GetChildItems(folders[1]);

    NSFileLibSupport::COpenFile file(NSFileLibSupport::FileSpecFromWinPath(NSTextPackage::FromWide(path.c_str())).get());
    const NSFerrant::TSoundFontData data = NSFerrant::ReadSoundFont(file);
    const std::unique_ptr<NSFerrant::CMedia> words = NSFerrant::OpenSoundFontSampleData(file);
    const size_t count = data.fSampleHeaders.size();
    ASSERT_GE(samples.size(), count);
    for (size_t index = 0; index < count; ++index)
    {
        const NSFerrant::TSoundFontSampleHeader& header = data.fSampleHeaders[index];
        const std::string document = BytesOf(*OpenItemMedia(samples[index]));
        ASSERT_EQ(WordsAt(document, 36), NSFerrant::ReadSoundFontSampleWords(*words, header)) << index;
    }
    size_t pairs = 0;
    for (const NSFerrant::TSoundFontSampleHeader& left : data.fSampleHeaders)
    {
        if (left.fSampleType != 4 || left.fLinkedSample >= count)
            continue;
        const NSFerrant::TSoundFontSampleHeader& right = data.fSampleHeaders[left.fLinkedSample];
        pairs += left.fLoopStart - left.fStart == right.fLoopStart - right.fStart &&
                 left.fLoopEnd - left.fStart == right.fLoopEnd - right.fStart &&
                 left.fSampleRate == right.fSampleRate && left.fRootKey == right.fRootKey &&
                 left.fPitchCorrection == right.fPitchCorrection;
    }
    EXPECT_EQ(samples.size(), count + pairs);
}

INSTANTIATE_TEST_SUITE_P(DebianBanks, CSystemBankTest, ::testing::Values("TimGM6mb.sf2", "FluidR3_GM.sf2"));
} // namespace
} // namespace NSContentTests
