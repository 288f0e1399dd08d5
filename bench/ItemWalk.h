#pragma once
// A walk of an item tree as a pack scans it: every folder listed, every item below it made.
#include "content/vfs/VirtualFileItem.h"

namespace NSBench
{
// Calls visit(item) for every item below folder, at every depth, each folder before its
// children; answers how many items there were.
template <class TVisit> unsigned long long WalkItemTree(const CItemPtr& folder, TVisit&& visit)
{
    unsigned long long count = 0;
    for (const CItemPtr& child : GetChildItems(folder))
    {
        ++count;
        visit(child);
        if (child->IsFolder())
            count += WalkItemTree(child, visit);
    }
    return count;
}

// The items below folder, at every depth.
inline unsigned long long WalkItemTree(const CItemPtr& folder)
{
    return WalkItemTree(folder, [](const CItemPtr&) {});
}
} // namespace NSBench
