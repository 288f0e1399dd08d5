#pragma once
// The job's skip-items tree: the names INFO.TXT lists with SKIP_ITEM, asked about items by their
// paths relative to the source folder.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "content/vfs/VirtualFileItem.h"
#include "packing/PackJob.h"
#include "packing/SkipItemsNode.h"

#include <memory>
#include <vector>

namespace NSVantlePacking
{
class CItemPathNamer;
} // namespace NSVantlePacking

// Built once per job and never changed afterwards.
class CSkipItemsTree
{
public:
    CSkipItemsTree(const CItemPtr& sourceRoot, const TOutsideShortcuts* shortcuts);
    ~CSkipItemsTree();
    CSkipItemsTree(const CSkipItemsTree&) = delete;
    CSkipItemsTree& operator=(const CSkipItemsTree&) = delete;

    CItemPtr fSourceRoot;
    // Null when nothing is listed.
    std::shared_ptr<CSkipItemsNode> fRoot;
    const TOutsideShortcuts* fOutsideShortcuts;
    // Made with the first listed path, so that a job without SKIP_ITEM asks nothing of the desktop.
    std::unique_ptr<NSVantlePacking::CItemPathNamer> fNamer;
};

namespace NSVantlePacking
{
// The set must outlive the tree.
std::unique_ptr<CSkipItemsTree> BuildSkipItemsTree(const CItemPtr& sourceRoot,
                                                   const std::vector<NSTextPackage::TUTF16String>& skipItems,
                                                   const TOutsideShortcuts* shortcuts);

// Whether the item is listed or lies below a listed folder. An item without a valid relative path
// from the source folder is compared as the text "*invalid relative path*".
bool IsSkipItem(const CSkipItemsTree& tree, const CItemPtr& item);
} // namespace NSVantlePacking
