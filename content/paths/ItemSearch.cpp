#include "content/paths/ItemSearch.h"

#include "base/Quorral.h"
#include "content/vfs/ItemDatabase.h"

namespace
{
using TComponentIterator = TPathComponents::const_iterator;

CItemPtr WalkFollowingLinks(CItemPtr current, TComponentIterator next, TComponentIterator end)
{
    for (; next != end; ++next)
    {
        CItemPtr child = current->FindChild(next->GetText());
        if (child.IsEmpty())
            return {};
        if (next + 1 != end && child->IsLink())
        {
            CItemPtr target = child->ResolveLink();
            if (!target.IsEmpty() && target->IsFolder())
                child = target;
        }
        current = child;
    }
    return current;
}

// The name without its extension for a file; a folder's name whole.
THashedString NameForLooseMatch(const CItemPtr& child)
{
    NSTextPackage::TUTF16String name = child->GetName();
    const size_t dot = name.rfind(u'.');
    if (!child->IsFolder() && dot != NSTextPackage::TUTF16String::npos)
        name.erase(dot);
    return THashedString(name);
}

CItemPtr WalkIgnoringExtension(const CItemPtr& current, TComponentIterator next, TComponentIterator end)
{
    if (next == end)
        return current;
    const CItemPtr child = current->FindChild(next->GetText());
    if (!child.IsEmpty())
    {
        if (next + 1 == end)
            return child;
        CItemPtr found = WalkIgnoringExtension(child, next + 1, end);
        if (!found.IsEmpty())
            return found;
    }
    if (next + 1 != end || next->GetText().find(u'.') != NSTextPackage::TUTF16String::npos)
        return {};
    for (const CItemPtr& candidate : GetChildItems(current))
        if (NameForLooseMatch(candidate) == *next)
            return candidate;
    return {};
}
// The walk from a start that is there; a name the walk does not find on the way is no error.
template <class TWalk> CItemPtr WalkFrom(const CItemPtr& start, const TPathComponents& components, TWalk walk)
{
    if (start.IsEmpty() || !start->IsAvailable())
        return {};
    try
    {
        return walk(start, components.begin(), components.end());
    }
    catch (const NSQuorral::XNotFound&)
    {
        return {};
    }
}
} // namespace

CItemPtr FindItemByComponents(const CItemPtr& start, const TPathComponents& components)
{
    return WalkFrom(start, components, WalkFollowingLinks);
}

CItemPtr FindItemByComponentsIgnoringExtension(const CItemPtr& start, const TPathComponents& components)
{
    return WalkFrom(start, components, WalkIgnoringExtension);
}

CItemPtr FindItemInSubtree(const CItemPtr& start, const TPathComponents& components)
{
    const CItemDatabaseBatch batch;
    return FindItemByComponents(start, components);
}
