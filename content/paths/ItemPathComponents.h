#pragma once
// The names that lead to an item, as relative paths are computed and followed. Items on disk are
// named from the shell's root (the desktop item) down, and the desktop folder of the file system
// stands for the desktop item; items inside a mounted package are named from the item database's
// root folder, then the package's display name, then the names inside the package.
#include "content/references/PathComponents.h"
#include "content/vfs/VirtualFileItem.h"

// Appends the names of the item and its ancestors, outermost first, to components (empty on
// entry); answers whether the walk ended at a package. The file library's failure to give the
// desktop folder is thrown.
bool GetItemPathComponents(const CItemPtr& item, TPathComponents& components);

// Where a walk along item paths goes from item: the item itself, with the desktop folder of the
// file system replaced by the desktop item. UpwardOnPath goes one level up: a package's is the
// item database's root folder.
class CItemPathWalk
{
public:
    CItemPathWalk();
    CItemPtr Normalised(const CItemPtr& item) const;
    CItemPtr UpwardOnPath(const CItemPtr& item) const;

private:
    CItemPtr fDesktopItem;
    NSFileLibSupport::TDirSpecPtr fDesktopFolder;
};
