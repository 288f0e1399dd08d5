#pragma once
// The items the database made while a batch was open, kept alive and found again by their shell
// objects.
#include "content/vfs/ItemCache.h"
#include "content/vfs/VirtualFileItem.h"

#include <list>

class CItemRegistry
{
public:
    using TShellItemPtr = CItemCache::TShellItemPtr;

    // Keeps one reference of the item, which must be a disk item. Inside a batch the item begins
    // its update at once. An earlier registration is not looked for.
    void Register(const TShellItemPtr& key, const CItemPtr& item);
    // Gives up the registration and the cache entry of the item, whether or not it was registered.
    void Unregister(const CItemPtr& item);
    // The registered item of this shell object, or empty.
    CItemPtr Find(const TShellItemPtr& key) const;

    bool IsInBatch() const { return fInBatch != 0; }
    void SetInBatch(bool inBatch) { fInBatch = inBatch ? 1 : 0; }
    // The registered items in registration order.
    std::list<CItemPtr>& Items() { return fItems; }
    CItemCache& Cache() { return fCache; }

private:
    std::list<CItemPtr> fItems;
    u8 fInBatch = 0;
    CItemCache fCache;
};
