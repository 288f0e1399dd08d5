#include "content/vfs/ItemCache.h"

#include "base/HashedString.h"
#include "content/vfs/ShellFile.h"
#include "filelib/ShellIDLists.h"
#include "filelib/ShellItem.h"

namespace
{
constexpr std::size_t kInitialBuckets = 1381;

bool AskShell(const NSFerrant::CShellItem& a, const NSFerrant::CShellItem& b)
{
    return a == b;
}

CItemCache::TShellItemEquality gShellItemEquality = AskShell;

// What the shell's comparison answers too, without asking it: same kind, flag and bytes.
bool HaveSameIDList(const NSFerrant::CShellItem& a, const NSFerrant::CShellItem& b)
{
    return a.GetKind() == b.GetKind() && a.IsShortcut() == b.IsShortcut() &&
           NSFerrant::AreItemIDListsIdentical(a.GetIDList(), b.GetIDList());
}
} // namespace

CItemCache::CItemCache() : fBuckets(kInitialBuckets)
{
}

CItemCache::~CItemCache() = default;

u32 CItemCache::HashName(const NSTextPackage::TUTF16String& name)
{
    return THashedString(name).GetHash();
}

void CItemCache::Insert(const TShellItemPtr& key, NSVirtualFS::CShellFile* item)
{
    GrowIfFull();
    const u32 hash = HashName(item->GetName());
    BucketOf(hash).push_back({key, item, hash});
    ++fCount;
}

void CItemCache::InsertItem(NSVirtualFS::CShellFile* item)
{
    Insert(item->GetShellItem(), item);
}

NSVirtualFS::CShellFile* CItemCache::Find(const TShellItemPtr& key) const
{
    NSTextPackage::TUTF16String name;
    key->GetDisplayName(name);
    const u32 hash = HashName(name);
    const TBucket& bucket = BucketOf(hash);
    for (auto node = bucket.rbegin(); node != bucket.rend(); ++node)
        if (node->fKey == key)
            return node->fItem;
    for (auto node = bucket.rbegin(); node != bucket.rend(); ++node)
        if (node->fHash == hash && HaveSameIDList(*node->fKey, *key))
            return node->fItem;
    for (auto node = bucket.rbegin(); node != bucket.rend(); ++node)
        if (node->fHash == hash && gShellItemEquality(*node->fKey, *key))
            return node->fItem;
    return nullptr;
}

void CItemCache::Remove(NSVirtualFS::CShellFile* item)
{
    if (RemoveFrom(BucketOf(HashName(item->GetName())), item))
        return;
    // The item's name may have changed since it was entered; it must not stay behind.
    for (TBucket& bucket : fBuckets)
        if (RemoveFrom(bucket, item))
            return;
}

bool CItemCache::RemoveFrom(TBucket& bucket, NSVirtualFS::CShellFile* item)
{
    for (auto node = bucket.rbegin(); node != bucket.rend(); ++node)
    {
        if (node->fItem == item)
        {
            bucket.erase(std::next(node).base());
            --fCount;
            return true;
        }
    }
    return false;
}

void CItemCache::Clear()
{
    for (TBucket& bucket : fBuckets)
        bucket.clear();
    fCount = 0;
}

void CItemCache::GrowIfFull()
{
    if (fCount < fBuckets.size())
        return;
    std::vector<TBucket> grown(fBuckets.size() * 2 + 1);
    // Entries of one hash share an old bucket, so they keep their order.
    for (TBucket& bucket : fBuckets)
        for (SNode& node : bucket)
            grown[node.fHash % grown.size()].push_back(std::move(node));
    fBuckets.swap(grown);
}

CItemCache::TShellItemEquality CItemCache::ExchangeShellItemEquality(TShellItemEquality equality)
{
    const TShellItemEquality previous = gShellItemEquality;
    gShellItemEquality = equality;
    return previous;
}
