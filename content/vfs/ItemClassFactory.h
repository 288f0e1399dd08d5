#pragma once
// The item classes of files that are shown as more than a file: packages, SoundFont banks and
// loop files. The item database makes them through the factory in place, so that those classes
// plug in where they are built; a file whose class the factory does not make is a plain disk item.
#include "content/vfs/VirtualFileItem.h"

namespace NSFerrant
{
class CShellItem;
}

namespace NSFileLib
{
class IFileSpec;
}

namespace NSVirtualFS
{
using TShellItemPtr = std::shared_ptr<NSFerrant::CShellItem>;

class IItemClassFactory
{
public:
    virtual ~IItemClassFactory() = default;
    // A package item (IsVantleFile) over a file-system file; kind 1 for the factory bank's file
    // name, 0 otherwise. Empty when packages cannot be shown.
    virtual CItemPtr MakeVantleFile(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent,
                                    u32 kind) = 0;
    // Opens a package item that MakeVantleFile made; false when it is no readable package.
    virtual bool OpenVantleFile(const CItemPtr& package) = 0;
    // Empty when the class is not there.
    virtual CItemPtr MakeSoundFontFile(const TShellItemPtr& shellItem, const TUTF16String& name,
                                       const CItemPtr& parent) = 0;
    virtual CItemPtr MakeLoopFile(const TShellItemPtr& shellItem, const TUTF16String& name,
                                  const CItemPtr& parent) = 0;
};

// The factory in place: the stock one unless another was put there.
IItemClassFactory& GetItemClassFactory();
// Puts a factory in place (null: the stock one) and answers the one it replaced (null for the
// stock one). The caller keeps the factory alive while it is in place.
IItemClassFactory* ExchangeItemClassFactory(IItemClassFactory* factory);

// The package file test: whether the file is a readable package. Failures other than running out
// of handles answer false.
using TVantleProbe = bool (*)(NSFileLib::IFileSpec* file);
// The stock factory shows packages only once the package reader has given it its probe; until
// then a package file is a plain file. Answers the probe it replaced.
TVantleProbe SetVantleProbe(TVantleProbe probe);
} // namespace NSVirtualFS
