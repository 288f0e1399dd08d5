#pragma once
// The lookup of registered items by their shell objects. Items are found by a hash of the name,
// then by identity of the shell object, then by the same id-list bytes, and only then by the
// shell's slower comparison. The cache holds no references: the registry's list does.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <memory>
#include <vector>

namespace NSFerrant
{
class CShellItem;
}

namespace NSVirtualFS
{
class CShellFile;
}

class CItemCache
{
public:
    using TShellItemPtr = std::shared_ptr<NSFerrant::CShellItem>;
    using TShellItemEquality = bool (*)(const NSFerrant::CShellItem& a, const NSFerrant::CShellItem& b);

    CItemCache();
    ~CItemCache();
    CItemCache(const CItemCache&) = delete;
    CItemCache& operator=(const CItemCache&) = delete;

    // The hashed-name hash of the upper-cased name.
    static u32 HashName(const NSTextPackage::TUTF16String& name);

    // Under the hash of the item's name; a later entry is found before an earlier one.
    void Insert(const TShellItemPtr& key, NSVirtualFS::CShellFile* item);
    // Under the item's own shell object.
    void InsertItem(NSVirtualFS::CShellFile* item);
    // The item entered under this shell object or an equal one, or null.
    NSVirtualFS::CShellFile* Find(const TShellItemPtr& key) const;
    // Forgets the newest entry of the item; the other entries stay findable.
    void Remove(NSVirtualFS::CShellFile* item);
    void Clear();
    std::size_t GetCount() const { return fCount; }

    // Test hook: the shell's comparison, which Find asks last. Answers the one replaced.
    static TShellItemEquality ExchangeShellItemEquality(TShellItemEquality equality);

private:
    struct SNode
    {
        TShellItemPtr fKey;
        NSVirtualFS::CShellFile* fItem; // no reference
        u32 fHash;
    };
    using TBucket = std::vector<SNode>; // oldest first

    TBucket& BucketOf(u32 hash) { return fBuckets[hash % fBuckets.size()]; }
    const TBucket& BucketOf(u32 hash) const { return fBuckets[hash % fBuckets.size()]; }
    bool RemoveFrom(TBucket& bucket, NSVirtualFS::CShellFile* item);
    // Grows the table past a load factor of 1, so that chains stay short however many items a
    // scan registers.
    void GrowIfFull();

    std::vector<TBucket> fBuckets;
    std::size_t fCount = 0;
};
