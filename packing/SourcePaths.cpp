#include "packing/SourcePaths.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "base/Throw.h"
#include "content/paths/RelativePathComputation.h"
#include "content/vfs/ItemDatabase.h"
#include "filelib/FileLibWrappers.h"

namespace NSVantlePacking
{
NSTextPackage::TUTF16String StripShortcutExtension(const CItemPtr& item)
{
    const NSTextPackage::TUTF16String name = item->GetName();
    if (!item->IsLink())
        return name;
    NSTextPackage::TUTF16String base;
    NSTextPackage::TUTF16String extension;
    NSFileLibSupport::SplitExtension(name, base, extension);
    return extension == NSTextPackage::ASCIIToUTF16(".lnk", 0) ? base : name;
}

CItemPtr ResolveShortcutTarget(const CItemPtr& shortcut)
{
    CItemPtr target;
    try
    {
        target = shortcut->ResolveLink();
    }
    catch (const NSQuorral::XResolve&)
    {
        return CItemPtr();
    }
    if (!target.IsEmpty() && target->IsFileSystemFolder())
        return GetItemForFolder(target->GetDirSpec());
    if (!target.IsEmpty() && target->IsRegularFile())
        return GetItemForFile(target->GetFileSpec());
    return target;
}

CItemPtr FindShortcutForTarget(const CItemPtr& item, const TOutsideShortcuts& shortcuts)
{
    for (const CSourceNode* node : shortcuts)
        if (node->fResolvedItem == item)
            return node->fItem;
    return CItemPtr();
}

bool IsInsideSourceFolder(const CItemPtr& item, const CItemPtr& root, const TOutsideShortcuts& shortcuts)
{
    for (CItemPtr current = item; !current.IsEmpty(); current = current->GetParent())
        if (current == root || !FindShortcutForTarget(current, shortcuts).IsEmpty())
            return true;
    return false;
}

TPathComponents GetPathComponentsBelowRoot(const CItemPtr& root, const CItemPtr& item,
                                           const TOutsideShortcuts& shortcuts)
{
    TPathComponents inward;
    CItemPtr current = item;
    while (!(current == root))
    {
        const CItemPtr shortcut = FindShortcutForTarget(current, shortcuts);
        if (!shortcut.IsEmpty())
            current = shortcut;
        inward.push_back(THashedString(StripShortcutExtension(current)));
        current = current->GetParent();
        if (current.IsEmpty())
            NSQuorral::Throw<NSQuorral::XResolve>();
    }
    return TPathComponents(inward.rbegin(), inward.rend());
}

CItemPathNamer::CItemPathNamer(const TOutsideShortcuts& shortcuts) : fShortcuts(shortcuts) {}

bool CItemPathNamer::GetItemPathComponents(const CItemPtr& item, TPathComponents& components) const
{
    TPathComponents inward;
    bool inPackage = false;
    for (CItemPtr current = item; !current.IsEmpty(); current = current->GetParent())
    {
        if (current->IsVantleFile())
        {
            inward.push_back(THashedString(current->GetDisplayName()));
            inward.push_back(THashedString(GetItemDatabase().GetDatabaseRoot()->GetName()));
            inPackage = true;
            break;
        }
        const CItemPtr shortcut = FindShortcutForTarget(current, fShortcuts);
        if (!shortcut.IsEmpty())
            current = shortcut;
        current = fWalk.Normalised(current);
        inward.push_back(THashedString(StripShortcutExtension(current)));
    }
    components.insert(components.end(), inward.rbegin(), inward.rend());
    return inPackage;
}

CRelativePath CItemPathNamer::MakeRelativePath(const CItemPtr& item, const CItemPtr& folder) const
{
    TPathComponents folderComponents;
    const bool folderInPackage = GetItemPathComponents(folder, folderComponents);
    TPathComponents itemComponents;
    const bool itemInPackage = GetItemPathComponents(item, itemComponents);
    return ComputeRelativePath(folderComponents, folderInPackage, itemComponents, itemInPackage);
}

bool GetItemPathComponents(const CItemPtr& item, const TOutsideShortcuts& shortcuts,
                           TPathComponents& components)
{
    return CItemPathNamer(shortcuts).GetItemPathComponents(item, components);
}

CRelativePath MakeRelativePath(const CItemPtr& item, const CItemPtr& folder,
                               const TOutsideShortcuts& shortcuts)
{
    return CItemPathNamer(shortcuts).MakeRelativePath(item, folder);
}
} // namespace NSVantlePacking
