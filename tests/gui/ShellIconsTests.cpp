#include "base/LibraryStatusTables.h"
#include "filelib/ShellContainerIterator.h"
#include "gui/ShellIcons.h"
#include "filelib/ShellItem.h"
#include "base/Win32Calls.h"
#include "gui/TrellisInterface.h"
#include "tests/filelib/ShellItemTestSupport.h"
#include "tests/support/TrellisStub.h"

#include <gtest/gtest.h>

#include <set>

using namespace NSShellItemTests;
using NSFerrant::CShellItem;

namespace
{
// Counting doubles of the GUI library's icon services, keeping the library's contract: an icon
// owns both handles, and CreateIconFromHandles takes them on every path.
struct TIconCounts
{
    int iconsMade = 0;
    int iconsAlive = 0;
    int handlesDestroyedByLibrary = 0;
};
TIconCounts gIcons;

class CIconDouble final : public NSTrellis::IIcon
{
public:
    CIconDouble(HICON smallIcon, HICON largeIcon) : fSmall(smallIcon), fLarge(largeIcon) { ++gIcons.iconsAlive; }

    u32 Release() override
    {
        ::DestroyIcon(fSmall);
        ::DestroyIcon(fLarge);
        --gIcons.iconsAlive;
        delete this;
        return kTrellisOK;
    }
    u32 GetHandles(HICON* smallIcon, HICON* largeIcon) override
    {
        *smallIcon = fSmall;
        *largeIcon = fLarge;
        return kTrellisOK;
    }

private:
    ~CIconDouble() = default;
    HICON fSmall;
    HICON fLarge;
};

class CPlatformServicesDouble final : public IPlatformServices
{
public:
    NSTrellis::IIcon* CreateIconFromHandles(HICON smallIcon, u32, HICON largeIcon, u32, u32, u32, u32,
                                            u32* status) override
    {
        if (fFailure != kTrellisOK)
        {
            ::DestroyIcon(smallIcon);
            ::DestroyIcon(largeIcon);
            gIcons.handlesDestroyedByLibrary += 2;
            *status = fFailure;
            return nullptr;
        }
        ++gIcons.iconsMade;
        *status = kTrellisOK;
        return new CIconDouble(smallIcon, largeIcon);
    }
    u32 EnableApplicationWindows(u32) override { return kTrellisOK; }

    u32 fFailure = kTrellisOK;
};

class CTrellisDouble final : public CTrellisStub
{
public:
    u32 GetPlatformServices(IPlatformServices** services) override
    {
        *services = &fServices;
        return fServicesStatus;
    }

    CPlatformServicesDouble fServices;
    u32 fServicesStatus = kTrellisOK;
};

// The shell's icon answers: real, except that the icon location is the one a test names (so
// that each test has cache keys of its own) and that a chosen request fails.
struct TShellAnswers
{
    const wchar_t* iconFile = L"";
    UINT failingFlags = 0; // without SHGFI_PIDL; 0 for none
    int typeNameCalls = 0;
    int handlesDestroyed = 0;
};
TShellAnswers gShell;

DWORD_PTR WINAPI AnswerFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT size, UINT flags)
{
    if (flags & SHGFI_TYPENAME)
        ++gShell.typeNameCalls;
    if ((flags & ~SHGFI_PIDL) == gShell.failingFlags)
        return 0;
    const DWORD_PTR answer = ::SHGetFileInfoW(path, attributes, info, size, flags);
    if (answer && (flags & SHGFI_ICONLOCATION))
        lstrcpynW(info->szDisplayName, gShell.iconFile, MAX_PATH);
    return answer;
}

BOOL WINAPI CountDestroyedIcon(HICON icon)
{
    ++gShell.handlesDestroyed;
    return ::DestroyIcon(icon);
}

class ShellIcons : public ::testing::Test
{
protected:
    ShellIcons() : fCalls(MakeCalls()), fOverride(fCalls)
    {
        gIcons = {};
        gShell = {};
        fReplaced = ExchangeTrellisInterface(&fTrellis);
        fFolder.WriteFile("One.vtlicon", {1});
        fFolder.WriteFile("Two.vtlicon", {2});
    }
    ~ShellIcons() override { ExchangeTrellisInterface(fReplaced); }

    static TWin32Calls MakeCalls()
    {
        TWin32Calls calls = RealWin32Calls();
        calls.SHGetFileInfoW = &AnswerFileInfo;
        calls.DestroyIcon = &CountDestroyedIcon;
        return calls;
    }

    std::shared_ptr<NSTrellis::IIcon> IconOf(CShellItem item)
    {
        std::shared_ptr<NSTrellis::IIcon> icon;
        GetShellItemIcon(item, icon);
        return icon;
    }

    // The cache key of the item under the current icon file.
    NSFerrant::SShellIconKey KeyOf(const CShellItem& item)
    {
        SHFILEINFOW info = {};
        AnswerFileInfo(reinterpret_cast<LPCWSTR>(item.GetIDList()), 0, &info, sizeof(info),
                       SHGFI_ICONLOCATION | SHGFI_ATTRIBUTES | SHGFI_PIDL);
        return {NSTextPackage::FromWide(info.szDisplayName), info.iIcon, info.dwAttributes};
    }

    // Fails the test unless action throws without making or caching an icon and without
    // leaving a handle behind.
    template <class TAction> void ExpectCleanFailure(TAction&& action, const CShellItem& item)
    {
        EXPECT_ANY_THROW(action());
        EXPECT_EQ(gIcons.iconsMade, 0);
        EXPECT_FALSE(NSFerrant::FindCachedShellIcon(KeyOf(item)));
    }

    TWin32Calls fCalls;
    CWin32CallsOverride fOverride;
    CTrellisDouble fTrellis;
    ITrellis* fReplaced = nullptr;
    NSFileLibTests::CScratchFolder fFolder;
};
} // namespace

TEST_F(ShellIcons, ItemsOfOneIconLocationShareOneIconObject)
{
    gShell.iconFile = L"C:\\Icons\\Shared.dll";
    NSFileLibTests::CScratchFolder other;
    other.WriteFile("Three.vtlicon", {3});
    const CShellItem one = MakeFileItem(PathIn(fFolder, "One.vtlicon"));

    const std::shared_ptr<NSTrellis::IIcon> first = IconOf(one);
    ASSERT_TRUE(first);
    EXPECT_EQ(IconOf(one), first);
    EXPECT_EQ(IconOf(MakeFileItem(PathIn(fFolder, "Two.vtlicon"))), first);
    EXPECT_EQ(IconOf(MakeFileItem(PathIn(other, "Three.vtlicon"))), first);
    EXPECT_EQ(gIcons.iconsMade, 1);
    EXPECT_EQ(NSFerrant::FindCachedShellIcon(KeyOf(one)), first);
}

TEST_F(ShellIcons, IconFilesThatDifferInCaseAreTwoEntries)
{
    const CShellItem one = MakeFileItem(PathIn(fFolder, "One.vtlicon"));
    gShell.iconFile = L"C:\\Icons\\Cased.dll";
    const std::shared_ptr<NSTrellis::IIcon> upper = IconOf(one);
    gShell.iconFile = L"c:\\icons\\cased.dll";
    const std::shared_ptr<NSTrellis::IIcon> lower = IconOf(one);
    EXPECT_NE(upper, lower);
    EXPECT_EQ(gIcons.iconsMade, 2);
}

TEST_F(ShellIcons, VolumeRootsAreNeverCached)
{
    gShell.iconFile = L"C:\\Icons\\Drive.dll";
    const CShellItem drive = MakeFolderItem(Text("C:\\"));
    ASSERT_EQ(drive.GetKind(), NSFerrant::kShellItemVolumeRoot);
    std::shared_ptr<NSTrellis::IIcon> first = IconOf(drive);
    std::shared_ptr<NSTrellis::IIcon> second = IconOf(drive);
    EXPECT_NE(first, second);
    EXPECT_EQ(gIcons.iconsMade, 2);
    EXPECT_FALSE(NSFerrant::FindCachedShellIcon(KeyOf(drive)));
    first.reset();
    second.reset();
    EXPECT_EQ(gIcons.iconsAlive, 0);
}

TEST_F(ShellIcons, EveryFailureDestroysTheHandlesNoIconTookOver)
{
    const CShellItem one = MakeFileItem(PathIn(fFolder, "One.vtlicon"));
    gShell.iconFile = L"C:\\Icons\\Failing.dll";
    std::shared_ptr<NSTrellis::IIcon> icon;

    // No icon location: a plain std::exception before any handle exists.
    gShell.failingFlags = SHGFI_ICONLOCATION | SHGFI_ATTRIBUTES;
    try
    {
        GetShellItemIcon(CShellItem(one), icon);
        ADD_FAILURE() << "nothing thrown";
    }
    catch (const std::exception& e)
    {
        EXPECT_FALSE(NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(e), NSFerrant::GetShellItemObjectType()));
    }
    gShell.failingFlags = 0;
    EXPECT_FALSE(NSFerrant::FindCachedShellIcon(KeyOf(one)));

    // No large icon: the small one is destroyed.
    gShell.failingFlags = SHGFI_ICON;
    ExpectCleanFailure([&] { GetShellItemIcon(CShellItem(one), icon); }, one);
    EXPECT_EQ(gShell.handlesDestroyed, 1);

    // No platform services: both are destroyed, and the library's status is thrown.
    gShell = {L"C:\\Icons\\Failing.dll"};
    fTrellis.fServicesStatus = kTrellisIllegalCallSequence;
    ExpectCleanFailure([&] { GetShellItemIcon(CShellItem(one), icon); }, one);
    EXPECT_EQ(gShell.handlesDestroyed, 2);
    EXPECT_THROW(GetShellItemIcon(CShellItem(one), icon), NSQuorral::XIllegalCallSequence);

    // The library refuses the icon: it has taken both handles, so none is destroyed twice.
    gShell = {L"C:\\Icons\\Failing.dll"};
    fTrellis.fServicesStatus = kTrellisOK;
    fTrellis.fServices.fFailure = kTrellisOutOfMemory;
    ExpectCleanFailure([&] { GetShellItemIcon(CShellItem(one), icon); }, one);
    EXPECT_EQ(gShell.handlesDestroyed, 0);
    EXPECT_EQ(gIcons.handlesDestroyedByLibrary, 2);
    EXPECT_FALSE(icon);
}

TEST_F(ShellIcons, ATypeNameIsAskedOfTheShellOnce)
{
    CShellItem desktop;
    const TUTF16String name = desktop.GetTypeName();
    EXPECT_EQ(desktop.GetTypeName(), name);
    EXPECT_EQ(gShell.typeNameCalls, 1);

    // An empty answer is kept too.
    gShell.failingFlags = SHGFI_TYPENAME;
    CShellItem computer = MakeKnownFolderItem(FOLDERID_ComputerFolder);
    EXPECT_TRUE(computer.GetTypeName().empty());
    EXPECT_TRUE(computer.GetTypeName().empty());
    EXPECT_EQ(gShell.typeNameCalls, 2);
}

namespace
{
// The path the shell gives for any id list; none when null.
const wchar_t* gShellPath = nullptr;
BOOL WINAPI AnswerShellPath(PCIDLIST_ABSOLUTE, LPWSTR path)
{
    if (!gShellPath)
        return FALSE;
    lstrcpynW(path, gShellPath, MAX_PATH);
    return TRUE;
}
} // namespace

TEST_F(ShellIcons, AnObjectWithoutAShellTypeNameIsNamedByItsPathsExtension)
{
    // A Control Panel applet is an object outside the file system.
    NSFerrant::CShellContainerIterator applets(MakeKnownFolderItem(FOLDERID_ControlPanelFolder));
    ASSERT_FALSE(applets.IsDone());
    CShellItem applet;
    applets.GetCurrent(applet);
    ASSERT_EQ(applet.GetKind(), NSFerrant::kShellItemVirtualItem);

    gShell.failingFlags = SHGFI_TYPENAME;
    TWin32Calls calls = fCalls;
    calls.SHGetPathFromIDListW = &AnswerShellPath;
    CWin32CallsOverride withPath(calls);
    struct Case
    {
        const wchar_t* path;
        const char* typeName;
    };
    const Case kCases[] = {
        {L"C:\\Applets\\Joystick.cpl", ".cpl"},
        {L"C:\\Applets.d\\Joystick", ""},
        {nullptr, ""},
    };
    for (const Case& c : kCases)
    {
        gShellPath = c.path;
        CShellItem item(applet); // a type name not yet worked out
        EXPECT_EQ(item.GetTypeName(), Text(c.typeName)) << c.typeName;
    }
    gShellPath = nullptr;
}

TEST_F(ShellIcons, TypeNamesOfFilesAndFoldersComeFromTheFileLibrary)
{
    CShellItem file = MakeFileItem(PathIn(fFolder, "One.vtlicon"));
    CShellItem folder = MakeFolderItem(fFolder.FolderPath());
    EXPECT_FALSE(file.GetTypeName().empty());
    EXPECT_FALSE(folder.GetTypeName().empty());
    EXPECT_EQ(gShell.typeNameCalls, 0);
}

TEST(ShellIconKey, OrdersByCaseSensitiveFileThenIndexThenAttributes)
{
    const NSFerrant::SShellIconKey base{Text("b.dll"), 0, 5};
    struct Case
    {
        NSFerrant::SShellIconKey other;
        bool baseFirst;
    };
    const Case kCases[] = {
        {{Text("c.dll"), -5, 0}, true},
        {{Text("a.dll"), 9, 9}, false},
        {{Text("b.dll"), 1, 0}, true},
        {{Text("b.dll"), -1, 9}, false},
        {{Text("b.dll"), 0, 6}, true},
        {{Text("b.dll"), 0, 4}, false},
    };
    for (const Case& c : kCases)
    {
        EXPECT_EQ(NSFerrant::ShellIconKeyLess(base, c.other), c.baseFirst) << NSTextPackage::ToUTF8(c.other.iconFile);
        EXPECT_EQ(NSFerrant::ShellIconKeyLess(c.other, base), !c.baseFirst);
    }
    EXPECT_FALSE(NSFerrant::ShellIconKeyLess(base, base));
    const NSFerrant::SShellIconKey upper{Text("B.DLL"), 0, 5};
    EXPECT_TRUE(NSFerrant::ShellIconKeyLess(base, upper) || NSFerrant::ShellIconKeyLess(upper, base));
}
