#pragma once
// The entries of one level of a package's tree, in the order added, found by name as lookups
// compare names: ignoring letter case, through a hash of the upper-cased name, so that a level of
// many entries is searched in constant time. A level holds the entries once and indexes them by
// position in a flat table, a few bytes an entry, since a package may hold hundreds of thousands.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <algorithm>
#include <memory>
#include <vector>

// One-at-a-time hash of the upper-cased name, low byte of each unit first.
u32 HashEntryName(const NSTextPackage::TUTF16String& name);
// The names are equal ignoring case.
bool AreEntryNamesEqual(const NSTextPackage::TUTF16String& a, const NSTextPackage::TUTF16String& b);

template <class TEntry> class TNamedEntries
{
public:
    using TEntryPtr = std::shared_ptr<TEntry>;

    const std::vector<TEntryPtr>& InOrder() const { return fEntries; }

    // hash: HashEntryName of the entry's name.
    void Add(TEntryPtr entry, u32 hash)
    {
        if ((fEntries.size() + 1) * 2 > fSlots.size())
            Grow();
        fEntries.push_back(std::move(entry));
        Place(hash, u32(fEntries.size()));
    }

    // The first entry added under the name (that accept answers true for); empty when none.
    template <class TAccept>
    TEntryPtr Find(const NSTextPackage::TUTF16String& name, u32 hash, TAccept accept) const
    {
        if (fSlots.empty())
            return {};
        // Entries of one hash lie along its probe run in the order they were added: a later one
        // only ever takes a slot past those the earlier ones hold.
        const std::size_t mask = fSlots.size() - 1;
        for (std::size_t slot = hash & mask; fSlots[slot].fPosition != kEmpty; slot = (slot + 1) & mask)
        {
            if (fSlots[slot].fHash != hash)
                continue;
            const TEntryPtr& entry = fEntries[fSlots[slot].fPosition - 1];
            if (AreEntryNamesEqual(entry->GetName(), name) && accept(*entry))
                return entry;
        }
        return {};
    }

    TEntryPtr Find(const NSTextPackage::TUTF16String& name, u32 hash) const
    {
        return Find(name, hash, [](const TEntry&) { return true; });
    }

    // The entries in the order added; the level is left empty.
    std::vector<TEntryPtr> Take()
    {
        std::vector<TEntryPtr> taken;
        taken.swap(fEntries);
        fSlots = {};
        return taken;
    }

private:
    static constexpr u32 kEmpty = 0;
    static constexpr std::size_t kFirstSlots = 8;

    struct TSlot
    {
        u32 fHash = 0;
        u32 fPosition = kEmpty; // in fEntries, counted from 1
    };

    // Linear probing; the table is at most half full, so every run ends at an empty slot.
    void Place(u32 hash, u32 position)
    {
        const std::size_t mask = fSlots.size() - 1;
        std::size_t slot = hash & mask;
        while (fSlots[slot].fPosition != kEmpty)
            slot = (slot + 1) & mask;
        fSlots[slot] = {hash, position};
    }

    // Doubles the table, placing the entries again in the order they were added.
    void Grow()
    {
        std::vector<u32> hashes(fEntries.size());
        for (const TSlot& slot : fSlots)
        {
            if (slot.fPosition != kEmpty)
                hashes[slot.fPosition - 1] = slot.fHash;
        }
        fSlots.assign(std::max(kFirstSlots, fSlots.size() * 2), TSlot{});
        for (std::size_t position = 0; position < hashes.size(); ++position)
            Place(hashes[position], u32(position + 1));
    }

    std::vector<TEntryPtr> fEntries;
    std::vector<TSlot> fSlots; // a power of two in size, or empty
};
