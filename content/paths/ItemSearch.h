#pragma once
// Walks down from an item through a list of names. Each answers an empty item when start is empty
// or unavailable or a name is not found; XNotFound raised on the way counts as not found, any
// other exception passes.
#include "content/references/PathComponents.h"
#include "content/vfs/VirtualFileItem.h"

// Shortcuts before the last name are followed when they lead to a folder; a shortcut named last
// is answered itself.
CItemPtr FindItemByComponents(const CItemPtr& start, const TPathComponents& components);
// Shortcuts are not followed. When the exact walk finds nothing and the last name has no ".",
// the first child that is not a folder and whose name without its extension equals it is taken.
CItemPtr FindItemByComponentsIgnoringExtension(const CItemPtr& start, const TPathComponents& components);
// FindItemByComponents inside an update batch of the item database, so that many searches of one
// tree list each folder once.
CItemPtr FindItemInSubtree(const CItemPtr& start, const TPathComponents& components);
