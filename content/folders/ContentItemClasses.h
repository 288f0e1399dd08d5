#pragma once
// The item classes of the content model for the item database: packages as folders of entries,
// SoundFont banks as folders of presets and samples, and loop files as folders of slices. Whoever
// owns the database puts the factory in place (ExchangeItemClassFactory); CContentItemClassesInUse
// does it for a scope.
#include "content/vfs/ItemClassFactory.h"

namespace NSVirtualFS
{
IItemClassFactory& GetContentItemClassFactory();

class CContentItemClassesInUse
{
public:
    CContentItemClassesInUse() : fReplaced(ExchangeItemClassFactory(&GetContentItemClassFactory())) {}
    ~CContentItemClassesInUse() { ExchangeItemClassFactory(fReplaced); }
    CContentItemClassesInUse(const CContentItemClassesInUse&) = delete;
    CContentItemClassesInUse& operator=(const CContentItemClassesInUse&) = delete;

private:
    IItemClassFactory* fReplaced;
};
} // namespace NSVirtualFS
