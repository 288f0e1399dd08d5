#include "gui/BitmapCache.h"

namespace NSFerrant
{
bool CBitmapCache::Find(u32 id, TImagePtr& image)
{
    const auto found = fEntries.find(id);
    if (found == fEntries.end())
        return false;
    fOrder.splice(fOrder.end(), fOrder, found->second.fOrder);
    image = found->second.fImage;
    return true;
}

void CBitmapCache::Insert(const TImagePtr& image, const TImageID& identity)
{
    const u32 key = identity.fCacheID;
    Erase(key);
    // Every order position names an entry, so each round removes one and the loop ends.
    while (fCapacity != 0 && !fOrder.empty() && fOrder.size() >= fCapacity)
        Erase(fOrder.front());
    fOrder.push_back(key);
    fEntries[key] = TEntry{image, std::prev(fOrder.end())};
}

void CBitmapCache::Erase(u32 id)
{
    const auto found = fEntries.find(id);
    if (found == fEntries.end())
        return;
    fOrder.erase(found->second.fOrder);
    fEntries.erase(found);
}

void CBitmapCache::Clear()
{
    fEntries.clear();
    fOrder.clear();
}
} // namespace NSFerrant
