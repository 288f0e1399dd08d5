#include "packing/ReferenceOnDisk.h"

#include "base/TextConversions.h"
#include "base/Throw.h"
#include "content/paths/ItemSearch.h"
#include "content/vfs/ItemDatabase.h"
#include "packing/SourcePaths.h"

namespace NSVantlePacking
{
namespace
{
// The database path read from the source folder's own name down, whatever lies above it.
CItemPtr FindBelowSourceFolderName(const CItemPtr& sourceRoot, const CDatabasePath& path)
{
    TPathComponents components = path.fComponents;
    if (!path.fVantleName.GetText().empty() && !components.empty())
        components.erase(components.begin());
    if (components.empty())
        return CItemPtr();
    const THashedString rootName(sourceRoot->GetName());
    while (components.front() != rootName)
    {
        components.erase(components.begin());
        if (components.size() < 2)
            return CItemPtr();
    }
    components.erase(components.begin());
    return FindItemInSubtree(sourceRoot, components);
}

// A reference that names this package: its database path starts with the package name.
CItemPtr FindInOwnPackage(const CItemPtr& sourceRoot, const THashedString& packageName,
                          const CDatabasePath& path)
{
    if (path.fComponents.size() < 2 || path.fComponents.front() != packageName)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return FindItemInSubtree(sourceRoot,
                             TPathComponents(path.fComponents.begin() + 1, path.fComponents.end()));
}

bool Qualifies(const CItemPtr& candidate, const CItemPtr& sourceRoot, const TOutsideShortcuts& shortcuts)
{
    return !candidate.IsEmpty() && IsInsideSourceFolder(candidate, sourceRoot, shortcuts);
}
} // namespace

CItemPtr ResolveReferenceOnDisk(const CItemPtr& sourceRoot, const NSTextPackage::TUTF16String& packageName,
                                const CItemPtr& document, const CSF10ReferenceChunk& reference,
                                const TOutsideShortcuts& shortcuts)
{
    if (reference.fRelativePath.fValid != 0)
    {
        const CItemPtr candidate = FollowRelativePath(reference.fRelativePath, document->GetParent());
        if (Qualifies(candidate, sourceRoot, shortcuts))
            return candidate;
    }
    if (reference.fDatabasePath.fValid != 0)
    {
        const CItemPtr candidate = FindBelowSourceFolderName(sourceRoot, reference.fDatabasePath);
        if (Qualifies(candidate, sourceRoot, shortcuts))
            return candidate;
    }
    if (reference.fAbsolutePath.fValid != 0)
    {
        const CItemPtr candidate = reference.fAbsolutePath.Resolve();
        if (Qualifies(candidate, sourceRoot, shortcuts))
            return candidate;
    }
    const THashedString ownName(packageName);
    if (!reference.fVantleName.GetText().empty() && reference.fVantleName == ownName &&
        reference.fDatabasePath.fValid != 0)
    {
        const CItemPtr candidate = FindInOwnPackage(sourceRoot, ownName, reference.fDatabasePath);
        if (Qualifies(candidate, sourceRoot, shortcuts))
            return candidate;
    }
    return CItemPtr();
}

CItemPtr FollowRelativePath(const CRelativePath& path, const CItemPtr& folder)
{
    if (path.fValid == 0)
        return CItemPtr();
    const CItemDatabaseBatch batch;
    const auto [stepUp, components] = path.GetComponents();
    CItemPtr current = folder;
    for (u32 level = 0; level < stepUp && !current.IsEmpty(); ++level)
        current = current->GetParent();
    for (std::size_t i = 0; i < components.size() && !current.IsEmpty(); ++i)
    {
        // A shortcut on the way down leads on to its target; one named last is the answer itself.
        if (i > 0 && current->IsLink())
            current = ResolveShortcutTarget(current);
        if (current.IsEmpty())
            break;
        const NSTextPackage::TUTF16String& name = components[i].GetText();
        CItemPtr child = current->FindChild(name);
        if (child.IsEmpty())
            child = current->FindChild(name + NSTextPackage::ASCIIToUTF16(".lnk", 0));
        current = child;
    }
    return current;
}
} // namespace NSVantlePacking
