#include "content/vfs/ItemClassFactory.h"

#include "content/vfs/ShellFile.h"

namespace NSVirtualFS
{
namespace
{
TVantleProbe gVantleProbe = nullptr;

// A package file as a mountable package, before packages can be shown as folders: a disk file
// that answers as a package and opens when the probe reads it.
class CProbedVantleFile final : public CShellFile
{
public:
    using CShellFile::CShellFile;
    bool IsVantleFile() override { return true; }
};

class CStockItemClassFactory final : public IItemClassFactory
{
public:
    CItemPtr MakeVantleFile(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent,
                            u32 kind) override
    {
        if (!gVantleProbe)
            return {};
        return CItemPtr(new CProbedVantleFile(shellItem, name, parent));
    }

    bool OpenVantleFile(const CItemPtr& package) override
    {
        return gVantleProbe && gVantleProbe(GetItemFileSpec(package).get());
    }

    CItemPtr MakeSoundFontFile(const TShellItemPtr&, const TUTF16String&, const CItemPtr&) override { return {}; }
    CItemPtr MakeLoopFile(const TShellItemPtr&, const TUTF16String&, const CItemPtr&) override { return {}; }
};

CStockItemClassFactory gStockFactory;
IItemClassFactory* gFactory = nullptr;
} // namespace

IItemClassFactory& GetItemClassFactory()
{
    return gFactory ? *gFactory : gStockFactory;
}

IItemClassFactory* ExchangeItemClassFactory(IItemClassFactory* factory)
{
    IItemClassFactory* previous = gFactory;
    gFactory = factory;
    return previous;
}

TVantleProbe SetVantleProbe(TVantleProbe probe)
{
    const TVantleProbe previous = gVantleProbe;
    gVantleProbe = probe;
    return previous;
}
} // namespace NSVirtualFS
