#pragma once
// A factory of item classes for the database tests. A package file holds "VTL <name>": its
// display name is the package's own name, and a file without that start does not open. Packages
// and loop files count their open updates.
#include "content/vfs/ItemClassFactory.h"
#include "content/vfs/ShellFile.h"
#include "filelib/FileMedia.h"

#include <string>
#include <vector>

namespace NSContentTests
{
class CUpdateCountingFile : public NSVirtualFS::CShellFile
{
public:
    using CShellFile::CShellFile;
    void BeginUpdate() override
    {
        ++fOpenUpdates;
        CShellFile::BeginUpdate();
    }
    void EndUpdate() override
    {
        --fOpenUpdates;
        CShellFile::EndUpdate();
    }
    int fOpenUpdates = 0;
};

class CTestPackage final : public CUpdateCountingFile
{
public:
    CTestPackage(const NSVirtualFS::TShellItemPtr& shellItem, const NSVirtualFS::TUTF16String& name,
                 const CItemPtr& parent)
        : CUpdateCountingFile(shellItem, name, parent)
    {
        const std::shared_ptr<NSFerrant::CMedia> media = OpenMedia();
        std::string bytes(static_cast<std::size_t>(media->GetSize()), '\0');
        media->Read(0, static_cast<i64>(bytes.size()), bytes.data());
        fReadable = bytes.rfind("VTL ", 0) == 0;
        const std::string packageName = fReadable ? bytes.substr(4) : std::string("?");
        fPackageName.assign(packageName.begin(), packageName.end());
    }
    bool IsVantleFile() override { return true; }
    const NSVirtualFS::TUTF16String& GetDisplayName() override { return fPackageName; }
    bool fReadable = false;

private:
    NSVirtualFS::TUTF16String fPackageName;
};

class CTestItemFactory final : public NSVirtualFS::IItemClassFactory
{
public:
    CTestItemFactory() : fPrevious(NSVirtualFS::ExchangeItemClassFactory(this)) {}
    ~CTestItemFactory() override { NSVirtualFS::ExchangeItemClassFactory(fPrevious); }

    CItemPtr MakeVantleFile(const NSVirtualFS::TShellItemPtr& shellItem, const NSVirtualFS::TUTF16String& name,
                            const CItemPtr& parent, u32 kind) override
    {
        fPackageKinds.push_back(kind);
        return CItemPtr(new CTestPackage(shellItem, name, parent));
    }
    bool OpenVantleFile(const CItemPtr& package) override
    {
        return static_cast<CTestPackage*>(package.Get())->fReadable;
    }
    CItemPtr MakeSoundFontFile(const NSVirtualFS::TShellItemPtr&, const NSVirtualFS::TUTF16String&,
                               const CItemPtr&) override
    {
        return {};
    }
    CItemPtr MakeLoopFile(const NSVirtualFS::TShellItemPtr& shellItem, const NSVirtualFS::TUTF16String& name,
                          const CItemPtr& parent) override
    {
        return CItemPtr(new CUpdateCountingFile(shellItem, name, parent));
    }

    std::vector<u32> fPackageKinds;

private:
    NSVirtualFS::IItemClassFactory* fPrevious;
};

inline int OpenUpdatesOf(const CItemPtr& item)
{
    return dynamic_cast<CUpdateCountingFile&>(*item.Get()).fOpenUpdates;
}
} // namespace NSContentTests
