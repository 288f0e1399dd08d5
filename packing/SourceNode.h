#pragma once
// One entry of a pack job's source tree: a file or folder of the source folder that takes part in
// the pack, found directly or through a shortcut. Every reading of the source goes through the
// resolved item; names shown to the user come from the item as found.
#include "base/UTF16String.h"
#include "content/vfs/VirtualFileItem.h"
#include "filelib/FolderIdentity.h"

#include <memory>
#include <vector>

class CSourceNode;
using TSourceNodes = std::vector<std::unique_ptr<CSourceNode>>;

class CSourceNode
{
public:
    // A top-level entry (a direct child of the source folder). A shortcut is resolved at once; a
    // broken one is XResolve about the "file" at the item's display path.
    explicit CSourceNode(const CItemPtr& item);
    CSourceNode(CSourceNode* parent, const CItemPtr& item);
    CSourceNode(const CSourceNode&) = delete;
    CSourceNode& operator=(const CSourceNode&) = delete;

    // The display names from the top-level ancestor down, joined by ":" (A:B for a file B in a
    // top-level folder A); also the entry's name in the package index.
    NSTextPackage::TUTF16String GetRelativePath() const;
    // The item's name, without the ".lnk" of a shortcut.
    NSTextPackage::TUTF16String GetDisplayName() const;
    NSTextPackage::TUTF16String GetDisplayPath() const;
    void SwapChildren(TSourceNodes& children);

    // Null for a top-level entry.
    CSourceNode* fParent = nullptr;
    // Sorted by CompareSourceNodes; empty for a file.
    TSourceNodes fChildren;
    CItemPtr fItem;
    // The item, or a shortcut's target.
    CItemPtr fResolvedItem;
    u8 fIsFolder = 0;
    // Set once a resolved reference is found to point at this entry.
    u8 fReferenced = 0;
    // Set once the entry has been taken out of the tree.
    u8 fRemoved = 0;
    // A folder's identity on disk, read when the folder is scanned; none for a file, or a folder
    // that is not on disk or cannot be asked.
    std::optional<CFolderIdentity> fFolderIdentity;
};

// A regular file's Windows path, a file-system folder's Windows path ending in "\", or the name
// of any other item.
NSTextPackage::TUTF16String GetItemDisplayPath(const CItemPtr& item);

// The order of every list of nodes: folders first, then by display name, case-sensitive.
bool CompareSourceNodes(const CSourceNode& a, const CSourceNode& b);
void SortSourceNodes(TSourceNodes& nodes);
