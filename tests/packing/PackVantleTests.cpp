// The pack driver end to end, without a window: real source folders made by the fixture script,
// the real GUI library answering alerts from a queue, a progress object that records the phases
// and can stop the pack anywhere.
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "base/Win32Calls.h"
#include "content/references/SampleReference.h"
#include "dlls/trellis/TrellisHeadless.h"
#include "filelib/FileLibAccess.h"
#include "filelib/FileLibWrappers.h"
#include "packing/CreateWindowData.h"
#include "packing/PackDriver.h"
#include "packing/PackJob.h"
#include "filelib/WinShortcuts.h"
#include "gui/TrellisInterface.h"
#include "media/bigfile/BigFileMediaWrapper.h"
#include "packing/K42SongProcessors.h"
#include "tests/content/vfs/ContentTestSupport.h"
#include "tests/packing/IndependentPackageReader.h"
#include "tests/packing/ProcessorTestSupport.h"
#include "tests/support/AudioFileBuilder.h"
#include "tests/support/DurabilityLog.h"
#include "tests/support/FixtureFiles.h"
#include "tests/support/HostDocumentBytes.h"
#include "tests/support/LoopFiles.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string_view>

namespace
{
using NSContentTests::Text;
using NSTextPackage::TUTF16String;
namespace fs = std::filesystem;
namespace H = NSHostDocumentBytes;

std::string Narrow(const TUTF16String& text)
{
    return NSTextPackage::UTF16ToUTF8(text);
}

std::string Narrow(const u16* text)
{
    return Narrow(TUTF16String(text));
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

fs::path PackFixtures()
{
    return NSTestSupport::WinePathOfLinuxPath(VANTLE_PACK_FIXTURE_DIR);
}

// The relative path of a package entry's name; the names of the fixtures keep to the characters
// that Windows-1252 and Latin-1 share.
fs::path EntryPath(const std::string& name)
{
    std::wstring path;
    for (const char c : name)
        path += c == ':' ? L'/' : wchar_t(u8(c));
    return fs::path(path);
}

// The frames sox decoded from a sample of the clean source folder, at the depth a packed sample
// keeps: 16 bits for sources of up to 16, else 24.
std::vector<i32> SourceFrames(const std::string& entryName, u8 bits)
{
    fs::path file = PackFixtures() / "pcm" / EntryPath(entryName);
    file += ".s32";
    const std::string bytes = ReadAll(file);
    EXPECT_FALSE(bytes.empty()) << file;
    std::vector<i32> frames(bytes.size() / 4);
    for (std::size_t i = 0; i < frames.size(); ++i)
    {
        const u32 value = u32(u8(bytes[4 * i])) | (u32(u8(bytes[4 * i + 1])) << 8) |
                          (u32(u8(bytes[4 * i + 2])) << 16) | (u32(u8(bytes[4 * i + 3])) << 24);
        // Left-justified 32-bit values: the 24-bit scale, and for 16 bits its top 16.
        frames[i] = bits == 16 ? i32(value) >> 16 : i32(value) >> 8;
    }
    return frames;
}

// A Braider patch, which the package keeps compressed: large enough for several pieces of the
// compressor, and holding nothing the packer rewrites.
std::string BraiderPatch()
{
    H::TBytes parameters;
    for (u32 i = 0; i < 60000; ++i)
        parameters.push_back(u8((i * 7) ^ (i >> 5)));
    const H::TBytes embedded =
        H::FORM("EMBF", {H::Chunk("NAME", H::Text("pad.wav")), H::Chunk("DATA", H::Text("xyzw"))});
    const H::TBytes patch = H::FORM("PTCH", {H::Chunk("PRMS", parameters), H::CAT("REFS", {embedded})});
    return std::string(patch.begin(), patch.end());
}

std::string Bytes(const H::TBytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

void WriteWAVE(const fs::path& file, const NSTestSupport::TWAVESpec& wave)
{
    std::ofstream(file, std::ios::binary) << Bytes(NSTestSupport::BuildWAVE(wave));
}

// The alert of a pack ended by the entry at that package path.
std::string BadFormatAlert(const std::string& entry)
{
    return "[Bad format] The file \xE2\x80\x9C" + entry +
           "\xE2\x80\x9D is in a bad format and could not be packed. Packing is cancelled.\n";
}

// The members of an IFF group (FORM, CAT or LIST), each whole with its pad byte; the group's
// size field must cover exactly its bytes.
std::vector<H::TBytes> GroupMembers(const std::vector<u8>& group)
{
    std::vector<H::TBytes> members;
    if (group.size() < 12)
    {
        ADD_FAILURE() << "no IFF group";
        return members;
    }
    EXPECT_EQ(std::size_t(NSByteOrder::ReadBE32(&group[4])) + 8, group.size()) << "the group's size field";
    std::size_t at = 12;
    while (at + 8 <= group.size())
    {
        const std::size_t size = NSByteOrder::ReadBE32(&group[at + 4]);
        const std::size_t end = at + 8 + size + size % 2;
        if (end > group.size())
        {
            ADD_FAILURE() << "a member runs past its group";
            break;
        }
        members.emplace_back(group.begin() + std::ptrdiff_t(at), group.begin() + std::ptrdiff_t(end));
        at = end;
    }
    EXPECT_EQ(at, group.size()) << "bytes left after the last member";
    return members;
}

// The reference stored in a "REFE" chunk, read with the program's own reader.
CSF10ReferenceChunk ReadREFE(const H::TBytes& chunk)
{
    EXPECT_EQ(Bytes(H::TBytes(chunk.begin(), chunk.begin() + 4)), "REFE");
    NSFerrant::COwnedMemoryMedia body = H::MediaOf(H::TBytes(chunk.begin() + 8, chunk.end()));
    return CSF10ReferenceChunk(body);
}

std::vector<std::string> ComponentTexts(const TPathComponents& components)
{
    std::vector<std::string> texts;
    for (const THashedString& component : components)
        texts.push_back(Narrow(component.GetText()));
    return texts;
}

// A reference relocated into the package "Test Bank" of the fixtures: its database path names the
// entry below the package, its relative path leads there from the referring document's folder,
// and it has no absolute path.
void ExpectRelocated(const CSF10ReferenceChunk& reference, const std::string& trueName,
                     const std::vector<std::string>& belowPackage, u32 stepUp)
{
    SCOPED_TRACE(trueName);
    EXPECT_EQ(Narrow(reference.fTrueName.GetText()), trueName);
    EXPECT_EQ(Narrow(reference.fVantleName.GetText()), "Test Bank");
    EXPECT_EQ(Narrow(reference.fVantleURL.GetText()), "https://example.com/bank");
    EXPECT_EQ(reference.fDatabasePath.fValid, 1);
    EXPECT_EQ(reference.fDatabasePath.fPathKind, u32(kDatabasePathInPackage));
    EXPECT_EQ(Narrow(reference.fDatabasePath.fVantleName.GetText()), "Test Bank");
    std::vector<std::string> inPackage{"Test Bank"};
    inPackage.insert(inPackage.end(), belowPackage.begin(), belowPackage.end());
    EXPECT_EQ(ComponentTexts(reference.fDatabasePath.fComponents), inPackage);
    EXPECT_EQ(reference.fRelativePath.fValid, 1);
    EXPECT_EQ(reference.fRelativePath.fStepUp, stepUp);
    EXPECT_EQ(ComponentTexts(reference.fRelativePath.fComponents), belowPackage);
    EXPECT_EQ(reference.fAbsolutePath.fValid, 0);
}

const NSPackingTests::TIndependentEntry* FindEntry(const NSPackingTests::TIndependentPackage& package,
                                                   const std::string& name)
{
    for (const auto& entry : package.fEntries)
        if (entry.fName == name)
            return &entry;
    ADD_FAILURE() << "no entry " << name;
    return nullptr;
}

bool IsGroup(const H::TBytes& member)
{
    const std::string id = Bytes(H::TBytes(member.begin(), member.begin() + 4));
    return id == "FORM" || id == "CAT " || id == "LIST";
}

// Checks a packed document (or one of its groups) against its source, member by member and down
// through nested groups: the group keeps its id and type, every plain chunk and every member of a
// references group that is no reference is unchanged, and each reference of a "CAT " "REFS" group
// is in its place, relocated as `check` expects (called with each reference in turn). Answers how
// many references were checked.
template <class TCheck>
int ExpectMembersRelocated(const H::TBytes& packed, const H::TBytes& source, TCheck& check)
{
    if (packed.size() < 12 || source.size() < 12)
    {
        ADD_FAILURE() << "no IFF group";
        return 0;
    }
    EXPECT_EQ(Bytes(H::TBytes(packed.begin(), packed.begin() + 4)),
              Bytes(H::TBytes(source.begin(), source.begin() + 4)));
    const std::string type = Bytes(H::TBytes(source.begin() + 8, source.begin() + 12));
    EXPECT_EQ(Bytes(H::TBytes(packed.begin() + 8, packed.begin() + 12)), type);
    const bool referenceGroup =
        Bytes(H::TBytes(source.begin(), source.begin() + 4)) == "CAT " && type == "REFS";
    const std::vector<H::TBytes> packedMembers = GroupMembers(packed);
    const std::vector<H::TBytes> sourceMembers = GroupMembers(source);
    EXPECT_EQ(packedMembers.size(), sourceMembers.size()) << "members of " << type;
    int references = 0;
    for (std::size_t i = 0; i < std::min(sourceMembers.size(), packedMembers.size()); ++i)
    {
        const std::string id = Bytes(H::TBytes(sourceMembers[i].begin(), sourceMembers[i].begin() + 4));
        if (referenceGroup && id == "REFE")
        {
            check(ReadREFE(packedMembers[i]));
            ++references;
        }
        else if (IsGroup(sourceMembers[i]))
        {
            references += ExpectMembersRelocated(packedMembers[i], sourceMembers[i], check);
        }
        else
        {
            EXPECT_TRUE(packedMembers[i] == sourceMembers[i])
                << "member " << i << " of " << type << " changed";
        }
    }
    return references;
}

template <class TCheck>
void ExpectDocumentRelocated(const std::vector<u8>& packed, const H::TBytes& source, TCheck check)
{
    EXPECT_GT(ExpectMembersRelocated(packed, source, check), 0);
}

// Checks every entry of the package against its file in the source folder: a sample decodes to
// the frames sox reads from it (the fixture's WAVE samples are stereo, the others mono, the 24-bit
// ones named so), a compressed entry inflates to it, any other entry is a copy of it. Answers how
// many entries each packed type has.
std::map<u32, int> ExpectEntriesUnpackToTheirSources(const NSPackingTests::TIndependentPackage& package,
                                                     const fs::path& source)
{
    std::map<u32, int> types;
    for (const auto& entry : package.fEntries)
    {
        SCOPED_TRACE(entry.fName);
        ++types[entry.fPackedType];
        if (!entry.fSample)
        {
            const std::string content(entry.fContent.begin(), entry.fContent.end());
            EXPECT_TRUE(content == ReadAll(source / EntryPath(entry.fName)))
                << "the entry differs from its source";
            continue;
        }
        const NSPackingTests::TIndependentSample& sample = *entry.fSample;
        const bool deep = entry.fName.find("24.") != std::string::npos;
        const u8 channels = entry.fName.rfind("Samples:WAVE:", 0) == 0 ? 2 : 1;
        EXPECT_EQ(sample.fBits, deep ? 24 : 16);
        EXPECT_EQ(sample.fChannels, channels);
        EXPECT_EQ(sample.fSampleRate, 44100u);
        EXPECT_EQ(sample.fLoopMode, 0);
        EXPECT_EQ(sample.fLoopEnd, sample.fFrameCount);
        const std::vector<i32> frames = SourceFrames(entry.fName, sample.fBits);
        EXPECT_EQ(std::size_t(sample.fFrameCount) * channels, frames.size());
        EXPECT_TRUE(sample.fSamples == frames) << "the decoded frames differ from the source's";
    }
    return types;
}

// Records the phases begun and ended; stops the pack (as the user's Stop does) at the first
// progress call of a chosen phase, or at a chosen item of it. fOnBeginPhase, when set, runs as
// each phase begins, so a test can change the source files between two phases.
class CRecordingProgress final : public NSVantlePacking::IVantlePackingProgress
{
public:
    void BeginPhase(TPackJobHandle&, u32 phase, u64) override
    {
        fPhases.push_back(phase);
        if (fOnBeginPhase)
            fOnBeginPhase(phase);
        StopIfAsked(phase, 0, true);
    }
    void Item(TPackJobHandle&, u64, const CSourceNode*, const TUTF16String& name) override
    {
        fLastItem = name;
        ++fItemsInPhase;
        StopIfAsked(fPhases.back(), fItemsInPhase, false);
    }
    void EndPhase(TPackJobHandle&, u32 phase) override
    {
        fEnded.push_back(phase);
        fItemsInPhase = 0;
    }

    std::vector<u32> fPhases;
    std::vector<u32> fEnded;
    // Stop at the phase's start, or at its nth item when fStopItem is not 0.
    std::optional<u32> fStopPhase;
    u64 fStopItem = 0;
    std::function<void(u32 phase)> fOnBeginPhase;
    TUTF16String fLastItem;

private:
    void StopIfAsked(u32 phase, u64 item, bool atBegin)
    {
        if (!fStopPhase || *fStopPhase != phase || (atBegin != (fStopItem == 0)) ||
            (!atBegin && item != fStopItem))
            return;
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XSilentAbort("User aborted"));
    }
    u64 fItemsInPhase = 0;
};

std::vector<std::string> gOpenedLogs;

void WinShortcut(const TUTF16String& target, const TUTF16String& shortcut)
{
    WinCreateShortcut(target, shortcut, Text("test"));
}

void RecordOpenedLog(const NSFileLibSupport::TFileSpecPtr& log)
{
    gOpenedLogs.push_back(Narrow(NSFileLibSupport::GetFileWinPath(log.get())));
}

struct TShownAlert
{
    std::string fTitle;
    std::string fMessage;
};

// The alerts shown, for failure messages.
std::string Describe(const std::vector<TShownAlert>& alerts)
{
    std::string text;
    for (const TShownAlert& alert : alerts)
        text += "[" + alert.fTitle + "] " + alert.fMessage + "\n";
    return text;
}

std::vector<std::string> TemporaryFolderNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class PackVantleTest : public NSContentTests::CItemTest
{
protected:
    void SetUp() override
    {
        CItemTest::SetUp();
        ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
        fPreviousOpener = NSVantlePacking::SetLogOpener(&RecordOpenedLog);
        gOpenedLogs.clear();
        MakeFolder("Out");
    }
    void TearDown() override
    {
        NSVantlePacking::SetLogOpener(fPreviousOpener);
        TrellisHeadless_Enable(0);
        CItemTest::TearDown();
    }

    // Copies a source folder of the fixture script into the scratch folder as "Source".
    void UseSource(const std::string& name)
    {
        fs::copy(PackFixtures() / name, Scratch().Path() / "Source", fs::copy_options::recursive);
    }
    fs::path Out() const { return Scratch().Path() / "Out"; }
    fs::path Package() const { return Out() / "Test Bank.vtl"; }
    // Where the package is written and checked until it takes its name.
    fs::path UncheckedPackage() const { return Out() / "~Test Bank.vtl.packing.tmp"; }

    // Runs the pack; answers whether it returned normally (a failure must be a silent abort).
    bool Pack(NSVantlePacking::IVantlePackingProgress* progress) { return PackFolder(FolderPath("Source"), progress); }
    // The same with the source folder given by its Windows path (ending in "\\").
    bool PackFolder(const TUTF16String& source, NSVantlePacking::IVantlePackingProgress* progress)
    {
        const auto output = std::make_shared<NSFileLibSupport::CRobustFileSpec>(
            NSFileLibSupport::DirSpecFromWinPath(FolderPath("Out")).get(), Text("Test Bank.vtl"));
        try
        {
            NSVantlePacking::PackVantle(NSFileLibSupport::DirSpecFromWinPath(source), output, fInfo, fSplash, 0,
                                        progress);
            return true;
        }
        catch (const NSQuorral::XSilentAbort&)
        {
            return false;
        }
        catch (const std::exception& failure)
        {
            ADD_FAILURE() << "failure of kind " << NSQuorral::ClassifyException(failure).fKind << ": "
                          << failure.what();
            return false;
        }
    }

    // Puts the patch into the source folder as Patches/Lead.crv.
    void AddPatch(const H::TBytes& patch) const
    {
        const fs::path folder = Scratch().Path() / "Source" / "Patches";
        fs::create_directories(folder);
        std::ofstream(folder / "Lead.crv", std::ios::binary) << Bytes(patch);
    }

    // Puts a K42 song using Samples/Kick.aif into the source folder as Songs/Demo.tessaro, its
    // container holding the other streams besides.
    void AddK42Song(const std::map<u32, H::TBytes>& otherStreams) const
    {
        fs::create_directories(Scratch().Path() / "Source" / "Songs");
        const H::TBytes song = H::FORM(
            "K42S", {H::Chunk("HEAD", H::Text("k42")),
                     H::FORM("REMB", {H::CAT("REFS", {H::RelativeREFE("kick", 1, {"Samples", "Kick.aif"})})})});
        NSPackingTests::MakeK42Container(FilePath("Source/Songs/Demo.tessaro"), song, otherStreams);
    }

    // Puts the song into the source folder as Songs/Demo.tns.
    void AddSong(const H::TBytes& song) const
    {
        const fs::path folder = Scratch().Path() / "Source" / "Songs";
        fs::create_directories(folder);
        std::ofstream(folder / "Demo.tns", std::ios::binary) << Bytes(song);
    }

    // Packs, expecting an abort with problems (alert 7 alone and one log); answers the log.
    std::string PackAborted()
    {
        EXPECT_FALSE(Pack(nullptr));
        EXPECT_EQ(Describe(Alerts()),
                  "[Pack has been aborted] Problems were encountered during the packing of the "
                  "Vantle. See the generated log file in the destination folder for more info.\n");
        const std::vector<fs::path> logs = Logs();
        EXPECT_EQ(logs.size(), 1u);
        return logs.size() == 1 ? ReadAll(logs[0]) : std::string();
    }

    // Packs, expecting a clean pack of that many files (alert 5 and a log of its last line
    // alone), and reads the package back.
    NSPackingTests::TIndependentPackage PackClean(u32 files)
    {
        const bool packed = Pack(nullptr);
        const std::vector<TShownAlert> alerts = Alerts();
        EXPECT_TRUE(packed) << Describe(alerts) << LogTexts();
        EXPECT_EQ(Describe(alerts), "[Pack complete] The Vantle file has been packed successfully! " +
                                        std::to_string(files) + " files were added.\n");
        EXPECT_EQ(LogTexts(), "Packing complete\r\n");
        return NSPackingTests::ReadPackageIndependently(Package());
    }

    static std::vector<TShownAlert> Alerts()
    {
        u32 count = 0;
        EXPECT_EQ(TrellisHeadless_CountRecords(&count), kTrellisOK);
        std::vector<TShownAlert> alerts;
        for (u32 i = 0; i < count; ++i)
        {
            TTrellisHeadlessRecord record{};
            EXPECT_EQ(TrellisHeadless_GetRecord(i, &record), kTrellisOK);
            alerts.push_back({Narrow(record.fAlert.fTitle), Narrow(record.fAlert.fMessage)});
        }
        return alerts;
    }

    // The one alert shown is the unresolved-references alert naming that file, and the pack left
    // nothing in the output folder: no package, no log.
    void ExpectOnlyTheUnresolvedAlert(const TUTF16String& file) const
    {
        u32 count = 0;
        ASSERT_EQ(TrellisHeadless_CountRecords(&count), kTrellisOK);
        ASSERT_EQ(count, 1u) << Describe(Alerts());
        TTrellisHeadlessRecord record{};
        ASSERT_EQ(TrellisHeadless_GetRecord(0, &record), kTrellisOK);
        EXPECT_EQ(record.fAlert.fIcon, kAlertIconStop);
        EXPECT_EQ(record.fAlert.fOperation, kAlertOneButton);
        EXPECT_EQ(Narrow(record.fAlert.fTitle), "Unresolved references");
        EXPECT_EQ(Narrow(record.fAlert.fMessage),
                  "The file \xE2\x80\x9C" + Narrow(file) +
                      "\xE2\x80\x9D has unresolved references to external files. Packing is cancelled.");
        EXPECT_EQ(Narrow(record.fAlert.fButtons[0]), "OK");
        EXPECT_TRUE(OutputNames().empty()) << "no package and no log";
        EXPECT_TRUE(gOpenedLogs.empty());
    }

    std::vector<std::string> OutputNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Out()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<fs::path> Logs() const
    {
        std::vector<fs::path> logs;
        for (const auto& entry : fs::directory_iterator(Out()))
            if (entry.path().filename().string().find(" packing log ") != std::string::npos)
                logs.push_back(entry.path());
        std::sort(logs.begin(), logs.end());
        return logs;
    }

    std::string LogTexts() const
    {
        std::string text;
        for (const fs::path& log : Logs())
            text += ReadAll(log);
        return text;
    }

    CVantleInfo fInfo;
    std::shared_ptr<NSFerrant::CVRAMBitmap> fSplash;
    NSVantlePacking::TLogOpener fPreviousOpener = nullptr;
};

TEST_F(PackVantleTest, ACleanPackReportsTheFilesAddedAndWritesACompleteLog)
{
    UseSource("clean");
    CRecordingProgress progress;
    ASSERT_TRUE(Pack(&progress)) << Describe(Alerts()) << LogTexts();
    EXPECT_EQ(progress.fPhases, (std::vector<u32>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(progress.fEnded, progress.fPhases);
    const std::vector<TShownAlert> alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].fTitle, "Pack complete");
    EXPECT_EQ(alerts[0].fMessage, "The Vantle file has been packed successfully! 9 files were added.");
    EXPECT_EQ(fInfo.fFileCount, 9u);
    EXPECT_EQ(Narrow(fInfo.fName), "Test Bank");
    ASSERT_TRUE(fSplash);
    const std::vector<fs::path> logs = Logs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(ReadAll(logs[0]), "Packing complete\r\n");
    EXPECT_EQ(OutputNames().size(), 2u);
    EXPECT_TRUE(gOpenedLogs.empty());
}

TEST_F(PackVantleTest, ThePackageReadsBackInTreeOrderAndEveryEntryUnpacksToItsSource)
{
    UseSource("clean");
    const fs::path source = Scratch().Path() / "Source";
    fs::create_directory(source / "Patches");
    std::ofstream(source / "Patches" / "Pad.brd", std::ios::binary) << BraiderPatch();
    ASSERT_TRUE(Pack(nullptr)) << Describe(Alerts());
    const NSPackingTests::TIndependentPackage package = NSPackingTests::ReadPackageIndependently(Package());
    EXPECT_EQ(package.fName, "Test Bank");
    EXPECT_EQ(package.fComments, "First line\r\nSecond line");
    EXPECT_EQ(package.fURL, "https://example.com/bank");
    EXPECT_EQ(package.fCopyright, "Copyright 2026 Example");
    const std::map<u32, int> types = ExpectEntriesUnpackToTheirSources(package, source);
    std::vector<std::string> names;
    for (const auto& entry : package.fEntries)
    {
        names.push_back(entry.fName);
        EXPECT_EQ(entry.fFlag, entry.fName == "SPLASH.JPG" ? 1 : 0) << entry.fName;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"D\xE9j\xE0 vu:Crash.wav", "Patches:Pad.brd",
                                               "Samples:AIFF:Tone 16.aif", "Samples:AIFF:Tone 24.aif",
                                               "Samples:AIFF:Tone 8.aif", "Samples:WAVE:Tone 16.wav",
                                               "Samples:WAVE:Tone 24.wav", "Samples:WAVE:Tone 8.wav",
                                               "Samples:Kick.aif", "SPLASH.JPG"}));
    EXPECT_EQ(types, (std::map<u32, int>{{NSPackingTests::kIndependentSampleType, 8},
                                         {9, 1}, // the splash, a JPEG
                                         {NSPackingTests::kIndependentCompressedType, 1}}));
}

TEST_F(PackVantleTest, ASoundFontBankAndAMIDIFilePackCleanAndAreCopiedWhole)
{
    UseSource("music");
    ASSERT_TRUE(Pack(nullptr)) << Describe(Alerts()) << LogTexts();
    const std::vector<TShownAlert> alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].fMessage, "The Vantle file has been packed successfully! 3 files were added.");
    const NSPackingTests::TIndependentPackage package = NSPackingTests::ReadPackageIndependently(Package());
    std::vector<std::string> names;
    for (const auto& entry : package.fEntries)
        names.push_back(entry.fName);
    EXPECT_EQ(names, (std::vector<std::string>{"Banks:TimGM6mb.sf2", "Songs:Tune.mid", "SPLASH.JPG"}));
    // A SoundFont bank, a MIDI file and the splash, a JPEG.
    EXPECT_EQ(ExpectEntriesUnpackToTheirSources(package, Scratch().Path() / "Source"),
              (std::map<u32, int>{{16, 1}, {10, 1}, {9, 1}}));
}

// A Carvel patch in Patches/ that uses two samples of the clean source folder by relative paths,
// with chunks before and after its references and an embedded file among them.
H::TBytes PatchUsingTheCleanSamples()
{
    const H::TBytes embedded =
        H::FORM("EMBF", {H::Chunk("NAME", H::Text("pad.wav")), H::Chunk("DATA", H::Text("xyz"))});
    return H::FORM("PTCH", {H::PatchDescription("Carvel Analog Synth"), H::Chunk("PRMS", H::Text("odd")),
                            H::CAT("REFS", {H::RelativeREFE("kick", 1, {"Samples", "Kick.aif"}), embedded,
                                            H::RelativeREFE("crash", 1, {"D\xE9j\xE0 vu", "Crash.wav"})}),
                            H::LIST("XTRA", {H::Chunk("DATA", H::Text("tail"))})});
}

TEST_F(PackVantleTest, PackedPatchReferencesPointIntoThePackageAndTheRestIsUnchanged)
{
    UseSource("clean");
    const H::TBytes patch = PatchUsingTheCleanSamples();
    AddPatch(patch);
    const NSPackingTests::TIndependentPackage package = PackClean(10);
    const NSPackingTests::TIndependentEntry* packed = FindEntry(package, "Patches:Lead.crv");
    ASSERT_NE(packed, nullptr);
    EXPECT_EQ(packed->fPackedType, 2u); // a Carvel patch, stored as it is
    std::vector<std::string> checked;
    ExpectDocumentRelocated(
        packed->fContent, patch,
        [&](const CSF10ReferenceChunk& reference)
        {
            const std::string name = Narrow(reference.fTrueName.GetText());
            checked.push_back(name);
            if (name == "kick")
                ExpectRelocated(reference, "kick", {"Samples", "Kick.aif"}, 1);
            else
                ExpectRelocated(reference, "crash", {"D\xC3\xA9j\xC3\xA0 vu", "Crash.wav"}, 1);
            EXPECT_EQ(reference.fSampleType, u32(kSampleReferenceSample));
        });
    EXPECT_EQ(checked, (std::vector<std::string>{"kick", "crash"}));
    // The targets are packed samples of the package.
    for (const char* target : {"Samples:Kick.aif", "D\xE9j\xE0 vu:Crash.wav"})
    {
        const NSPackingTests::TIndependentEntry* entry = FindEntry(package, target);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->fPackedType, NSPackingTests::kIndependentSampleType) << target;
    }
}

// The URL the file library gives the file at that Windows path.
std::string FileURL(const TUTF16String& path)
{
    char url[NSFileLib::kFileLibURLBufferBytes] = {};
    EXPECT_EQ(
        NSFileLibSupport::GetFileLib()->GetFileURL(NSFileLibSupport::FileSpecFromWinPath(path).get(), url),
        NSFileLib::kFileLibOK);
    return url;
}

// References of a document in Songs/ to samples of the clean source folder, one of each kind the
// packer resolves: Kick.aif by a relative path; Tone 8.aif by a database path without a package
// that names the source folder ("Source") below an old root; Tone 16.wav by a database path into
// the package being built; Crash.wav by an absolute path (its file URL alone).
H::TBytes SongReferences(const std::string& crashURL)
{
    H::TReferenceFields belowSource;
    belowSource.fDatabasePath = H::DatabasePath("", {"Old Disk", "Source", "Samples", "AIFF", "Tone 8.aif"});
    belowSource.fTrueName = "tone 8";
    H::TReferenceFields inPackage;
    inPackage.fDatabasePath = H::DatabasePath("Test Bank", {"Test Bank", "Samples", "WAVE", "Tone 16.wav"});
    inPackage.fVantleName = "Test Bank";
    inPackage.fTrueName = "tone 16";
    H::TReferenceFields absolute;
    absolute.fAbsolutePath = H::AbsolutePathByURL(crashURL);
    absolute.fTrueName = "crash";
    const H::TBytes embedded =
        H::FORM("EMBF", {H::Chunk("NAME", H::Text("pad.wav")), H::Chunk("DATA", H::Text("xyz"))});
    return H::CAT("REFS", {H::RelativeREFE("kick", 1, {"Samples", "Kick.aif"}),
                           H::Chunk("REFE", H::ReferenceBodyOf(belowSource)), embedded,
                           H::Chunk("REFE", H::ReferenceBodyOf(inPackage)),
                           H::Chunk("REFE", H::ReferenceBodyOf(absolute))});
}

// Where the references of SongReferences point once packed, below the package.
void ExpectSongReferenceRelocated(const CSF10ReferenceChunk& reference)
{
    static const std::map<std::string, std::vector<std::string>> kTargets = {
        {"kick", {"Samples", "Kick.aif"}},
        {"tone 8", {"Samples", "AIFF", "Tone 8.aif"}},
        {"tone 16", {"Samples", "WAVE", "Tone 16.wav"}},
        {"crash", {"D\xC3\xA9j\xC3\xA0 vu", "Crash.wav"}},
    };
    const std::string name = Narrow(reference.fTrueName.GetText());
    const auto target = kTargets.find(name);
    ASSERT_NE(target, kTargets.end()) << name;
    ExpectRelocated(reference, name, target->second, 1);
    EXPECT_EQ(reference.fSampleType, u32(kSampleReferenceSample));
}

// The zlib stream of those bytes, for a published song's compressed body.
H::TBytes Deflated(const H::TBytes& bytes)
{
    uLongf size = compressBound(uLong(bytes.size()));
    H::TBytes deflated(size);
    EXPECT_EQ(compress2(deflated.data(), &size, bytes.data(), uLong(bytes.size()), 9), Z_OK);
    deflated.resize(size);
    return deflated;
}

// The bytes of a zlib stream that must inflate to fewer than a mebibyte.
H::TBytes Inflated(const H::TBytes& bytes)
{
    uLongf size = 1 << 20;
    H::TBytes inflated(size);
    EXPECT_EQ(uncompress(inflated.data(), &size, bytes.data(), uLong(bytes.size())), Z_OK);
    inflated.resize(size);
    return inflated;
}

// A published song ("TNPS", or "TPS2" with its body deflated) around the song, with a chunk of
// odd size before the body and a group after it.
H::TBytes PublishedSong(const H::TBytes& song, bool deflated)
{
    return H::FORM(deflated ? "TPS2" : "TNPS",
                   {H::Chunk("INFO", H::Text("pad")), H::Chunk("BODY", deflated ? Deflated(song) : song),
                    H::FORM("ARTW", {H::Chunk("DATA", H::Text("xy"))})});
}

// Checks a packed published song against its source: the same form type, the chunks around the
// body unchanged, and the body (inflated when deflated) the song with its references relocated.
template <class TCheck>
void ExpectPublishedSongRelocated(const std::vector<u8>& packed, const H::TBytes& source,
                                  const H::TBytes& song, bool deflated, TCheck& check)
{
    ASSERT_GE(packed.size(), 12u);
    // Its size follows the relocated references; GroupMembers checks it against the bytes.
    EXPECT_EQ(Bytes(H::TBytes(packed.begin() + 8, packed.begin() + 12)),
              Bytes(H::TBytes(source.begin() + 8, source.begin() + 12)));
    const std::vector<H::TBytes> packedMembers = GroupMembers(packed);
    const std::vector<H::TBytes> sourceMembers = GroupMembers(source);
    ASSERT_EQ(packedMembers.size(), 3u);
    EXPECT_TRUE(packedMembers[0] == sourceMembers[0]) << "the chunk before the body changed";
    EXPECT_TRUE(packedMembers[2] == sourceMembers[2]) << "the group after the body changed";
    const H::TBytes& body = packedMembers[1];
    ASSERT_EQ(Bytes(H::TBytes(body.begin(), body.begin() + 4)), "BODY");
    const H::TBytes stored(body.begin() + 8, body.begin() + 8 + NSByteOrder::ReadBE32(&body[4]));
    EXPECT_EQ(ExpectMembersRelocated(deflated ? Inflated(stored) : stored, song, check), 4);
}

// A host song, a published song (raw and deflated) and a K42 song (with two further streams) in
// Songs/, each using samples of the clean source folder by each kind of reference.
TEST_F(PackVantleTest, PackedSongReferencesOfEveryKindPointIntoThePackageAndTheRestIsUnchanged)
{
    UseSource("clean");
    const H::TBytes references = SongReferences(
        FileURL(FolderPath("Source") + NSTextPackage::FromUTF8("D\xC3\xA9j\xC3\xA0 vu\\Crash.wav")));
    const H::TBytes song = H::CAT("TS10", {H::Chunk("HEAD", H::Text("odd")), references,
                                           H::LIST("XTRA", {H::Chunk("DATA", H::Text("tail"))})});
    AddSong(song);
    const H::TBytes k42Song =
        H::FORM("K42S", {H::Chunk("HEAD", H::Text("k42")),
                         H::FORM("REMB", {references, H::Chunk("PRMS", H::Text("p"))})});
    const std::map<u32, H::TBytes> otherStreams = {{2, H::TBytes(70000, 0x5A)}, {7, H::Text("seven")}};
    NSPackingTests::MakeK42Container(FilePath("Source/Songs/Demo.tessaro"), k42Song, otherStreams);
    const H::TBytes published = PublishedSong(song, false);
    const H::TBytes publishedDeflated = PublishedSong(song, true);
    std::ofstream(Scratch().Path() / "Source" / "Songs" / "Published.tps", std::ios::binary)
        << Bytes(published);
    std::ofstream(Scratch().Path() / "Source" / "Songs" / "Deflated.tps", std::ios::binary)
        << Bytes(publishedDeflated);

    const NSPackingTests::TIndependentPackage package = PackClean(13);
    const NSPackingTests::TIndependentEntry* packedSong = FindEntry(package, "Songs:Demo.tns");
    ASSERT_NE(packedSong, nullptr);
    EXPECT_EQ(packedSong->fPackedType, 1u); // a host song
    auto check = [](const CSF10ReferenceChunk& reference) { ExpectSongReferenceRelocated(reference); };
    EXPECT_EQ(ExpectMembersRelocated(packedSong->fContent, song, check), 4);

    // Published songs are stored as they are (no compressed entry), flagged like any file but the
    // splash.
    for (const auto& [name, source] :
         {std::pair{"Songs:Published.tps", &published}, std::pair{"Songs:Deflated.tps", &publishedDeflated}})
    {
        SCOPED_TRACE(name);
        const NSPackingTests::TIndependentEntry* entry = FindEntry(package, name);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->fPackedType, 13u);
        EXPECT_EQ(entry->fFlag, 0);
        ExpectPublishedSongRelocated(entry->fContent, *source, song, source == &publishedDeflated, check);
    }

    const NSPackingTests::TIndependentEntry* packedK42 = FindEntry(package, "Songs:Demo.tessaro");
    ASSERT_NE(packedK42, nullptr);
    EXPECT_EQ(packedK42->fPackedType, 34u); // a Tessaro song
    std::map<u32, H::TBytes> streams = NSPackingTests::StreamsOf(packedK42->fContent);
    ASSERT_EQ(streams.count(1), 1u);
    EXPECT_EQ(ExpectMembersRelocated(streams[1], k42Song, check), 4);
    streams.erase(1);
    EXPECT_TRUE(streams == otherStreams) << "the streams besides the song are copies";
}

// A song whose references resolve to nothing, one described by each rule of the log: a relative
// path, a database path (without a package, into the package being built, and into a package whose
// name differs from it only in letter case, which could not be relocated either), an absolute
// path, a reference with no valid path but its name, and a second relative path to the same
// missing file. The pack ends
// after verification with alert 7 and a log that lists the song and each reference text once.
TEST_F(PackVantleTest, UnresolvedReferencesAbortWithAlert7AndALogListingThemAndLeaveNoPackage)
{
    UseSource("clean");
    H::TReferenceFields unnamedDisk;
    unnamedDisk.fDatabasePath = H::DatabasePath("", {"Old Disk", "Source", "Samples", "Lost.aif"});
    unnamedDisk.fTrueName = "lost";
    H::TReferenceFields inPackage;
    inPackage.fDatabasePath = H::DatabasePath("Test Bank", {"Test Bank", "Samples", "Lost.aif"});
    inPackage.fVantleName = "Test Bank";
    inPackage.fTrueName = "lost too";
    H::TReferenceFields otherCase;
    otherCase.fDatabasePath = H::DatabasePath("test bank", {"test bank", "Samples", "Lost.aif"});
    otherCase.fVantleName = "test bank";
    otherCase.fTrueName = "lost as well";
    // The URL of a file that is then removed.
    const fs::path missing = Scratch().Path() / "Source" / "Samples" / "Missing.aif";
    std::ofstream(missing, std::ios::binary) << "gone";
    H::TReferenceFields absolute;
    absolute.fAbsolutePath = H::AbsolutePathByURL(FileURL(FilePath("Source/Samples/Missing.aif")));
    fs::remove(missing);
    absolute.fTrueName = "missing";
    H::TReferenceFields nameOnly;
    nameOnly.fUserFriendlyName = "Ghost";
    nameOnly.fTrueName = "ghost";
    const H::TBytes song =
        H::CAT("TS10", {H::CAT("REFS", {H::RelativeREFE("gone", 1, {"Samples", "Gone.aif"}),
                                        H::Chunk("REFE", H::ReferenceBodyOf(unnamedDisk)),
                                        H::Chunk("REFE", H::ReferenceBodyOf(inPackage)),
                                        H::Chunk("REFE", H::ReferenceBodyOf(otherCase)),
                                        H::Chunk("REFE", H::ReferenceBodyOf(absolute)),
                                        H::Chunk("REFE", H::ReferenceBodyOf(nameOnly)),
                                        H::RelativeREFE("gone again", 1, {"Samples", "Gone.aif"})})});
    AddSong(song);
    const std::vector<std::string> temporaryBefore = TemporaryFolderNames();

    const std::string log = PackAborted();
    const TUTF16String root = Database().GetDatabaseRoot()->GetName();
    // A file's references are listed in the order of their texts' UTF-16 code units.
    std::vector<TUTF16String> texts = {
        FilePath("Source/Songs/Demo.tns") + Text(" => ../Samples/Gone.aif"),
        root + Text(":Old Disk/Source/Samples/Lost.aif"),
        root + Text(":Test Bank/Samples/Lost.aif"),
        root + Text(":test bank/Samples/Lost.aif"),
        Database().GetShellRootItem()->GetName(), // an absolute path without components
        Text("Ghost"),
    };
    std::sort(texts.begin(), texts.end());
    std::string expected = "Unresolved references:\r\n"
                           "    Songs/Demo.tns\r\n"
                           "\r\n\r\n"
                           "    Songs/Demo.tns\r\n";
    for (const TUTF16String& text : texts)
        expected += "        " + Narrow(text) + "\r\n";
    expected += "\r\n"
                "\r\n\r\n\r\n\r\n\r\n"
                "Packing aborted\r\n";
    EXPECT_EQ(log, expected);
    EXPECT_EQ(OutputNames().size(), 1u) << "the log alone";
    EXPECT_EQ(TemporaryFolderNames(), temporaryBefore) << "a temporary file is left";
}

// A song whose sample is there when the files are verified, but whose reference leads nowhere by
// the time it is packed (the song was saved again in between): the pack stops at that song with
// the unresolved-references alert naming it. The failure is told by that alert alone: no package,
// no temporary file, no log.
TEST_F(PackVantleTest, AReferenceLostBetweenVerifyingAndPackingStopsThePackWithTheUnresolvedAlert)
{
    UseSource("clean");
    const auto songUsing = [](const char* sample)
    { return H::CAT("TS10", {H::CAT("REFS", {H::RelativeREFE("kick", 1, {"Samples", sample})})}); };
    AddSong(songUsing("Kick.aif"));
    const std::vector<std::string> temporaryBefore = TemporaryFolderNames();
    CRecordingProgress progress;
    // A name of the same length: the song changes in its reference alone.
    progress.fOnBeginPhase = [&](u32 phase)
    {
        if (phase == 4)
            AddSong(songUsing("Kicc.aif"));
    };

    EXPECT_FALSE(Pack(&progress));
    EXPECT_EQ(progress.fPhases, (std::vector<u32>{0, 1, 2, 3, 4}));
    ExpectOnlyTheUnresolvedAlert(FilePath("Source/Songs/Demo.tns"));
    EXPECT_EQ(TemporaryFolderNames(), temporaryBefore) << "a temporary file is left";
}

// A song in the source folder only through a shortcut to it elsewhere: its relative reference
// leads to a sample from the shortcut's folder, where the files are verified, but to nothing from
// the song's own folder, from where it is relocated when packed.
TEST_F(PackVantleTest, ASongShortcutWhoseReferenceLeadsNowhereFromTheSongStopsThePackWithTheUnresolvedAlert)
{
    UseSource("clean");
    MakeFolder("Elsewhere");
    const H::TBytes song =
        H::CAT("TS10", {H::CAT("REFS", {H::RelativeREFE("kick", 1, {"Samples", "Kick.aif"})})});
    std::ofstream(Scratch().Path() / "Elsewhere" / "Demo.tns", std::ios::binary) << Bytes(song);
    fs::create_directories(Scratch().Path() / "Source" / "Songs");
    WinShortcut(FilePath("Elsewhere/Demo.tns"), FilePath("Source/Songs/Demo.lnk"));
    const std::vector<std::string> temporaryBefore = TemporaryFolderNames();

    CRecordingProgress progress;
    EXPECT_FALSE(Pack(&progress));
    EXPECT_EQ(progress.fPhases, (std::vector<u32>{0, 1, 2, 3, 4}));
    ExpectOnlyTheUnresolvedAlert(FilePath("Source/Songs/Demo.lnk"));
    EXPECT_EQ(TemporaryFolderNames(), temporaryBefore) << "a temporary file is left";
}

// The temporary container files of K42 songs in the temporary folder.
std::size_t ContainerFilesInTheTemporaryFolder()
{
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
        count += entry.path().extension() == ".dicta";
    return count;
}

// The temporary container of a K42 song, on disk, with one write failing the way a full disk
// would: part of its bytes reach the file first. Counts the writes.
class CFailingContainerFile final : public NSBigFilePackage::CBigFileMediaWrapper
{
public:
    explicit CFailingContainerFile(NSFerrant::CMedia& file) : CBigFileMediaWrapper(file, kReadWrite) {}

    void Write(u64 offset, i64 size, const u8* source) override
    {
        ++sWrites;
        if (sWrites != sFailingWrite)
            return CBigFileMediaWrapper::Write(offset, size, source);
        CBigFileMediaWrapper::Write(offset, size / 2, source);
        sFileWasThere = ContainerFilesInTheTemporaryFolder() == 1;
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << NSQuorral::XWrite(""));
    }

    static std::unique_ptr<NSBigFilePackage::IMedia> Make(NSFerrant::CMedia& file)
    {
        return std::make_unique<CFailingContainerFile>(file);
    }

    static inline int sWrites = 0;
    // Counted from 1; 0 fails none.
    static inline int sFailingWrite = 0;
    static inline bool sFileWasThere = false;
};

// A K42 song whose temporary container cannot be written to the end: the pack stops at that song
// with the file-error alert naming it, and leaves neither the temporary container nor any part of
// the package (nor a log) behind. Failed at its second write and at its last, the container is
// already partly on disk.
TEST_F(PackVantleTest, AK42ContainerFailingPartWayStopsThePackAndLeavesNothingBehind)
{
    UseSource("clean");
    AddK42Song({{2, H::TBytes(300000, 0x5A)}, {7, H::Text("seven")}});
    struct TRestoreMaker
    {
        NSVantlePacking::TContainerMediumMaker fPrevious;
        ~TRestoreMaker() { NSVantlePacking::SetContainerMediumMaker(fPrevious); }
    } restore{NSVantlePacking::SetContainerMediumMaker(&CFailingContainerFile::Make)};
    const std::vector<std::string> temporaryBefore = TemporaryFolderNames();

    // Through the seam without a failure the pack is clean; this counts the container's writes.
    CFailingContainerFile::sWrites = 0;
    CFailingContainerFile::sFailingWrite = 0;
    PackClean(10);
    const int writes = CFailingContainerFile::sWrites;
    ASSERT_GE(writes, 3);
    EXPECT_EQ(TemporaryFolderNames(), temporaryBefore);

    for (const int failing : {2, writes})
    {
        SCOPED_TRACE(testing::Message() << "failing write " << failing << " of " << writes);
        for (const auto& entry : fs::directory_iterator(Out()))
            fs::remove(entry.path());
        ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
        CFailingContainerFile::sWrites = 0;
        CFailingContainerFile::sFailingWrite = failing;
        CFailingContainerFile::sFileWasThere = false;
        EXPECT_FALSE(Pack(nullptr));
        EXPECT_TRUE(CFailingContainerFile::sFileWasThere) << "the container was not yet on disk";
        const std::vector<TShownAlert> alerts = Alerts();
        ASSERT_EQ(alerts.size(), 1u) << Describe(alerts);
        EXPECT_EQ(alerts[0].fTitle, "File error");
        EXPECT_EQ(alerts[0].fMessage, "There was a problem with the file \xE2\x80\x9C" +
                                          Narrow(FilePath("Source/Songs/Demo.tessaro")) +
                                          "\xE2\x80\x9D. Packing is cancelled.");
        EXPECT_EQ(ContainerFilesInTheTemporaryFolder(), 0u);
        EXPECT_EQ(TemporaryFolderNames(), temporaryBefore) << "a temporary file is left";
        EXPECT_TRUE(OutputNames().empty()) << "no package and no log";
    }
}

// Watches the names of temporary container files: each one the pack lets go of (deletes, or
// closes when it was opened to be deleted on close), which another process may then take, and
// each one the pack opens again after letting it go.
struct TContainerNames
{
    std::map<HANDLE, std::wstring> fDeletedOnClose;
    std::set<std::wstring> fLetGo;
    std::vector<std::wstring> fOpenedAgain;
};
TContainerNames gContainerNames;

bool IsContainerName(LPCWSTR path)
{
    return fs::path(path).extension() == ".dicta";
}

HANDLE WINAPI WatchedCreateFileW(LPCWSTR path, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security,
                                 DWORD disposition, DWORD flags, HANDLE templateFile)
{
    if (IsContainerName(path) && gContainerNames.fLetGo.count(path) != 0)
        gContainerNames.fOpenedAgain.push_back(path);
    const HANDLE file = RealWin32Calls().CreateFileW(path, access, sharing, security, disposition, flags, templateFile);
    if (file != INVALID_HANDLE_VALUE && IsContainerName(path) && (flags & FILE_FLAG_DELETE_ON_CLOSE) != 0)
        gContainerNames.fDeletedOnClose[file] = path;
    return file;
}

BOOL WINAPI WatchedCloseHandle(HANDLE handle)
{
    const auto deleted = gContainerNames.fDeletedOnClose.find(handle);
    if (deleted != gContainerNames.fDeletedOnClose.end())
    {
        gContainerNames.fLetGo.insert(deleted->second);
        gContainerNames.fDeletedOnClose.erase(deleted);
    }
    return RealWin32Calls().CloseHandle(handle);
}

BOOL WINAPI WatchedDeleteFileW(LPCWSTR path)
{
    const BOOL deleted = RealWin32Calls().DeleteFileW(path);
    if (deleted && IsContainerName(path))
        gContainerNames.fLetGo.insert(path);
    return deleted;
}

// The temporary file a K42 song's container is built in stays the pack's own from its making to
// its deletion: the pack never lets go of its name and opens it again, by which time another
// process could have made a file of its own there.
TEST_F(PackVantleTest, AK42ContainerFileIsNeverOutOfThePacksHands)
{
    UseSource("clean");
    AddK42Song({{2, H::Text("two")}});
    const std::vector<std::string> temporaryBefore = TemporaryFolderNames();
    gContainerNames = {};
    {
        TWin32Calls calls = RealWin32Calls();
        calls.CreateFileW = &WatchedCreateFileW;
        calls.CloseHandle = &WatchedCloseHandle;
        calls.DeleteFileW = &WatchedDeleteFileW;
        const CWin32CallsOverride watching(calls);
        PackClean(10);
    }
    EXPECT_EQ(gContainerNames.fLetGo.size(), 1u) << "one container file, let go of once done";
    EXPECT_TRUE(gContainerNames.fOpenedAgain.empty()) << "a container's name was let go of and opened again";
    EXPECT_EQ(TemporaryFolderNames(), temporaryBefore) << "a temporary file is left";
}

// Samples are coded ahead of their turn on other threads, yet a sample that breaks between
// verifying and packing still ends the pack at its own turn, with the file error naming it: the
// files before it were reported, none after it.
TEST_F(PackVantleTest, ASampleBrokenBetweenVerifyingAndPackingEndsThePackAtItsOwnTurn)
{
    UseSource("clean");
    const std::vector<std::string> temporaryBefore = TemporaryFolderNames();
    CRecordingProgress progress;
    progress.fOnBeginPhase = [&](u32 phase)
    {
        if (phase == 4)
            fs::resize_file(Scratch().Path() / "Source" / "Samples" / "AIFF" / "Tone 16.aif", 60);
    };

    EXPECT_FALSE(Pack(&progress));
    EXPECT_EQ(progress.fPhases, (std::vector<u32>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Narrow(progress.fLastItem), "Samples:AIFF:Tone 16.aif");
    EXPECT_EQ(Describe(Alerts()), BadFormatAlert(Narrow(FilePath("Source/Samples/AIFF/Tone 16.aif"))));
    EXPECT_EQ(TemporaryFolderNames(), temporaryBefore) << "a temporary file is left";
    EXPECT_TRUE(OutputNames().empty()) << "no package and no log";
}

// Copies a small sample of the fixture into Samples/Many as "Copy 10.wav" and on, enough files
// for several batches of samples checked ahead of their turn.
void AddManySamples(const fs::path& source)
{
    const fs::path many = source / "Samples" / "Many";
    fs::create_directories(many);
    for (int i = 0; i < 80; ++i)
        fs::copy_file(source / "Samples" / "WAVE" / "Tone 8.wav", many / ("Copy " + std::to_string(10 + i) + ".wav"));
}

// Samples are checked ahead of their turn in batches; failing files in the middle of two batches
// are listed as failed files all the same, beside the others.
TEST_F(PackVantleTest, SamplesFailingAmongSamplesCheckedAheadAreListedAsFailedFiles)
{
    UseSource("broken");
    const fs::path source = Scratch().Path() / "Source";
    AddManySamples(source);
    // Cut short, as a damaged file is.
    fs::resize_file(source / "Samples" / "Many" / "Copy 10.wav", 60);
    fs::resize_file(source / "Samples" / "Many" / "Copy 55.wav", 60);
    EXPECT_EQ(PackAborted(), "Failed validating:\r\n    Samples/Cut.aif\r\n    Samples/Many/Copy 10.wav\r\n"
                             "    Samples/Many/Copy 55.wav\r\n\r\n\r\n\r\n\r\n\r\nPacking aborted\r\n");
    EXPECT_EQ(OutputNames().size(), 1u) << "the log alone";
}

// The packed samples of the finished package are checked ahead of their turn as well; an entry
// broken on disk fails the check at that entry.
// Overwrites the entry's bytes in the package file with ones, as a disk that fails would.
void DamageEntry(const fs::path& packageFile, const std::string& name)
{
    const NSPackingTests::TIndependentPackage package = NSPackingTests::ReadPackageIndependently(packageFile);
    const NSPackingTests::TIndependentEntry* entry = FindEntry(package, name);
    ASSERT_NE(entry, nullptr);
    std::fstream file(packageFile, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(std::streamoff(package.fDataStart) + entry->fOffset);
    const std::string ones(entry->fSize, '\xFF');
    file.write(ones.data(), std::streamsize(ones.size()));
    ASSERT_TRUE(file.good());
}

// Gives the entry another name of the same length in the package's index, so that what refers
// to it inside the package no longer finds it.
void RenameEntry(const fs::path& packageFile, const std::string& name, const std::string& newName)
{
    ASSERT_EQ(name.size(), newName.size());
    const NSPackingTests::TIndependentPackage package = NSPackingTests::ReadPackageIndependently(packageFile);
    std::string bytes = ReadAll(packageFile);
    const std::size_t at = bytes.find(name, package.fIndexStart);
    ASSERT_LT(at + name.size(), std::size_t(package.fDataStart));
    std::fstream file(packageFile, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(std::streamoff(at));
    file.write(newName.data(), std::streamsize(newName.size()));
    ASSERT_TRUE(file.good());
}

// The packed samples of the finished package are checked ahead of their turn as well; an entry
// broken on disk fails the check at that entry, and the broken package never takes its name.
TEST_F(PackVantleTest, APackedSampleBrokenInTheFinishedPackageFailsTheCheckAtThatEntry)
{
    UseSource("clean");
    CRecordingProgress progress;
    progress.fOnBeginPhase = [&](u32 phase)
    {
        if (phase == 8)
            DamageEntry(UncheckedPackage(), "Samples:AIFF:Tone 16.aif");
    };

    EXPECT_FALSE(Pack(&progress));
    EXPECT_EQ(progress.fPhases, (std::vector<u32>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Narrow(progress.fLastItem), "Samples:AIFF:Tone 16.aif");
    EXPECT_EQ(Describe(Alerts()), BadFormatAlert("Samples:AIFF:Tone 16.aif"));
    EXPECT_TRUE(OutputNames().empty()) << "no package, no temporary file and no log";
}

// A package that fails its check, in each way the check can fail, leaves an earlier package of
// its name byte for byte as it was, and without one nothing under the name; no temporary file is
// left, here or in the temporary folder, and the alert is the one of the failure.
TEST_F(PackVantleTest, APackageFailingItsCheckNeverReplacesTheEarlierOne)
{
    struct TCheckFailure
    {
        const char* fName;
        std::function<void(CRecordingProgress&)> fPrepare;
        std::string fAlerts;
        std::size_t fLogs;
        // A pack with problems ends normally, after its alert.
        bool fEndsNormally;
    };
    const std::string badFormat = BadFormatAlert("Samples:AIFF:Tone 16.aif");
    const std::string aborted = "[Pack has been aborted] Problems were encountered during the packing of the "
                                "Vantle. See the generated log file in the destination folder for more info.\n";
    const TCheckFailure failures[] = {
        {"an entry damaged as the check begins",
         [&](CRecordingProgress& progress)
         {
             progress.fOnBeginPhase = [&](u32 phase)
             {
                 if (phase == 8)
                     DamageEntry(UncheckedPackage(), "Samples:AIFF:Tone 16.aif");
             };
         },
         badFormat, 0, false},
        {"a reference broken inside the package",
         [&](CRecordingProgress& progress)
         {
             AddPatch(PatchUsingTheCleanSamples());
             progress.fOnBeginPhase = [&](u32 phase)
             {
                 if (phase == 8)
                     RenameEntry(UncheckedPackage(), "Samples:Kick.aif", "Samples:Kicc.aif");
             };
         },
         aborted, 1, true},
        {"a stop during the check",
         [](CRecordingProgress& progress)
         {
             progress.fStopPhase = 8;
             progress.fStopItem = 2;
         },
         "", 0, false},
    };
    const std::string earlier = "the earlier package";
    const std::string replaceAlert = "[File already exists] The file \xE2\x80\x9CTest Bank.vtl\xE2\x80\x9D already "
                                     "exists, do you want to replace it?\n";
    for (const TCheckFailure& failure : failures)
    {
        for (const bool hasEarlier : {true, false})
        {
            SCOPED_TRACE(testing::Message() << failure.fName << (hasEarlier ? ", earlier package" : ", none before"));
            fs::remove_all(Scratch().Path() / "Source");
            fs::remove_all(Out());
            fs::create_directories(Out());
            UseSource("clean");
            if (hasEarlier)
                std::ofstream(Package(), std::ios::binary) << earlier;
            const std::vector<std::string> temporaryBefore = TemporaryFolderNames();
            ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
            CRecordingProgress progress;
            failure.fPrepare(progress);

            EXPECT_EQ(Pack(&progress), failure.fEndsNormally);
            EXPECT_EQ(progress.fPhases, (std::vector<u32>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
            EXPECT_EQ(Describe(Alerts()), (hasEarlier ? replaceAlert : "") + failure.fAlerts);
            if (hasEarlier)
            {
                EXPECT_TRUE(ReadAll(Package()) == earlier) << "the earlier package was changed";
            }
            else
            {
                EXPECT_FALSE(fs::exists(Package()));
            }
            EXPECT_FALSE(fs::exists(UncheckedPackage()));
            EXPECT_EQ(OutputNames().size(), (hasEarlier ? 1u : 0u) + failure.fLogs) << "the earlier package and the log";
            EXPECT_EQ(Logs().size(), failure.fLogs);
            EXPECT_EQ(TemporaryFolderNames(), temporaryBefore) << "a temporary file is left";
        }
    }
}

// The package reaches the disk before it takes its name, so that a power loss right after the
// pack cannot leave the name over data still in the cache.
TEST_F(PackVantleTest, ThePackageIsFlushedBeforeItTakesItsName)
{
    UseSource("clean");
    std::ofstream(Package(), std::ios::binary) << "the earlier package";
    std::vector<std::wstring> events;
    {
        CDurabilityLog durability;
        ASSERT_TRUE(Pack(nullptr)) << Describe(Alerts());
        events = durability.Events();
    }
    const std::wstring unchecked = UncheckedPackage().wstring();
    const auto flush = std::find(events.begin(), events.end(), L"flush " + unchecked);
    ASSERT_NE(flush, events.end());
    ASSERT_NE(flush + 1, events.end());
    EXPECT_EQ(*(flush + 1), L"move " + unchecked + L" -> " + Package().wstring() + L" written through");
    EXPECT_EQ(NSPackingTests::ReadPackageIndependently(Package()).fFileCount, 9u);
}

// A folder outside the source folder reached through the shortcut Extra.lnk in it: the folder's
// sample is packed as Extra:Hat.aif, and a patch's references to it, through the shortcut or
// straight to the outside folder, both point at that entry.
TEST_F(PackVantleTest, ASampleReachedThroughAnOutsideShortcutIsPackedUnderTheShortcutsName)
{
    UseSource("clean");
    const fs::path source = Scratch().Path() / "Source";
    MakeFolder("Elsewhere");
    fs::copy_file(source / "Samples" / "Kick.aif", Scratch().Path() / "Elsewhere" / "Hat.aif");
    WinShortcut(FolderPath("Elsewhere"), FilePath("Source/Extra.lnk"));
    const H::TBytes patch =
        H::FORM("PTCH", {H::Chunk("PRMS", H::Text("prm")),
                         H::CAT("REFS", {H::RelativeREFE("through", 1, {"Extra", "Hat.aif"}),
                                         H::RelativeREFE("outside", 2, {"Elsewhere", "Hat.aif"})})});
    AddPatch(patch);
    const NSPackingTests::TIndependentPackage package = PackClean(11);
    const NSPackingTests::TIndependentEntry* hat = FindEntry(package, "Extra:Hat.aif");
    ASSERT_NE(hat, nullptr);
    ASSERT_TRUE(hat->fSample);
    EXPECT_TRUE(hat->fSample->fSamples == SourceFrames("Samples:Kick.aif", 16))
        << "the outside sample's frames";
    const NSPackingTests::TIndependentEntry* packed = FindEntry(package, "Patches:Lead.crv");
    ASSERT_NE(packed, nullptr);
    int relocated = 0;
    ExpectDocumentRelocated(
        packed->fContent, patch,
        [&](const CSF10ReferenceChunk& reference)
        {
            ExpectRelocated(reference, relocated == 0 ? "through" : "outside", {"Extra", "Hat.aif"}, 1);
            ++relocated;
        });
    EXPECT_EQ(relocated, 2);
}

// Sliced loops of each loop extension are copied whole under their own packed types, and a patch's
// reference to a loop is relocated like a sample's and stays a loop reference. A loop without
// slices fails verification.
TEST_F(PackVantleTest, LoopFilesArePackedWholeAsTheirTypeAndLoopReferencesRelocated)
{
    struct TLoopCase
    {
        const char* fName;
        u32 fPackedType;
        std::vector<u32> fSliceFrames;
    };
    const TLoopCase loops[] = {
        {"Beat.kiv", 7, {300, 200}},
        {"Groove.kv2", 6, {120}},
        {"Roll.kiv2", 6, {64, 64, 64}},
        {"Chop.cpw", 12, {90, 10}},
    };
    UseSource("clean");
    const fs::path folder = Scratch().Path() / "Source" / "Loops";
    fs::create_directory(folder);
    for (const TLoopCase& loop : loops)
    {
        const std::vector<u8> bytes = NSTestSupport::MakeLoopFile(2, loop.fSliceFrames);
        std::ofstream(folder / loop.fName, std::ios::binary) << Bytes(bytes);
    }
    const H::TBytes patch = H::FORM(
        "PTCH", {H::CAT("REFS", {H::RelativeREFE("beat", 1, {"Loops", "Beat.kiv"}, kSampleReferenceLoop)})});
    AddPatch(patch);
    const NSPackingTests::TIndependentPackage package = PackClean(14);
    for (const TLoopCase& loop : loops)
    {
        SCOPED_TRACE(loop.fName);
        const NSPackingTests::TIndependentEntry* entry =
            FindEntry(package, std::string("Loops:") + loop.fName);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->fPackedType, loop.fPackedType);
        EXPECT_TRUE(Bytes(entry->fContent) == ReadAll(folder / loop.fName))
            << "the entry differs from its source";
    }
    const NSPackingTests::TIndependentEntry* packed = FindEntry(package, "Patches:Lead.crv");
    ASSERT_NE(packed, nullptr);
    ExpectDocumentRelocated(packed->fContent, patch,
                            [](const CSF10ReferenceChunk& reference)
                            {
                                ExpectRelocated(reference, "beat", {"Loops", "Beat.kiv"}, 1);
                                EXPECT_EQ(reference.fSampleType, u32(kSampleReferenceLoop));
                            });

    std::ofstream(folder / "Empty.kiv", std::ios::binary) << Bytes(NSTestSupport::MakeLoopFile(2, {}));
    fs::remove_all(Out());
    MakeFolder("Out");
    ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    EXPECT_EQ(PackAborted(),
              "Failed validating:\r\n    Loops/Empty.kiv\r\n\r\n\r\n\r\n\r\n\r\nPacking aborted\r\n");
}

// A patch for a prohibited device that also holds another prohibited device: by default the pack
// completes with a warning and a log line naming both; skipping leaves the patch out but still
// logs it; without the warning the pack is clean.
TEST_F(PackVantleTest, APatchUsingProhibitedDevicesIsLoggedAndLeftOutWhenAsked)
{
    struct TProhibitedCase
    {
        const char* fName;
        const char* fSettings;
        u32 fFiles;
        bool fWarned;
        bool fPatchPacked;
    };
    const TProhibitedCase cases[] = {
        {"warned by default", "", 10, true, true},
        {"skipped", "SKIP_PROHIBITED_DEVICES=\"Yes\"\r\n", 9, true, false},
        {"not warned", "WARN_ABOUT_PROHIBITED_DEVICES=\"No\"\r\n", 10, false, true},
    };
    const H::TBytes deviceList = H::CAT("DEVL", {H::FORM("DEVC", {H::DeviceDescription("Hallwick Echo")})});
    const H::TBytes patch =
        H::FORM("PTCH", {H::PatchDescription("Carvel Analog Synth"),
                         H::CAT("REFS", {H::RelativeREFE("kick", 1, {"Samples", "Kick.aif"})}), deviceList});
    for (const TProhibitedCase& c : cases)
    {
        SCOPED_TRACE(c.fName);
        fs::remove_all(Scratch().Path() / "Source");
        fs::remove_all(Out());
        MakeFolder("Out");
        UseSource("clean");
        AddPatch(patch);
        std::ofstream(Scratch().Path() / "Source" / "INFO.TXT", std::ios::binary)
            << "PROHIBITED_DEVICES=\"Carvel Analog Synth,Hallwick Echo\"\r\n"
            << c.fSettings;
        ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
        ASSERT_TRUE(Pack(nullptr)) << Describe(Alerts()) << LogTexts();
        const std::string files = std::to_string(c.fFiles);
        EXPECT_EQ(Describe(Alerts()),
                  c.fWarned
                      ? "[Pack complete] The Vantle file has been packed sucessfully (" + files +
                            " files in the Vantle). See the generated log file in the destination folder "
                            "for more info.\n"
                      : "[Pack complete] The Vantle file has been packed successfully! " + files +
                            " files were added.\n");
        EXPECT_EQ(LogTexts(), c.fWarned
                                  ? "Files that references prohibited device types:\r\n"
                                    "    Patches/Lead.crv uses the following prohibited device type(s): "
                                    "Carvel Analog Synth, Hallwick Echo\r\n"
                                    "\r\n\r\n\r\n\r\n\r\n"
                                    "Packing complete\r\n"
                                  : "Packing complete\r\n");
        const NSPackingTests::TIndependentPackage package =
            NSPackingTests::ReadPackageIndependently(Package());
        EXPECT_EQ(package.fFileCount, c.fFiles);
        bool patchPacked = false;
        for (const auto& entry : package.fEntries)
            patchPacked = patchPacked || entry.fName == "Patches:Lead.crv";
        EXPECT_EQ(patchPacked, c.fPatchPacked);
    }
}

TEST_F(PackVantleTest, WarningsEndWithAlert6AndALogOfTheUnusedSamples)
{
    UseSource("warnings");
    ASSERT_TRUE(TrellisHeadless_QueueAlertAnswer(kAlertAnswerNextToLastButton) == kTrellisOK);
    ASSERT_TRUE(Pack(nullptr)) << Describe(Alerts());
    const std::vector<TShownAlert> alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].fMessage,
              "The Vantle file has been packed sucessfully (6 files in the Vantle). See the "
              "generated log file in the destination folder for more info.");
    const std::vector<fs::path> logs = Logs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(ReadAll(logs[0]), "\r\nUnreferenced samples:\r\n"
                                "    D\xC3\xA9j\xC3\xA0 vu/Crash.wav\r\n"
                                "    Samples/AIFF/Tone 16.aif\r\n"
                                "    Samples/AIFF/Tone 24.aif\r\n"
                                "    Samples/AIFF/Tone 8.aif\r\n"
                                "    Samples/Kick.aif\r\n"
                                "\r\n\r\n\r\n\r\n\r\n"
                                "Packing complete\r\n");
    EXPECT_EQ(gOpenedLogs.size(), 1u);
    EXPECT_EQ(NSPackingTests::ReadPackageIndependently(Package()).fEntries.size(), 6u);
}

TEST_F(PackVantleTest, AFailedFileAbortsWithAlert7AndALogAndLeavesNoPackage)
{
    UseSource("broken");
    EXPECT_EQ(PackAborted(),
              "Failed validating:\r\n    Samples/Cut.aif\r\n\r\n\r\n\r\n\r\n\r\nPacking aborted\r\n");
    EXPECT_EQ(OutputNames().size(), 1u) << "the log alone";
    EXPECT_TRUE(gOpenedLogs.empty());
}

// Answers the output folder's names after the pack, which must have ended silently after the
// one alert expected.
struct TSetupCase
{
    const char* fName;
    void (*fPrepare)(const fs::path& source);
    const char* fTitle;
    const char* fMessage;
};

TEST_F(PackVantleTest, SetupFailuresShowTheirAlertAndLeaveNothing)
{
    const TSetupCase cases[] = {
        {"no name", [](const fs::path& source) { fs::remove(source / "NAME.TXT"); }, "No name for Vantle",
         nullptr},
        {"no splash", [](const fs::path& source) { fs::remove(source / "SPLASH.JPG"); },
         "No splash for Vantle", nullptr},
        {"splash of the wrong size",
         [](const fs::path& source)
         {
             fs::copy_file(PackFixtures() / "splash-64x48.jpg", source / "SPLASH.JPG",
                           fs::copy_options::overwrite_existing);
         },
         "Bad format for Vantle splash",
         "The splash image (Splash.jpg) must be a JPEG with the size 64x64 pixels. Cancelling."},
        {"splash of the wrong size whose data is cut short",
         [](const fs::path& source)
         {
             // Cut two bytes into its scan: its size is refused before its rows are decoded.
             std::ifstream fixture(PackFixtures() / "splash-64x48.jpg", std::ios::binary);
             std::string splash((std::istreambuf_iterator<char>(fixture)), std::istreambuf_iterator<char>());
             const size_t scan = splash.find("\xFF\xDA");
             ASSERT_NE(scan, std::string::npos);
             splash.resize(scan + 2 + (u8(splash[scan + 2]) << 8 | u8(splash[scan + 3])) + 2);
             std::ofstream(source / "SPLASH.JPG", std::ios::binary) << splash;
         },
         "Bad format for Vantle splash",
         "The splash image (Splash.jpg) must be a JPEG with the size 64x64 pixels. Cancelling."},
        {"splash that is no JPEG",
         [](const fs::path& source)
         { std::ofstream(source / "SPLASH.JPG", std::ios::binary) << "not a jpeg"; },
         "Bad format", nullptr},
    };
    for (const TSetupCase& c : cases)
    {
        SCOPED_TRACE(c.fName);
        fs::remove_all(Scratch().Path() / "Source");
        UseSource("clean");
        c.fPrepare(Scratch().Path() / "Source");
        ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
        EXPECT_FALSE(Pack(nullptr));
        const std::vector<TShownAlert> alerts = Alerts();
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0].fTitle, c.fTitle);
        if (c.fMessage != nullptr)
        {
            EXPECT_EQ(alerts[0].fMessage, c.fMessage);
        }
        else if (std::string(c.fTitle) == "Bad format")
        {
            EXPECT_NE(alerts[0].fMessage.find("SPLASH.JPG"), std::string::npos) << alerts[0].fMessage;
        }
        EXPECT_TRUE(OutputNames().empty());
    }
}

TEST_F(PackVantleTest, ShortcutsThatCannotBeFollowedAreBrokenShortcuts)
{
    UseSource("clean");
    MakeFolder("Gone");
    WinShortcut(FolderPath("Gone"), FilePath("Source/Samples/Gone.lnk"));
    fs::remove(Scratch().Path() / "Gone");
    EXPECT_FALSE(Pack(nullptr));
    std::vector<TShownAlert> alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].fTitle, "Broken shortcut");

    // A shortcut back to the source folder would be walked forever.
    fs::remove(Scratch().Path() / "Source" / "Samples" / "Gone.lnk");
    WinShortcut(FolderPath("Source"), FilePath("Source/Samples/Loop.lnk"));
    ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    EXPECT_FALSE(Pack(nullptr));
    alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].fTitle, "Broken shortcut");
    EXPECT_NE(alerts[0].fMessage.find("Loop"), std::string::npos) << alerts[0].fMessage;
    EXPECT_TRUE(OutputNames().empty());
}

// The fixture's folder link Samples/Loop leads back up to its source folder: a symbolic link,
// which the shell shows as a folder of its own path. Packed in place: a copy would follow it.
TEST_F(PackVantleTest, AFolderLinkBackUpIsRefusedAsABrokenShortcut)
{
    const fs::path source = (PackFixtures() / "linked").make_preferred();
    EXPECT_FALSE(PackFolder(NSTextPackage::FromWide(source.c_str()) + u16('\\'), nullptr));
    const std::vector<TShownAlert> alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u) << Describe(alerts);
    EXPECT_EQ(alerts[0].fTitle, "Broken shortcut");
    EXPECT_NE(alerts[0].fMessage.find("Loop"), std::string::npos) << alerts[0].fMessage;
    EXPECT_TRUE(OutputNames().empty());
}

// A folder without read permission refuses its listing; the tests run with every permission, so
// the listing of the folder Locked is refused through the call table.
HANDLE WINAPI RefuseLockedListing(LPCWSTR pattern, FINDEX_INFO_LEVELS level, LPVOID found, FINDEX_SEARCH_OPS search,
                                  LPVOID filter, DWORD flags)
{
    if (std::wstring(pattern).find(L"\\Locked\\") != std::wstring::npos)
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return RealWin32Calls().FindFirstFileExW(pattern, level, found, search, filter, flags);
}

// The fixture's odd/ holds a file that Windows paths do not reach, names ending in a dot or a
// space and a folder that cannot be listed. Packed in place: a copy through Windows paths would
// change those names. Each of them is named in the failure; the pack never finishes without them.
TEST_F(PackVantleTest, FilesTheWalkCannotListAreNamedAsFailedNeverLeftOut)
{
    TWin32Calls calls = RealWin32Calls();
    calls.FindFirstFileExW = RefuseLockedListing;
    const CWin32CallsOverride lockedFolder(calls);
    const fs::path source = (PackFixtures() / "odd").make_preferred();
    const std::string deep = "Deep/" + std::string(100, 'a') + "/" + std::string(100, 'b') + "/Long " +
                             std::string(60, 'c') + ".wav";
    ASSERT_GT(source.native().size() + 1 + deep.size(), 300u);
    EXPECT_FALSE(PackFolder(NSTextPackage::FromWide(source.c_str()) + u16('\\'), nullptr));
    EXPECT_EQ(Describe(Alerts()),
              "[Pack has been aborted] Problems were encountered during the packing of the "
              "Vantle. See the generated log file in the destination folder for more info.\n");
    EXPECT_EQ(LogTexts(), "Failed validating:\r\n    " + deep +
                              "\r\n    Dot.wav.\r\n    Folder./In.wav\r\n    Locked\r\n    Space.wav \r\n"
                              "\r\n\r\n\r\n\r\n\r\nPacking aborted\r\n");
    EXPECT_EQ(OutputNames().size(), 1u) << "the log alone";
}

TEST_F(PackVantleTest, CancelKeepsTheExistingPackageAndReplaceReplacesItOnlyWhenDone)
{
    UseSource("clean");
    std::ofstream(Package(), std::ios::binary) << "previous";
    ASSERT_EQ(TrellisHeadless_QueueAlertAnswer(kAlertAnswerNextToLastButton), kTrellisOK);
    EXPECT_FALSE(Pack(nullptr));
    std::vector<TShownAlert> alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].fMessage,
              "The file \xE2\x80\x9CTest Bank.vtl\xE2\x80\x9D already exists, do you want to replace it?");
    EXPECT_EQ(ReadAll(Package()), "previous");
    EXPECT_EQ(OutputNames().size(), 1u);

    // Stopped after the package was begun: the previous one is still there, whole.
    ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    CRecordingProgress stopped;
    stopped.fStopPhase = 7;
    EXPECT_FALSE(Pack(&stopped));
    EXPECT_EQ(ReadAll(Package()), "previous");
    EXPECT_EQ(OutputNames().size(), 1u);

    ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    ASSERT_TRUE(Pack(nullptr)) << Describe(Alerts());
    EXPECT_EQ(Alerts().size(), 2u);
    EXPECT_EQ(NSPackingTests::ReadPackageIndependently(Package()).fFileCount, 9u);
}

TEST_F(PackVantleTest, AStopInAnyPhaseLeavesNoPackageNoTemporaryFileAndNoLog)
{
    UseSource("clean");
    for (u32 phase = 0; phase <= 8; ++phase)
    {
        for (u64 item : {u64(0), u64(1)})
        {
            SCOPED_TRACE(testing::Message() << "phase " << phase << " item " << item);
            ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
            CRecordingProgress progress;
            progress.fStopPhase = phase;
            progress.fStopItem = item;
            EXPECT_FALSE(Pack(&progress));
            EXPECT_TRUE(Alerts().empty());
            EXPECT_TRUE(OutputNames().empty());
        }
    }
}

TEST_F(PackVantleTest, ARepeatPackNumbersItsLog)
{
    UseSource("clean");
    ASSERT_TRUE(Pack(nullptr));
    ASSERT_TRUE(Pack(nullptr)); // "Replace" is the default answer
    const std::vector<fs::path> logs = Logs();
    ASSERT_EQ(logs.size(), 2u);
    std::string first = logs[0].filename().string();
    std::string second = logs[1].filename().string();
    if (first.size() > second.size())
        std::swap(first, second);
    ASSERT_GT(first.size(), 4u);
    EXPECT_EQ(first.rfind("Test Bank packing log ", 0), 0u) << first;
    EXPECT_EQ(second, first.substr(0, first.size() - 4) + " 2.txt");
}
TEST_F(PackVantleTest, ANameThatIsNoFileNameKeepsTheLogInTheOutputFolder)
{
    UseSource("clean");
    std::ofstream(Scratch().Path() / "Source" / "NAME.TXT", std::ios::binary) << "..\\..\\Evil:Name";
    ASSERT_TRUE(Pack(nullptr)) << Describe(Alerts());
    const std::vector<fs::path> logs = Logs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].filename().string().rfind(".._.._Evil_Name packing log ", 0), 0u) << logs[0];
    EXPECT_EQ(NSPackingTests::ReadPackageIndependently(Package()).fName, "..\\..\\Evil:Name");
    EXPECT_EQ(std::distance(fs::directory_iterator(Scratch().Path()), fs::directory_iterator()), 2)
        << "Source and Out only";
}

TEST_F(PackVantleTest, ChoosingASourceFolderReadsItsSettingsAndNamesTheOutput)
{
    UseSource("clean");
    CCreateWindowData data;
    NSVantlePacking::SetOutputDirectory(data, NSFileLibSupport::DirSpecFromWinPath(FolderPath("Out")));
    EXPECT_EQ(Narrow(data.fOutputFile->GetFileName()), "output.vtl");
    NSVantlePacking::SetInputDirectory(data, NSFileLibSupport::DirSpecFromWinPath(FolderPath("Source")));
    EXPECT_EQ(Narrow(data.fInfo.fName), "Test Bank");
    EXPECT_EQ(Narrow(data.fInfo.fComments), "First line\r\nSecond line");
    EXPECT_TRUE(data.fSplashImage);
    ASSERT_TRUE(data.fOutputFile);
    EXPECT_EQ(Narrow(data.fOutputFile->GetFileName()), "Test Bank.vtl");
    EXPECT_EQ(Narrow(NSFileLibSupport::GetDirWinPath(data.fOutputFile->GetDirSpec().get())),
              Narrow(FolderPath("Source")));
    NSVantlePacking::SetOutputDirectory(data, NSFileLibSupport::DirSpecFromWinPath(FolderPath("Out")));
    EXPECT_EQ(Narrow(data.fOutputFile->GetFileName()), "Test Bank.vtl");
    EXPECT_TRUE(Alerts().empty());

    // A folder without a splash: alert 12, the information reset, the source folder kept.
    MakeFolder("Bare");
    MakeFile("Bare/NAME.TXT", "Bare");
    const NSFileLibSupport::TDirSpecPtr kept = data.fInputFolder;
    EXPECT_THROW(
        NSVantlePacking::SetInputDirectory(data, NSFileLibSupport::DirSpecFromWinPath(FolderPath("Bare"))),
        NSQuorral::XSilentAbort);
    const std::vector<TShownAlert> alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].fTitle, "No splash for Vantle");
    EXPECT_EQ(data.fInputFolder, kept);
    EXPECT_TRUE(data.fInfo.fName.empty());
    EXPECT_FALSE(data.fSplashImage);
}
// A moment of a pack at which the killed-pack test ends it: a progress call of a phase, counted
// from 0 at the phase's start (its last call ends the phase). Held, the pack waits there for the
// kill; else it runs on, and the kill lands somewhere in the work that follows.
struct TKillMoment
{
    u32 fPhase = 0;
    u64 fCall = 0;
    bool fHeld = false;
};

// The text on its standard output with which the pack tells that it reached its moment.
constexpr const char* kMomentReached = "VANTLE PACK AT ITS MOMENT";
constexpr UINT kKilledExitCode = 3;

// Counts the progress calls of each phase and, in the child of the killed-pack test, tells when
// the pack reaches the moment.
class CMomentProgress final : public NSVantlePacking::IVantlePackingProgress
{
public:
    explicit CMomentProgress(std::optional<TKillMoment> moment) : fMoment(moment) {}
    void BeginPhase(TPackJobHandle&, u32 phase, u64) override
    {
        fCalls.resize(phase + 1, 0);
        Count(phase);
    }
    void Item(TPackJobHandle&, u64, const CSourceNode*, const TUTF16String&) override { Count(u32(fCalls.size() - 1)); }
    void EndPhase(TPackJobHandle&, u32 phase) override { Count(phase); }

    // The progress calls of each phase so far, its start included.
    std::vector<u64> fCalls;

private:
    void Count(u32 phase)
    {
        const u64 call = fCalls[phase]++;
        if (!fMoment || fMoment->fPhase != phase || fMoment->fCall != call)
            return;
        std::printf("%s\n", kMomentReached);
        std::fflush(stdout);
        // The parent never writes to the child's input: the read lasts until the kill.
        char never = 0;
        if (fMoment->fHeld)
            std::fread(&never, 1, 1, stdin);
    }
    std::optional<TKillMoment> fMoment;
};

std::string EnvironmentValue(const char* name)
{
    char value[1024] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
    return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

// The child of the killed-pack test: packs the parent's folders as the program does, until it
// is killed. It makes nothing of its own, so that all it leaves is the pack's.
TEST(KilledPack, Child)
{
    const std::string phase = EnvironmentValue("VANTLE_KILL_PHASE");
    if (phase.empty())
        GTEST_SKIP() << "runs only as the child of the killed-pack test";
    CreateTrellisInterface();
    ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    CItemDatabase database;
    gItemDatabase = &database;
    const auto output = std::make_shared<NSFileLibSupport::CRobustFileSpec>(
        NSFileLibSupport::DirSpecFromWinPath(NSTextPackage::FromUTF8(EnvironmentValue("VANTLE_KILL_OUT"))).get(),
        Text("Test Bank.vtl"));
    CMomentProgress progress(TKillMoment{u32(std::stoul(phase)), std::stoull(EnvironmentValue("VANTLE_KILL_CALL")),
                                         EnvironmentValue("VANTLE_KILL_HELD") == "1"});
    CVantleInfo info;
    std::shared_ptr<NSFerrant::CVRAMBitmap> splash;
    NSVantlePacking::PackVantle(
        NSFileLibSupport::DirSpecFromWinPath(NSTextPackage::FromUTF8(EnvironmentValue("VANTLE_KILL_SOURCE"))),
        output, info, splash, 0, &progress);
    ADD_FAILURE() << "the pack ended before its moment";
    gItemDatabase = nullptr;
    ReleaseTrellisInterface();
}

// Starts this test program as the child that packs, waits until its pack reaches the moment
// and kills it from outside, as a person ending the program would. Answers whether the moment
// was reached.
bool PackAndKillAt(const TKillMoment& moment, const TUTF16String& source, const TUTF16String& out)
{
    SetEnvironmentVariableA("VANTLE_KILL_PHASE", std::to_string(moment.fPhase).c_str());
    SetEnvironmentVariableA("VANTLE_KILL_CALL", std::to_string(moment.fCall).c_str());
    SetEnvironmentVariableA("VANTLE_KILL_HELD", moment.fHeld ? "1" : "0");
    SetEnvironmentVariableA("VANTLE_KILL_SOURCE", Narrow(source).c_str());
    SetEnvironmentVariableA("VANTLE_KILL_OUT", Narrow(out).c_str());
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_filter=KilledPack.Child";
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outputRead = nullptr, outputWrite = nullptr, inputRead = nullptr, inputWrite = nullptr;
    EXPECT_TRUE(CreatePipe(&outputRead, &outputWrite, &inheritable, 0));
    EXPECT_TRUE(CreatePipe(&inputRead, &inputWrite, &inheritable, 0));
    SetHandleInformation(outputRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inputWrite, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inputRead;
    startup.hStdOutput = outputWrite;
    startup.hStdError = outputWrite;
    PROCESS_INFORMATION child{};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &child);
    EXPECT_TRUE(started);
    CloseHandle(outputWrite);
    CloseHandle(inputRead);
    std::string said;
    bool reached = false;
    char buffer[4096];
    DWORD count = 0;
    while (started && !reached && ReadFile(outputRead, buffer, sizeof(buffer), &count, nullptr) && count > 0)
    {
        said.append(buffer, count);
        reached = said.find(kMomentReached) != std::string::npos;
    }
    if (started)
    {
        TerminateProcess(child.hProcess, kKilledExitCode);
        WaitForSingleObject(child.hProcess, INFINITE);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    CloseHandle(outputRead);
    CloseHandle(inputWrite);
    SetEnvironmentVariableA("VANTLE_KILL_PHASE", nullptr);
    EXPECT_TRUE(reached) << said;
    return reached;
}

// Takes of a few seconds each, stereo, a tone with noise on it: enough work for every phase of the
// pack to take a measurable time.
void AddTakes(const fs::path& folder)
{
    constexpr u32 kTakes = 24;
    constexpr u32 kFrames = 44100 * 2;
    fs::create_directories(folder);
    u32 noise = 1;
    for (u32 take = 0; take < kTakes; ++take)
    {
        NSTestSupport::TWAVESpec wave;
        wave.fChannels = 2;
        for (u32 frame = 0; frame < kFrames; ++frame)
            for (u32 channel = 0; channel < 2; ++channel)
            {
                noise = noise * 1103515245u + 12345u;
                const double tone = 12000.0 * std::sin(double(frame) * (0.03 + 0.001 * (take + channel)));
                wave.fSamples.push_back(i32(tone) + i32((noise >> 16) & 0x3FF) - 512);
            }
        WriteWAVE(folder / ("Take " + std::to_string(take) + ".wav"), wave);
    }
}

// A pack killed at moments spread over all its phases, held at each phase's start and at the
// end of its check, and running on inside the phases that take the longest: an earlier package
// stays byte for byte as it was unless the pack had finished, nothing is left in the temporary
// folder, and the next pack removes what the killed one left in the output folder.
TEST_F(PackVantleTest, AKilledPackLeavesTheEarlierPackageAndNothingInTheTemporaryFolder)
{
    UseSource("clean");
    AddTakes(Scratch().Path() / "Source" / "Takes");
    CMomentProgress counting(std::nullopt);
    ASSERT_TRUE(Pack(&counting)) << Describe(Alerts());
    ASSERT_EQ(counting.fCalls.size(), 9u);
    const u32 files = NSPackingTests::ReadPackageIndependently(Package()).fFileCount;
    std::vector<TKillMoment> moments;
    for (u32 phase = 0; phase <= 8; ++phase)
        moments.push_back({phase, 0, true});
    for (const u32 phase : {3u, 4u, 7u, 8u})
        for (const u64 quarter : {1, 2, 3})
            moments.push_back({phase, counting.fCalls[phase] * quarter / 4, false});
    moments.push_back({8, counting.fCalls[8] - 1, true});

    const std::string earlier = "the earlier package";
    for (const TKillMoment& moment : moments)
    {
        SCOPED_TRACE(testing::Message() << "killed in phase " << moment.fPhase << " at call " << moment.fCall << " of "
                                        << counting.fCalls[moment.fPhase] << (moment.fHeld ? ", held" : ""));
        std::ofstream(Package(), std::ios::binary | std::ios::trunc) << earlier;
        const std::vector<std::string> temporaryBefore = TemporaryFolderNames();
        if (!PackAndKillAt(moment, FolderPath("Source"), FolderPath("Out")))
            continue;
        const std::string after = ReadAll(Package());
        if (moment.fHeld)
        {
            EXPECT_TRUE(after == earlier) << "the earlier package was changed";
        }
        else if (after != earlier)
        {
            EXPECT_EQ(NSPackingTests::ReadPackageIndependently(Package()).fFileCount, files) << "a finished pack";
        }
        EXPECT_EQ(TemporaryFolderNames(), temporaryBefore) << "a temporary file is left";
    }

    // A pack that ends early still removes what a killed one left; a whole pack leaves its
    // package and logs alone.
    std::ofstream(UncheckedPackage(), std::ios::binary) << "left by a killed pack";
    ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    CRecordingProgress stopped;
    stopped.fStopPhase = 0;
    EXPECT_FALSE(Pack(&stopped));
    EXPECT_FALSE(fs::exists(UncheckedPackage()));
    ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    ASSERT_TRUE(Pack(nullptr)) << Describe(Alerts());
    EXPECT_EQ(NSPackingTests::ReadPackageIndependently(Package()).fFileCount, files);
    for (const std::string& name : OutputNames())
        EXPECT_TRUE(name == "Test Bank.vtl" || name.find(" packing log ") != std::string::npos) << name;
}

// Damages, on its way into the package file, the packed sample whose stream begins with the
// given bytes: its writes are replaced by bytes of 0xFF, as a failing disk might.
class CDamagingPackageWrites
{
public:
    explicit CDamagingPackageWrites(std::vector<u8> streamStart)
        : fStreamStart(std::move(streamStart)), fOverride(MakeCalls())
    {
        sSelf = this;
    }
    ~CDamagingPackageWrites() { sSelf = nullptr; }
    CDamagingPackageWrites(const CDamagingPackageWrites&) = delete;
    CDamagingPackageWrites& operator=(const CDamagingPackageWrites&) = delete;

    bool Damaged() const { return fDamaged; }

private:
    static TWin32Calls MakeCalls()
    {
        TWin32Calls calls = RealWin32Calls();
        calls.CreateFileW = &CreateFileW;
        calls.WriteFile = &WriteFile;
        return calls;
    }

    static HANDLE WINAPI CreateFileW(LPCWSTR path, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security,
                                     DWORD disposition, DWORD flags, HANDLE templateFile)
    {
        const HANDLE file =
            RealWin32Calls().CreateFileW(path, access, sharing, security, disposition, flags, templateFile);
        if (file != INVALID_HANDLE_VALUE && std::wstring_view(path).ends_with(L".packing.tmp"))
            sSelf->fPackageFiles.insert(file);
        return file;
    }

    static BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped)
    {
        const auto* bytes = static_cast<const u8*>(buffer);
        const std::vector<u8>& start = sSelf->fStreamStart;
        if (sSelf->fPackageFiles.count(file) != 0 && count >= start.size() &&
            std::equal(start.begin(), start.end(), bytes))
        {
            sSelf->fDamaged = true;
            const std::vector<u8> ones(count, 0xFF);
            return RealWin32Calls().WriteFile(file, ones.data(), count, written, overlapped);
        }
        return RealWin32Calls().WriteFile(file, buffer, count, written, overlapped);
    }

    static inline CDamagingPackageWrites* sSelf = nullptr;
    std::vector<u8> fStreamStart;
    CWin32CallsOverride fOverride;
    std::set<HANDLE> fPackageFiles;
    bool fDamaged = false;
};

// A sample damaged as it reaches the package, among samples that are coded and checked on
// worker threads while the pack goes on, fails the package's check at that entry, in its turn,
// with the alert of a damaged entry, after the entries before it have passed.
TEST_F(PackVantleTest, ASampleFailingItsCheckAmongSamplesCheckedAheadFailsTheCheckAtThatEntry)
{
    UseSource("clean");
    const fs::path takes = Scratch().Path() / "Source" / "Takes";
    AddTakes(takes);
    // One frame short of the others: its stream alone begins with this version and frame count.
    NSTestSupport::TWAVESpec wave;
    wave.fChannels = 2;
    for (u32 frame = 0; frame < 44100 * 2 - 1; ++frame)
        for (u32 channel = 0; channel < 2; ++channel)
            wave.fSamples.push_back(i32(9000.0 * std::sin(double(frame) * 0.02 * (channel + 1))));
    WriteWAVE(takes / "Take 12b.wav", wave);
    CRecordingProgress progress;

    CDamagingPackageWrites damage({0xBC, 1, 0, 0, 0, 0x00, 0x01, 0x58, 0x87});
    EXPECT_FALSE(Pack(&progress));
    EXPECT_TRUE(damage.Damaged());
    EXPECT_EQ(progress.fPhases, (std::vector<u32>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Narrow(progress.fLastItem), "Takes:Take 12b.wav");
    EXPECT_EQ(Describe(Alerts()), BadFormatAlert("Takes:Take 12b.wav"));
    EXPECT_TRUE(OutputNames().empty()) << "no package, no temporary file and no log";
}

// Samples rewritten between verifying and packing are packed as they are then: the work ahead is
// planned by the sizes the verifying phase read and its workers open the files, yet a sample grown
// past what is coded ahead of its turn is packed in its turn, and one grown a little or cut down
// is coded from its new bytes.
TEST_F(PackVantleTest, SamplesRewrittenBetweenVerifyingAndPackingArePackedAsTheyAreThen)
{
    UseSource("clean");
    const fs::path takes = Scratch().Path() / "Source" / "Takes";
    AddTakes(takes);
    struct TRewrite
    {
        const char* fName;
        u32 fFrames;
    };
    const TRewrite rewrites[] = {
        {"Take 3.wav", 200000},               // grown a little
        {"Take 7.wav", 17 * 1024 * 1024 / 2}, // grown past what is coded ahead
        {"Take 11.wav", 1000},                // cut down
    };
    std::map<std::string, std::vector<i32>> written;
    CRecordingProgress progress;
    progress.fOnBeginPhase = [&](u32 phase)
    {
        if (phase != 4)
            return;
        for (const TRewrite& rewrite : rewrites)
        {
            NSTestSupport::TWAVESpec wave;
            wave.fSamples.reserve(rewrite.fFrames);
            for (u32 frame = 0; frame < rewrite.fFrames; ++frame)
                wave.fSamples.push_back(i32(8000.0 * std::sin(double(frame) * 0.01)) + i32(frame % 7));
            WriteWAVE(takes / rewrite.fName, wave);
            written[rewrite.fName] = std::move(wave.fSamples);
        }
    };

    ASSERT_TRUE(Pack(&progress)) << Describe(Alerts());
    EXPECT_EQ(progress.fPhases, (std::vector<u32>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    const NSPackingTests::TIndependentPackage package = NSPackingTests::ReadPackageIndependently(Package());
    for (const TRewrite& rewrite : rewrites)
    {
        SCOPED_TRACE(rewrite.fName);
        const NSPackingTests::TIndependentEntry* entry = FindEntry(package, std::string("Takes:") + rewrite.fName);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->fSample.has_value());
        EXPECT_EQ(entry->fSample->fChannels, 1);
        EXPECT_TRUE(entry->fSample->fSamples == written[rewrite.fName]) << "the entry is not the rewritten sample";
    }
}
} // namespace
