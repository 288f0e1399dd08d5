#pragma once
// A walk of an item tree as a pack scans it: every folder listed, every item below it made.
#include "content/vfs/VirtualFileItem.h"

namespace NSBench
{
// The items below folder, at every depth.
inline unsigned long long WalkItemTree(const CItemPtr& folder)
{
    unsigned long long count = 0;
    for (const CItemPtr& child : GetChildItems(folder))
    {
        ++count;
        if (child->IsFolder())
            count += WalkItemTree(child);
    }
    return count;
}
} // namespace NSBench
