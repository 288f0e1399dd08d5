#pragma once
// The application's cache of fetched images by cache id, least recently used first out.
#include "gui/ImageIDs.h"

#include <list>
#include <memory>
#include <unordered_map>

namespace NSFerrant
{
class CABCImage;
using TImagePtr = std::shared_ptr<CABCImage>;

class CBitmapCache
{
public:
    // At most capacity entries; 0 for no limit.
    explicit CBitmapCache(u64 capacity) : fCapacity(capacity) {}

    // Whether the id is cached (an entry may hold no image), with its image; a found id becomes
    // the most recently used.
    bool Find(u32 id, TImagePtr& image);
    // Stores the image under the identity's cache id, which becomes the most recently used; an
    // entry of that id is replaced. With a capacity, the least recently used entries go first
    // until there is room.
    void Insert(const TImagePtr& image, const TImageID& identity);
    // Nothing when the id is not cached.
    void Erase(u32 id);
    void Clear();

    u64 Count() const { return fEntries.size(); }

private:
    struct TEntry
    {
        TImagePtr fImage;
        std::list<u32>::iterator fOrder;
    };

    u64 fCapacity;
    std::unordered_map<u32, TEntry> fEntries;
    std::list<u32> fOrder; // least recently used first
};
} // namespace NSFerrant
