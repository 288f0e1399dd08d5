#include "content/paths/RelativePathComputation.h"

#include "content/paths/ItemPathComponents.h"
#include "content/paths/ItemSearch.h"
#include "content/vfs/ItemDatabase.h"

#include <algorithm>

void ComparePathComponents(const TPathComponents& folder, const TPathComponents& item, u32& stepUp,
                           TPathComponents& components, u8& valid)
{
    if (item.empty())
        return;
    const size_t limit = std::min(folder.size(), item.size() - 1);
    size_t shared = 0;
    while (shared < limit && folder[shared] == item[shared])
        ++shared;
    if (shared == 0)
        return;
    stepUp = u32(folder.size() - shared);
    components.assign(item.begin() + std::ptrdiff_t(shared), item.end());
    valid = 1;
}

CRelativePath ComputeRelativePathToItem(const CItemPtr& start, const CItemPtr& target)
{
    CRelativePath path;
    if (target.IsEmpty() || start.IsEmpty() || start->IsSameItem(GetItemDatabase().GetDatabaseRoot().Get()))
        return path;
    TPathComponents targetComponents;
    const bool targetInPackage = GetItemPathComponents(target, targetComponents);
    TPathComponents startComponents;
    const bool startInPackage = GetItemPathComponents(start, startComponents);
    if (startInPackage == targetInPackage)
        ComparePathComponents(startComponents, targetComponents, path.fStepUp, path.fComponents, path.fValid);
    return path;
}

CRelativePath ComputeRelativePath(const TPathComponents& start, bool startInPackage,
                                  const TPathComponents& target, bool targetInPackage)
{
    CRelativePath path;
    if (target.empty())
        return path;
    TPathComponents rootComponents;
    GetItemPathComponents(GetItemDatabase().GetDatabaseRoot(), rootComponents);
    if (start == rootComponents || startInPackage != targetInPackage)
        return path;
    ComparePathComponents(start, target, path.fStepUp, path.fComponents, path.fValid);
    return path;
}

CItemPtr FollowRelativePath(const CItemPtr& start, const CRelativePath& path)
{
    if (path.fValid == 0 || start.IsEmpty())
        return {};
    const CItemPathWalk walk;
    CItemPtr current = walk.Normalised(start);
    for (u32 level = 0; level < path.fStepUp && !current.IsEmpty(); ++level)
        current = walk.UpwardOnPath(current);
    return FindItemByComponents(current, path.fComponents);
}
