// The host folder: which folders count as one, the default installations under the program files
// folder, the shared bank folders under the machine-wide application data, the current host
// folder and the chooser that insists on a valid pick. The installations are made in the Wine
// prefix's own Program Files and ProgramData folders and removed again.
#include "app/HostFolder.h"

#include "app/Preferences.h"
#include "base/Quorral.h"
#include "content/folders/ContentItemClasses.h"
#include "content/vfs/ItemDatabase.h"
#include "base/TextConversions.h"
#include "gui/DirectoryChooser.h"
#include "tests/app/ApplicationObject.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/gui/HeadlessTrellis.h"
#include "tests/support/TextLiterals.h"
#include "tests/support/VantlePackageWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <shlobj.h>

namespace fs = std::filesystem;
using namespace NSVantleApp;
using NSFileLibSupport::TDirSpecPtr;
using NSTextPackage::TUTF16String;

namespace
{
fs::path ShellFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    EXPECT_EQ(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path), S_OK);
    return path;
}

void Touch(const fs::path& file)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "bank";
}

TUTF16String PathText(const fs::path& path)
{
    return NSTextPackage::FromWide(path.c_str());
}

TDirSpecPtr Folder(const fs::path& path)
{
    fs::create_directories(path);
    return NSFileLibSupport::DirSpecFromWinPath(PathText(path));
}

TUTF16String PathOf(const NSFileLibSupport::TFileSpecPtr& file)
{
    return file ? NSFileLibSupport::GetFileWinPath(file.get()) : TUTF16String();
}

// The maker's folders in the prefix: the installations under Program Files and the shared bank
// folders under ProgramData, none there before a test and none left after it.
class HostFolderInstallations : public ::testing::Test
{
protected:
    const fs::path fMaker = ShellFolder(CSIDL_PROGRAM_FILES) / L"Quillmont";
    const fs::path fTessaro = fMaker / L"Tessaro";
    const fs::path fDictaph = fMaker / L"Dictaph";
    const fs::path fSoundbanks = ShellFolder(CSIDL_COMMON_APPDATA) / L"Quillmont Software" / L"Soundbanks";

    void SetUp() override { RemoveInstallations(); }
    void TearDown() override { RemoveInstallations(); }

    void RemoveInstallations()
    {
        NSFileLibTests::RemoveFolderTree(fMaker);
        NSFileLibTests::RemoveFolderTree(fSoundbanks / L"Lumen");
        NSFileLibTests::RemoveFolderTree(fSoundbanks / L"Tessaro 10");
    }
};

TEST(HostFolder, TheKnownBanksNameTheFilesAndFoldersTheProgramLooksFor)
{
    struct Case
    {
        const TKnownBank& fBank;
        TUTF16String fFileName;
        TUTF16String fFolderName;
    };
    const Case cases[] = {
        {GetLumenBank(), MakeText(u"Lumen.dat"), MakeText(u"Lumen")},
        {GetSinfonelBank(), MakeText(u"Sinfonel.vtl"), MakeText(u"Sinfonel")},
        {GetPatchCollectionBank(), MakeText(u"Tessaro Patch Collection.vtl"), MakeText(u"Tessaro 10")},
        {GetStockBank(), MakeText(u"Stock Sound Bank.vtl"), MakeText(u"Tessaro 10")},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.fBank.fFileName, c.fFileName);
        EXPECT_EQ(c.fBank.fFolderName, c.fFolderName);
    }
}

TEST(HostFolder, AFolderIsOneByItsSinfonelOrLumenFile)
{
    EXPECT_EQ(ValidateHostFolder(nullptr).fStatus, 2u);

    NSFileLibTests::CScratchFolder both;
    both.Write(u"Lumen.dat", "");
    both.Write(u"Sinfonel.vtl", "");
    const THostFolderStatus sinfonel = ValidateHostFolder(Folder(both.Path()));
    EXPECT_EQ(sinfonel.fStatus, 0u);
    EXPECT_EQ(PathOf(sinfonel.fItem), both.PathOf(u"Sinfonel.vtl"));

    NSFileLibTests::CScratchFolder lumen;
    lumen.Write(u"Lumen.dat", "");
    const THostFolderStatus lumenStatus = ValidateHostFolder(Folder(lumen.Path()));
    EXPECT_EQ(lumenStatus.fStatus, 1u);
    EXPECT_EQ(PathOf(lumenStatus.fItem), lumen.PathOf(u"Lumen.dat"));

    // A folder of that name is no bank file.
    NSFileLibTests::CScratchFolder neither;
    fs::create_directories(neither.Path() / L"Lumen.dat");
    const THostFolderStatus none = ValidateHostFolder(Folder(neither.Path()));
    EXPECT_EQ(none.fStatus, 2u);
    EXPECT_EQ(none.fItem, nullptr);
}

TEST_F(HostFolderInstallations, TheDefaultIsTheFirstInstallationThatIsAHostFolder)
{
    EXPECT_EQ(FindDefaultHostFolder().fStatus, 2u);

    // A Tessaro folder without its marker files does not hide a valid Dictaph.
    fs::create_directories(fTessaro);
    Touch(fDictaph / L"Lumen.dat");
    const THostFolderStatus dictaph = FindDefaultHostFolder();
    EXPECT_EQ(dictaph.fStatus, 1u);
    EXPECT_EQ(PathOf(dictaph.fItem), PathText(fDictaph / L"Lumen.dat"));

    Touch(fTessaro / L"Sinfonel.vtl");
    const THostFolderStatus tessaro = FindDefaultHostFolder();
    EXPECT_EQ(tessaro.fStatus, 0u);
    EXPECT_EQ(PathOf(tessaro.fItem), PathText(fTessaro / L"Sinfonel.vtl"));
}

TEST_F(HostFolderInstallations, ABankFolderIsFoundOnlyWhenItIsAFolderThere)
{
    EXPECT_EQ(FindSoundbanksFolder(GetStockBank()), nullptr);
    // The shared folder itself is made on the way.
    EXPECT_TRUE(fs::is_directory(fSoundbanks));

    Touch(fSoundbanks / L"Lumen");
    EXPECT_EQ(FindSoundbanksFolder(GetLumenBank()), nullptr);

    fs::create_directories(fSoundbanks / L"Tessaro 10");
    const TDirSpecPtr stock = FindSoundbanksFolder(GetStockBank());
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(NSFileLibSupport::GetDirWinPath(stock.get()), PathText(fSoundbanks / L"Tessaro 10" / L""));
}

TEST_F(HostFolderInstallations, TheCurrentHostFolderFollowsTheCustomFlag)
{
    const auto application = NSAppTests::MakeApplication();
    CPreferences& preferences = *application->GetPreferences();
    NSFileLibTests::CScratchFolder custom;
    custom.Write(u"Sinfonel.vtl", "");
    preferences.SetHostFolder(Folder(custom.Path()));
    Touch(fSoundbanks / L"Lumen" / L"Lumen.dat");

    // Not chosen by the user: the shared Lumen folder, whatever the preferences name.
    preferences.fCustomHostFolder = 0;
    const THostFolderStatus shared = GetHostFolder();
    EXPECT_EQ(shared.fStatus, 1u);
    EXPECT_EQ(PathOf(shared.fItem), PathText(fSoundbanks / L"Lumen" / L"Lumen.dat"));

    preferences.fCustomHostFolder = 1;
    const THostFolderStatus chosen = GetHostFolder();
    EXPECT_EQ(chosen.fStatus, 0u);
    EXPECT_EQ(PathOf(chosen.fItem), custom.PathOf(u"Sinfonel.vtl"));

    preferences.SetHostFolder(nullptr);
    EXPECT_EQ(GetHostFolder().fStatus, 2u);
}

void WritePackage(const fs::path& file)
{
    fs::create_directories(file.parent_path());
    const NSTestSupport::TBytes bytes = NSTestSupport::WriteTestPackage(NSTestSupport::TTestPackage{}).fBytes;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Start-up's mounting of the host folder, with a database (and the item classes that open its
// packages) and preferences of the test's own.
class StartupHostFolder : public HostFolderInstallations
{
protected:
    void SetUp() override
    {
        HostFolderInstallations::SetUp();
        gItemDatabase = &fDatabase;
    }
    void TearDown() override
    {
        gItemDatabase = nullptr;
        HostFolderInstallations::TearDown();
    }

    TUTF16String StoredPath() const
    {
        const TDirSpecPtr folder = fPreferences.GetHostFolder();
        return folder ? NSFileLibSupport::GetDirWinPath(folder.get()) : TUTF16String();
    }

    const NSVirtualFS::CContentItemClassesInUse fItemClasses;
    CItemDatabase fDatabase;
    CPreferences fPreferences{NSAppTests::GetTestCompany()};
    NSFileLibTests::CScratchFolder fNotAHost;
};

TEST_F(StartupHostFolder, AChosenFolderThatIsNoneGivesWayToTheDefaultInstallation)
{
    fPreferences.fCustomHostFolder = 1;
    fPreferences.SetHostFolder(Folder(fNotAHost.Path()));
    MountHostFolder(fPreferences, fDatabase);
    EXPECT_EQ(StoredPath(), TUTF16String());
    EXPECT_TRUE(fDatabase.GetFactoryBank().IsEmpty());

    Touch(fTessaro / L"Sinfonel.vtl");
    WritePackage(fTessaro / L"Stock Sound Bank.vtl");
    fPreferences.SetHostFolder(Folder(fNotAHost.Path()));
    MountHostFolder(fPreferences, fDatabase);
    EXPECT_EQ(StoredPath(), PathText(fTessaro / L""));
    EXPECT_FALSE(fDatabase.GetFactoryBank().IsEmpty());
}

TEST_F(StartupHostFolder, AChosenFolderWhoseBankCannotBeMountedIsDropped)
{
    fPreferences.fCustomHostFolder = 1;
    NSFileLibTests::CScratchFolder broken;
    broken.Write(u"Lumen.dat", "");
    broken.Write(u"Stock Sound Bank.vtl", "no package");
    fPreferences.SetHostFolder(Folder(broken.Path()));
    MountHostFolder(fPreferences, fDatabase);
    EXPECT_EQ(StoredPath(), TUTF16String());
    EXPECT_TRUE(fDatabase.GetFactoryBank().IsEmpty());
}

TEST_F(StartupHostFolder, WithoutTheCustomFlagTheSharedStockBankIsMountedAndThePreferencesStay)
{
    NSFileLibTests::CScratchFolder chosen;
    chosen.Write(u"Sinfonel.vtl", "");
    fPreferences.SetHostFolder(Folder(chosen.Path()));
    // No shared folder: the start-up goes on without a host folder.
    MountHostFolder(fPreferences, fDatabase);
    EXPECT_TRUE(fDatabase.GetFactoryBank().IsEmpty());

    WritePackage(fSoundbanks / L"Tessaro 10" / L"Stock Sound Bank.vtl");
    MountHostFolder(fPreferences, fDatabase);
    EXPECT_FALSE(fDatabase.GetFactoryBank().IsEmpty());
    EXPECT_EQ(StoredPath(), chosen.FolderPath());
}

std::string URLOf(const fs::path& folder)
{
    return "file://" + NSTextPackage::UTF16ToUTF8(PathText(folder / L""));
}

using HostFolderChooser = HeadlessTrellisTest;

TEST_F(HostFolderChooser, AsksAgainWithTheAlertUntilAHostFolderIsChosen)
{
    const auto application = NSAppTests::MakeApplication();
    NSFileLibTests::CScratchFolder notAHost;
    NSFileLibTests::CScratchFolder host;
    host.Write(u"Lumen.dat", "");
    ASSERT_EQ(TrellisHeadless_QueueFolderAnswer(URLOf(notAHost.Path()).c_str()), kTrellisOK);
    ASSERT_EQ(TrellisHeadless_QueueFolderAnswer(URLOf(notAHost.Path()).c_str()), kTrellisOK);
    ASSERT_EQ(TrellisHeadless_QueueFolderAnswer(URLOf(host.Path()).c_str()), kTrellisOK);

    ChooseHostFolder();

    const TDirSpecPtr stored = application->GetPreferences()->GetHostFolder();
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(NSFileLibSupport::GetDirWinPath(stored.get()), host.FolderPath());
    const auto records = Records();
    ASSERT_EQ(records.size(), 5u);
    for (std::size_t i : {0u, 2u, 4u})
    {
        EXPECT_EQ(records[i].fKind, kHeadlessFolderChooser);
        EXPECT_EQ(records[i].fTag, NSTrellisUtils::kHostFolderChooserTag);
        EXPECT_EQ(TUTF16String(records[i].fAlert.fTitle), MakeText(u"Select the Tessaro or Dictaph folder"));
    }
    for (std::size_t i : {1u, 3u})
    {
        EXPECT_EQ(records[i].fKind, kHeadlessAlert);
        EXPECT_EQ(TUTF16String(records[i].fAlert.fTitle), MakeText(u"Cannot find Tessaro or Dictaph"));
    }
}

TEST_F(HostFolderChooser, CancellingEndsQuietlyAndKeepsTheStoredFolder)
{
    const auto application = NSAppTests::MakeApplication();
    NSFileLibTests::CScratchFolder kept;
    application->GetPreferences()->SetHostFolder(Folder(kept.Path()));

    EXPECT_THROW(ChooseHostFolder(), NSQuorral::XSilentAbort);

    const TDirSpecPtr stored = application->GetPreferences()->GetHostFolder();
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(NSFileLibSupport::GetDirWinPath(stored.get()), kept.FolderPath());
    EXPECT_EQ(Records().size(), 1u);
}
} // namespace
