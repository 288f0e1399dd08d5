#pragma once
// What a disk folder has read of its listing: the children in listing order, and each found by
// its upper-cased name.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace NSFerrant
{
class CShellItem;
}

namespace NSVirtualFS
{
using NSTextPackage::TUTF16String;

struct SShellChildEntry
{
    u64 fIndex; // the place in listing order
    TUTF16String fName;
    std::shared_ptr<NSFerrant::CShellItem> fShellItem;
};

// The one-at-a-time hash over the UTF-8 bytes (signed) of the upper-cased name.
struct SChildNameHash
{
    std::size_t operator()(const TUTF16String& key) const;
};

class CShellFileChildren
{
public:
    CShellFileChildren();

    // Adds a child unless the same object is already known under its name. A later object of a
    // name takes the name's place in the lookup and keeps its own in listing order.
    void Add(const TUTF16String& name, const std::shared_ptr<NSFerrant::CShellItem>& shellItem);
    // The child last added under the name (letter case ignored), or null.
    const SShellChildEntry* Find(const TUTF16String& name) const;
    const std::vector<SShellChildEntry>& InOrder() const { return fInOrder; }
    void Clear();

private:
    std::unordered_map<TUTF16String, u64, SChildNameHash> fByName; // key to index in fInOrder
    std::vector<SShellChildEntry> fInOrder;
};

// The key of a child name: the name upper-cased.
TUTF16String MakeChildKey(const TUTF16String& name);
} // namespace NSVirtualFS
