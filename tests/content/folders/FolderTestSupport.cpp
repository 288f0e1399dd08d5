#include "tests/content/folders/FolderTestSupport.h"

#include "base/TextConversions.h"
#include "content/package/VantleFile.h"
#include "filelib/ShellItem.h"
#include "filelib/FileLibWrappers.h"
#include "base/Media.h"
#include "tests/support/TextLiterals.h"

namespace NSContentTests
{
CItemPtr CFolderTest::PackageItem(const std::string& name) const
{
    const auto shellItem = std::make_shared<NSFerrant::CShellItem>(
        NSFileLibSupport::FileSpecFromWinPath(FilePath(name)));
    return NSVirtualFS::CVantleFile::Create(shellItem, Text(name), {}, 0);
}

NSTestSupport::TTestEntry Entry(const std::string& name, u32 packedType, const std::string& bytes, bool hidden)
{
    return {NSTextPackage::UTF8ToUTF16(name), packedType, NSTestSupport::TBytes(bytes.begin(), bytes.end()), hidden};
}

std::string BytesOf(NSFerrant::CMedia& media)
{
    std::string bytes(size_t(media.GetSize()), '\0');
    media.Read(0, i64(bytes.size()), bytes.data());
    return bytes;
}

std::string TreeOf(const CItemPtr& item)
{
    std::string tree;
    for (const CItemPtr& child : GetChildItems(item))
    {
        if (!tree.empty())
            tree += ",";
        tree += NSTextPackage::UTF16ToUTF8(child->GetName());
        if (child->IsFolder() && !child->IsBrowsableFile())
            tree += "{" + TreeOf(child) + "}";
    }
    return tree;
}
} // namespace NSContentTests
