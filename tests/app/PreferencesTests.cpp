// The preferences file: its bytes as written, and what reading gives for good, old, newer and
// damaged files, both from memory and through the per-user file.
#include "app/Preferences.h"

#include "base/ByteOrder.h"
#include "base/TextConversions.h"
#include "filelib/ApplicationFolders.h"
#include "filelib/FileMedia.h"
#include "filelib/StoredDirSpec.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

using namespace NSFileLibSupport;
using namespace NSTestSupport;
using NSVantleApp::CPreferences;

namespace
{
// A company folder of the tests' own, so that the real program's preferences stay untouched.
const TUTF16String kTestCompany = MakeText(u"___Vantle__Preferences__Test___");

const TBytes kVersion110 = Bytes({0xBC, 1, 1, 0, 0});
const TBytes kVersion100 = Bytes({0xBC, 1, 0, 0, 0});
const TBytes kVersion200 = Bytes({0xBC, 2, 0, 0, 0});

// A "FORM" of the type around the body, with the size field and pad byte a writer gives.
TBytes Form(const std::string& type, const TBytes& body)
{
    TBytes bytes = Text("FORM");
    PutBE32(bytes, u32(4 + body.size()));
    bytes = Concat({bytes, Text(type), body});
    if (body.size() % 2 != 0)
        bytes.push_back(0);
    return bytes;
}

TBytes StoredFolder(NSFileLib::IDirSpec* folder)
{
    NSFerrant::COwnedMemoryMedia media(0);
    WriteDirSpec(folder, media);
    return BytesOf(media);
}

TBytes Written(const CPreferences& preferences)
{
    NSFerrant::COwnedMemoryMedia media(0);
    preferences.WriteTo(media);
    return BytesOf(media);
}

CPreferences ReadBack(const TBytes& bytes)
{
    CPreferences preferences(kTestCompany);
    NSFerrant::COwnedMemoryMedia media = MediaOf(bytes);
    try
    {
        preferences.ReadFrom(media);
    }
    catch (...)
    {
        // The constructor swallows this too; what was read before stays.
    }
    return preferences;
}

class PreferencesFile : public ::testing::Test
{
protected:
    void SetUp() override { RemoveTestFolders(); }
    void TearDown() override { RemoveTestFolders(); }

    static TDirSpecPtr Folder() { return GetUserAppDataDirSpec(kTestCompany, NSVantleApp::GetApplicationName()); }

    static TBytes FileBytes()
    {
        COpenFile file(GetChildFile(Folder().get(), NSVantleApp::GetPreferencesFileName()).get());
        return BytesOf(file);
    }

    static void WriteFileBytes(const TBytes& bytes)
    {
        COpenFile file(Folder().get(), NSVantleApp::GetPreferencesFileName(), 0, 0);
        if (!bytes.empty())
            file.Write(0, i64(bytes.size()), bytes.data());
    }

    static void RemoveTestFolders()
    {
        const TDirSpecPtr folder = Folder();
        const TDirSpecPtr company = GetChildDirectory(folder.get(), MakeText(u".."));
        DeleteChildFileIfExists(folder.get(), NSVantleApp::GetPreferencesFileName());
        DeleteDirectory(folder.get());
        DeleteDirectory(company.get());
    }
};

TEST(PreferencesBytes, WithoutAFolderTheFileIsTwentyBytesWithTheFlag)
{
    CPreferences preferences(kTestCompany);
    EXPECT_EQ(nullptr, preferences.GetHostFolder());
    EXPECT_EQ(0, preferences.fCustomHostFolder);
    const TBytes plain = Concat({Text("FORM"), Bytes({0, 0, 0, 11}), Text("VPPR"), kVersion110, Bytes({0, 0, 0})});
    EXPECT_EQ(plain, Written(preferences));
    preferences.fCustomHostFolder = 1;
    TBytes custom = plain;
    custom[18] = 1;
    EXPECT_EQ(custom, Written(preferences));
}

TEST(PreferencesBytes, AFolderFollowsItsMarkerAndReadsBack)
{
    NSFileLibTests::CScratchFolder folder;
    CPreferences preferences(kTestCompany);
    preferences.SetHostFolder(CloneDirSpec(folder.Spec()));
    preferences.fCustomHostFolder = 1;
    const TBytes stored = StoredFolder(folder.Spec());
    const TBytes bytes = Written(preferences);
    EXPECT_EQ(Form("VPPR", Concat({kVersion110, Bytes({1}), stored, Bytes({1})})), bytes);

    const CPreferences back = ReadBack(bytes);
    ASSERT_NE(nullptr, back.GetHostFolder());
    EXPECT_EQ(folder.FolderPath(), GetDirWinPath(back.GetHostFolder().get()));
    EXPECT_EQ(1, back.fCustomHostFolder);
}

TEST(PreferencesBytes, ReadingByVersionFlagAndDamage)
{
    NSFileLibTests::CScratchFolder folder;
    const TBytes stored = StoredFolder(folder.Spec());
    const TBytes current = Form("VPPR", Concat({kVersion110, Bytes({1}), stored, Bytes({1})}));
    struct TCase
    {
        const char* name;
        TBytes bytes;
        bool hasFolder;
        u8 custom;
    };
    const TCase cases[] = {
        {"current", current, true, 1},
        {"1.0.0 has no flag", Form("VPPR", Concat({kVersion100, Bytes({1}), stored})), true, 0},
        {"2.0.0 is ignored", Form("VPPR", Concat({kVersion200, Bytes({1}), stored, Bytes({1})})), false, 0},
        {"another form type", Form("VPPX", Concat({kVersion110, Bytes({1}), stored, Bytes({1})})), false, 0},
        {"flag 2 is not set", Form("VPPR", Concat({kVersion110, Bytes({0, 2})})), false, 0},
        {"flag byte missing", Form("VPPR", Concat({kVersion110, Bytes({1}), stored})), true, 0},
        {"folder cut short", Form("VPPR", Concat({kVersion110, Bytes({1}), TBytes(stored.begin(), stored.end() - 2)})),
         false, 0},
        {"bad folder magic keeps the flag unread",
         Form("VPPR", Concat({kVersion110, Bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 1})})), false, 0},
        {"file cut in the folder", TBytes(current.begin(), current.begin() + 22), false, 0},
        // A group that claims more bytes than the file holds is refused before anything is read.
        {"file cut before the flag", TBytes(current.begin(), current.begin() + 18 + i64(stored.size())), false, 0},
        {"header only", TBytes(current.begin(), current.begin() + 8), false, 0},
        {"empty", TBytes(), false, 0},
    };
    for (const TCase& test : cases)
    {
        const CPreferences back = ReadBack(test.bytes);
        EXPECT_EQ(test.hasFolder, back.GetHostFolder() != nullptr) << test.name;
        if (test.hasFolder && back.GetHostFolder())
        {
            EXPECT_EQ(folder.FolderPath(), GetDirWinPath(back.GetHostFolder().get())) << test.name;
        }
        EXPECT_EQ(test.custom, back.fCustomHostFolder) << test.name;
    }
}

TEST_F(PreferencesFile, SaveWritesTheFileThatTheNextRunReads)
{
    NSFileLibTests::CScratchFolder host;
    {
        CPreferences preferences(kTestCompany);
        EXPECT_EQ(nullptr, preferences.GetHostFolder());
        preferences.SetHostFolder(CloneDirSpec(host.Spec()));
        preferences.fCustomHostFolder = 1;
        preferences.Save();
    }
    EXPECT_EQ(Form("VPPR", Concat({kVersion110, Bytes({1}), StoredFolder(host.Spec()), Bytes({1})})), FileBytes());
    const CPreferences next(kTestCompany);
    ASSERT_NE(nullptr, next.GetHostFolder());
    EXPECT_EQ(host.FolderPath(), GetDirWinPath(next.GetHostFolder().get()));
    EXPECT_EQ(1, next.fCustomHostFolder);
}

TEST_F(PreferencesFile, ADamagedFileKeepsTheDefaultsAndIsReplacedBySave)
{
    WriteFileBytes(Concat({Text("FORM"), Bytes({0, 0, 0, 11}), Text("VP")}));
    CPreferences preferences(kTestCompany);
    EXPECT_EQ(nullptr, preferences.GetHostFolder());
    EXPECT_EQ(0, preferences.fCustomHostFolder);
    preferences.Save();
    EXPECT_EQ(Form("VPPR", Concat({kVersion110, Bytes({0, 0})})), FileBytes());
}

TEST_F(PreferencesFile, ASaveThatCannotReplaceTheFileIsSilentAndLeavesWhatWasThere)
{
    const TUTF16String name = NSVantleApp::GetPreferencesFileName();
    const TDirSpecPtr taken = CreateChildDirectory(Folder().get(), name); // a folder holds the name
    CPreferences preferences(kTestCompany);
    EXPECT_EQ(0, preferences.fCustomHostFolder);
    preferences.fCustomHostFolder = 1;
    EXPECT_NO_THROW(preferences.Save());
    EXPECT_TRUE(DoesChildDirectoryExist(Folder().get(), name));
    EXPECT_FALSE(DoesChildFileExist(Folder().get(), name));
    DeleteDirectory(taken.get());
}
} // namespace
