#pragma once
// Items named relative to the source folder. A source folder may hold shortcuts to files and
// folders elsewhere; such an entry is packed under the shortcut's name without ".lnk", as if its
// target lay inside the source folder. These operations map a target back to its shortcut
// through the job's outside-shortcut set.
#include "base/UTF16String.h"
#include "content/paths/ItemPathComponents.h"
#include "content/references/RelativePath.h"
#include "content/vfs/VirtualFileItem.h"
#include "packing/PackJob.h"

#include <utility>

namespace NSVantlePacking
{
// The item's name; a shortcut's without the extension ".lnk" (exactly so: ".LNK" is kept).
NSTextPackage::TUTF16String StripShortcutExtension(const CItemPtr& item);

// A shortcut's target as the item database names it by its path, so that it compares equal with
// the same file or folder reached by walking down and lists its children (the item the shortcut
// itself resolves to does neither). Empty when the shortcut is broken.
CItemPtr ResolveShortcutTarget(const CItemPtr& shortcut);

// The shortcut item of the first outside shortcut whose target is the item; empty when none.
CItemPtr FindShortcutForTarget(const CItemPtr& item, const TOutsideShortcuts& shortcuts);

// Whether the root, or the target of an outside shortcut, is the item or one of its ancestors.
bool IsInsideSourceFolder(const CItemPtr& item, const CItemPtr& root, const TOutsideShortcuts& shortcuts);

// The names from the first level below the root down to the item, a shortcut's target subtree
// named through the shortcut; empty for the root itself. An item not below the root is XResolve.
TPathComponents GetPathComponentsBelowRoot(const CItemPtr& root, const CItemPtr& item,
                                           const TOutsideShortcuts& shortcuts);

// Names items from the top of the item tree down, the way relative paths compare them: the
// desktop folder stands for the shell's desktop item, a package is named from the item
// database's root, an outside shortcut's target by the shortcut. Looks the desktop up once, so
// one namer serves a whole walk of many items.
class CItemPathNamer
{
public:
    // The file library's failure to give the desktop folder is thrown.
    explicit CItemPathNamer(const TOutsideShortcuts& shortcuts);

    // Appends the names to components; answers whether the walk met a package.
    bool GetItemPathComponents(const CItemPtr& item, TPathComponents& components) const;
    // Invalid unless both lie on disk or both inside one package tree.
    CRelativePath MakeRelativePath(const CItemPtr& item, const CItemPtr& folder) const;

private:
    const TOutsideShortcuts& fShortcuts;
    CItemPathWalk fWalk;
};

// One-off forms of the namer's operations.
bool GetItemPathComponents(const CItemPtr& item, const TOutsideShortcuts& shortcuts,
                           TPathComponents& components);
CRelativePath MakeRelativePath(const CItemPtr& item, const CItemPtr& folder,
                               const TOutsideShortcuts& shortcuts);
} // namespace NSVantlePacking
