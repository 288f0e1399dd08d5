#include "packing/SkipItems.h"

#include "packing/SourcePaths.h"

CSkipItemsTree::CSkipItemsTree(const CItemPtr& sourceRoot, const TOutsideShortcuts* shortcuts)
    : fSourceRoot(sourceRoot), fOutsideShortcuts(shortcuts)
{
}

CSkipItemsTree::~CSkipItemsTree() = default;

namespace NSVantlePacking
{
std::unique_ptr<CSkipItemsTree> BuildSkipItemsTree(const CItemPtr& sourceRoot,
                                                   const std::vector<NSTextPackage::TUTF16String>& skipItems,
                                                   const TOutsideShortcuts* shortcuts)
{
    auto tree = std::make_unique<CSkipItemsTree>(sourceRoot, shortcuts);
    if (skipItems.empty())
        return tree;
    tree->fRoot = std::make_shared<CSkipItemsNode>();
    for (const NSTextPackage::TUTF16String& path : skipItems)
        tree->fRoot->Insert(path);
    tree->fNamer = std::make_unique<CItemPathNamer>(*shortcuts);
    return tree;
}

bool IsSkipItem(const CSkipItemsTree& tree, const CItemPtr& item)
{
    if (!tree.fRoot)
        return false;
    const CRelativePath path = tree.fNamer->MakeRelativePath(item, tree.fSourceRoot);
    return tree.fRoot->Find(path.GetDisplayText());
}
} // namespace NSVantlePacking
