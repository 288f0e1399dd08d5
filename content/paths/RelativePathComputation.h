#pragma once
// Relative paths between items of the virtual file system, computed from the items' path
// components, and followed back from a starting item.
#include "content/references/RelativePath.h"
#include "content/vfs/VirtualFileItem.h"

// The path from folder (A) to item (B, at least one component): up to the last shared ancestor,
// then down. Only the first min(|A|, |B| - 1) names are compared, so at least one name of B is
// always left to walk down; the outputs are set only when they share at least the first name.
void ComparePathComponents(const TPathComponents& folder, const TPathComponents& item, u32& stepUp,
                           TPathComponents& components, u8& valid);

// Invalid when the target is empty, the start is the item database's root folder, exactly one of
// the two lies in a package, or they share no first name.
CRelativePath ComputeRelativePathToItem(const CItemPtr& start, const CItemPtr& target);
// The same from component lists made elsewhere, with whether each lies in a package.
CRelativePath ComputeRelativePath(const TPathComponents& start, bool startInPackage,
                                  const TPathComponents& target, bool targetInPackage);

// The item the path leads to from start, stepping up the way the components were taken (the
// desktop folder as the desktop item, a package up to the database's root folder) and walking
// down with FindItemByComponents. Empty when the path is invalid or leads nowhere.
CItemPtr FollowRelativePath(const CItemPtr& start, const CRelativePath& path);
