#pragma once
// Items of the content model's own classes for the folder tests: the item tests' fixture with the
// content model's item classes in place, package and loop files written into its scratch folder,
// and a package item made directly (not mounted, so that nothing but the test holds it).
#include "content/folders/ContentItemClasses.h"
#include "tests/content/vfs/ContentTestSupport.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/VantlePackageWriter.h"

#include <string>
#include <vector>

namespace NSContentTests
{
class CFolderTest : public CItemTest
{
protected:
    void WriteBytes(const std::string& name, const std::vector<u8>& bytes) const
    {
        MakeFile(name, std::string(bytes.begin(), bytes.end()));
    }
    // The package's bytes in the scratch folder.
    void WritePackage(const std::string& name, const NSTestSupport::TTestPackage& package) const
    {
        WriteBytes(name, NSTestSupport::WriteTestPackage(package).fBytes);
    }
    // A package item that only the caller holds.
    CItemPtr PackageItem(const std::string& name) const;

private:
    NSVirtualFS::CContentItemClassesInUse fItemClasses;
};

// One entry row of a test package, of the given type and bytes.
NSTestSupport::TTestEntry Entry(const std::string& name, u32 packedType, const std::string& bytes = "x",
                                bool hidden = false);

// The bytes of the media from its start.
std::string BytesOf(NSFerrant::CMedia& media);

// The tree below the item in one line: names joined by ",", a folder's children in braces.
// Files shown as folders (packages, banks, loops) are not opened.
std::string TreeOf(const CItemPtr& item);
} // namespace NSContentTests
