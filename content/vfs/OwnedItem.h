#pragma once
// An item that lives inside another item (an entry of a package, a slice of a loop, a preset of a
// bank): it has no count of its own, so every reference taken on it is taken on its owner, and
// holding it keeps the owner, and with it the whole tree the owner holds, alive.
#include "content/vfs/VirtualFileItem.h"

namespace NSVirtualFS
{
class CABCOwnedItem : public CABCVirtualFileItem
{
public:
    void AddRef() override { fCountingOwner->AddRef(); }
    // The owner may destroy this item: nothing may follow the call.
    void Release() override { fCountingOwner->Release(); }

protected:
    explicit CABCOwnedItem(CABCVirtualFileItem* countingOwner) : fCountingOwner(countingOwner) {}

private:
    CABCVirtualFileItem* fCountingOwner;
};
} // namespace NSVirtualFS
