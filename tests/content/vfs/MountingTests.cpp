// Packages met while items are made are mounted; a second package of a mounted name stays a plain
// file while the first is there; the host folder's factory bank is mounted directly or through a
// shortcut.
#include "tests/content/vfs/ContentTestSupport.h"
#include "tests/content/vfs/TestItemFactory.h"

#include "base/Quorral.h"
#include "filelib/WinShortcuts.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace NSContentTests
{
namespace
{
using MountingTest = CItemTest;

TEST_F(MountingTest, ASecondPackageOfAMountedNameIsAPlainFileUntilTheFirstIsGone)
{
    const CTestItemFactory factory;
    MakeFile("one/a.vtl", "VTL Bank");
    MakeFile("two/b.vtl", "VTL Bank");
    const CItemPtr first = FileItem("one/a.vtl");
    EXPECT_TRUE(first->IsVantleFile());
    EXPECT_EQ(Database().GetMountedVantles(), std::vector<CItemPtr>{first});

    EXPECT_FALSE(FileItem("two/b.vtl")->IsVantleFile());
    EXPECT_EQ(Database().GetMountedVantles().size(), 1u);

    std::filesystem::remove(Scratch().Path() / "one" / "a.vtl");
    const CItemPtr second = FileItem("two/b.vtl");
    EXPECT_TRUE(second->IsVantleFile());
    EXPECT_EQ(Database().GetMountedVantles(), std::vector<CItemPtr>{second});
    EXPECT_EQ(factory.fPackageKinds, (std::vector<u32>{0, 0, 0}));
}

TEST_F(MountingTest, AMountedPackageIsFoundAgainOutsideABatch)
{
    const CTestItemFactory factory;
    MakeFile("a.vtl", "VTL Bank");
    const CItemPtr package = FileItem("a.vtl");
    EXPECT_EQ(FileItem("a.vtl").Get(), package.Get());
}

TEST_F(MountingTest, UnmountIgnoresLetterCaseAndAnUnknownName)
{
    const CTestItemFactory factory;
    MakeFile("a.vtl", "VTL Drum Bank");
    const CItemPtr package = FileItem("a.vtl");
    Database().UnmountVantle(THashedString(Text("Drum")));
    EXPECT_EQ(Database().GetMountedVantles().size(), 1u);
    Database().UnmountVantle(THashedString(Text("DRUM bank")));
    EXPECT_TRUE(Database().GetMountedVantles().empty());
    EXPECT_NE(FileItem("a.vtl").Get(), package.Get());
}

TEST_F(MountingTest, TheHostFolderMountsItsFactoryBankDirectlyOrThroughAShortcut)
{
    const CTestItemFactory factory;
    MakeFile("host/Stock Sound Bank.vtl", "VTL Stock");
    Database().SetHostFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("host")));
    const CItemPtr bank = Database().GetFactoryBank();
    ASSERT_FALSE(bank.IsEmpty());
    EXPECT_EQ(bank->GetDisplayName(), Text("Stock"));
    EXPECT_EQ(factory.fPackageKinds, std::vector<u32>{1});
    EXPECT_EQ(FindChildItem(Database().GetDatabaseRoot(), Text("stock")).Get(), bank.Get());
    EXPECT_TRUE(bank->GetParent() == FolderItem("host"));

    MakeFolder("empty");
    EXPECT_THROW(Database().SetHostFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("empty"))),
                 NSQuorral::XNotFound);
    EXPECT_EQ(Database().GetFactoryBank().Get(), bank.Get());

    MakeFile("damaged/Stock Sound Bank.vtl", "not a package");
    EXPECT_THROW(Database().SetHostFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("damaged"))),
                 NSQuorral::XFormatViolation);
    EXPECT_EQ(Database().GetFactoryBank().Get(), bank.Get());
    EXPECT_EQ(Database().GetMountedVantles().size(), 1u);

    MakeFile("elsewhere/Stock Sound Bank.vtl", "VTL Linked");
    MakeFolder("linked");
    WinCreateShortcut(FilePath("elsewhere/Stock Sound Bank.vtl"), FilePath("linked/Stock Sound Bank.lnk"),
                      Text("bank"));
    Database().SetHostFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("linked")));
    EXPECT_EQ(Database().GetFactoryBank()->GetDisplayName(), Text("Linked"));
    EXPECT_EQ(Database().GetMountedVantles().size(), 2u);
}

// The package test of the stock factory: the file starts with "VTL ".
bool ProbeTestPackage(NSFileLib::IFileSpec* file)
{
    std::ifstream stream(std::filesystem::path(NSTextPackage::AsWide(NSFileLibSupport::GetFileWinPath(file))),
                         std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    return bytes.rfind("VTL ", 0) == 0;
}

TEST_F(MountingTest, TheStockFactoryMountsPackagesOnceItHasAProbe)
{
    MakeFile("plain/Stock Sound Bank.vtl", "VTL Stock");
    EXPECT_FALSE(FileItem("plain/Stock Sound Bank.vtl")->IsVantleFile());
    EXPECT_THROW(Database().SetHostFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("plain"))),
                 NSQuorral::XFormatViolation);

    const NSVirtualFS::TVantleProbe previous = NSVirtualFS::SetVantleProbe(ProbeTestPackage);
    Database().SetHostFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("plain")));
    EXPECT_TRUE(Database().GetFactoryBank()->IsVantleFile());
    MakeFile("bad/Stock Sound Bank.vtl", "junk");
    EXPECT_THROW(Database().SetHostFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("bad"))),
                 NSQuorral::XFormatViolation);
    NSVirtualFS::SetVantleProbe(previous);
}
} // namespace
} // namespace NSContentTests
