// FindChildShortcutTarget: a plain file, or a shortcut "<name>.lnk" or "<base>.lnk" to a file of
// the name asked for.
#include "filelib/FileLibAccess.h"
#include "filelib/ShortcutTargets.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

using namespace NSFileLibTests;
using namespace NSFileLibSupport;

namespace
{
// A host folder to search and a folder elsewhere that the shortcuts lead into.
class FindChildShortcutTargetTest : public testing::Test
{
protected:
    // A shortcut "<shortcutName>.lnk" in the host folder to the file elsewhere.
    void MakeShortcut(const char16_t* shortcutName, const std::string& targetName)
    {
        fElsewhere.WriteFile(targetName, {1});
        const TFileSpecPtr target =
            GetChildFile(fElsewhere.Spec(), TUTF16String(targetName.begin(), targetName.end()));
        u32 status = NSFileLib::kFileLibNotSet;
        const TFileSpecPtr shortcut(GetFileLib()->GetWinExtensions()->CreateAlias(
            target.get(), fHost.Spec(), TUTF16String(reinterpret_cast<const u16*>(shortcutName)).c_str(),
            &status));
        ASSERT_EQ(NSFileLib::kFileLibOK, status);
    }

    TUTF16String Found(const char16_t* name)
    {
        const TFileSpecPtr file =
            FindChildShortcutTarget(fHost.Spec(), TUTF16String(reinterpret_cast<const u16*>(name)));
        return file ? GetFileWinPath(file.get()) : TUTF16String();
    }

    CScratchFolder fHost;
    CScratchFolder fElsewhere;
};

TEST_F(FindChildShortcutTargetTest, FindsThePlainFile)
{
    fHost.WriteFile("Bank.vtl", {1});
    EXPECT_EQ(fHost.FolderPath() + MakeText(u"Bank.vtl"), Found(u"Bank.vtl"));
    EXPECT_EQ(fHost.FolderPath() + MakeText(u"Bank.vtl"), Found(u"BANK.VTL"));
}

TEST_F(FindChildShortcutTargetTest, FollowsNameDotLnkToATargetOfThatName)
{
    MakeShortcut(u"Bank.vtl", "bank.VTL");
    EXPECT_EQ(fElsewhere.FolderPath() + MakeText(u"bank.VTL"), Found(u"Bank.vtl"));
}

TEST_F(FindChildShortcutTargetTest, FollowsBaseDotLnkToATargetOfThatName)
{
    MakeShortcut(u"Bank", "bank.VTL");
    EXPECT_EQ(fElsewhere.FolderPath() + MakeText(u"bank.VTL"), Found(u"Bank.vtl"));
}

TEST_F(FindChildShortcutTargetTest, IgnoresAShortcutToAnotherNameAndMissingFiles)
{
    MakeShortcut(u"Bank.vtl", "Other.vtl");
    MakeShortcut(u"Bank", "Other2.vtl");
    EXPECT_EQ(TUTF16String(), Found(u"Bank.vtl"));
    EXPECT_EQ(TUTF16String(), Found(u"Missing"));
}
} // namespace
