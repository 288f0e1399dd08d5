#pragma once
// Finds the entries of one level of a package's tree by name as lookups compare names: ignoring
// letter case, through a hash of the upper-cased name, so that a level of many entries is
// searched in constant time.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <memory>
#include <unordered_map>
#include <vector>

// One-at-a-time hash of the upper-cased name, low byte of each unit first.
u32 HashEntryName(const NSTextPackage::TUTF16String& name);
// The names are equal ignoring case.
bool AreEntryNamesEqual(const NSTextPackage::TUTF16String& a, const NSTextPackage::TUTF16String& b);

template <class TEntry> class TEntryNameIndex
{
public:
    using TEntryPtr = std::shared_ptr<TEntry>;

    explicit TEntryNameIndex(std::size_t buckets) : fEntries(buckets) {}

    // hash: HashEntryName of the entry's name.
    void Add(const TEntryPtr& entry, u32 hash) { fEntries[hash].push_back(entry); }

    // The first entry added under the name (that accept answers true for); empty when none.
    template <class TAccept> TEntryPtr Find(const NSTextPackage::TUTF16String& name, u32 hash, TAccept accept) const
    {
        const auto found = fEntries.find(hash);
        if (found == fEntries.end())
            return {};
        for (const TEntryPtr& entry : found->second)
        {
            if (AreEntryNamesEqual(entry->GetName(), name) && accept(*entry))
                return entry;
        }
        return {};
    }

    TEntryPtr Find(const NSTextPackage::TUTF16String& name, u32 hash) const
    {
        return Find(name, hash, [](const TEntry&) { return true; });
    }

    void Clear() { fEntries.clear(); }

private:
    std::unordered_map<u32, std::vector<TEntryPtr>> fEntries;
};
