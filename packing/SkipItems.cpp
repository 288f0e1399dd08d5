#include "packing/SkipItems.h"

#include "base/TextCompare.h"
#include "packing/SourcePaths.h"

namespace NSVantlePacking
{
std::pair<NSTextPackage::TUTF16String, NSTextPackage::TUTF16String>
SplitFirstPathComponent(const NSTextPackage::TUTF16String& path)
{
    const std::size_t slash = path.find(u'/');
    if (slash == NSTextPackage::TUTF16String::npos)
        return {path, NSTextPackage::TUTF16String()};
    return {path.substr(0, slash), path.substr(slash + 1)};
}
} // namespace NSVantlePacking

std::optional<std::size_t> CSkipItemsNode::FindChild(const NSTextPackage::TUTF16String& name) const
{
    for (std::size_t i = 0; i < fChildren.size(); ++i)
        if (NSTextPackage::CompareText(fChildren[i].fName, name, NSTextPackage::kCompareIgnoreCase) ==
            NSTextPackage::kCompareEqual)
            return i;
    return std::nullopt;
}

void CSkipItemsNode::Insert(const NSTextPackage::TUTF16String& path)
{
    const auto [first, rest] = NSVantlePacking::SplitFirstPathComponent(path);
    std::optional<std::size_t> index = FindChild(first);
    if (!index)
    {
        CSkipItemsNode child;
        child.fName = first;
        fChildren.push_back(std::move(child));
        index = fChildren.size() - 1;
    }
    if (rest.empty())
        fChildren[*index].fListed = 1;
    else
        fChildren[*index].Insert(rest);
}

bool CSkipItemsNode::Find(const NSTextPackage::TUTF16String& path) const
{
    if (fListed != 0)
        return true;
    const auto [first, rest] = NSVantlePacking::SplitFirstPathComponent(path);
    const std::optional<std::size_t> index = FindChild(first);
    if (!index)
        return false;
    return rest.empty() ? fChildren[*index].fListed != 0 : fChildren[*index].Find(rest);
}

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
