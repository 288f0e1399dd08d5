#pragma once
// The items INFO.TXT lists with SKIP_ITEM, as a tree of names: a listed folder covers everything
// below it. Paths are relative to the source folder with "/" between names; names match in any
// letter case.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "content/vfs/VirtualFileItem.h"
#include "packing/PackJob.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace NSVantlePacking
{
class CItemPathNamer;

// (the text before the first "/", the text after it); (path, empty) when there is none.
std::pair<NSTextPackage::TUTF16String, NSTextPackage::TUTF16String>
SplitFirstPathComponent(const NSTextPackage::TUTF16String& path);
} // namespace NSVantlePacking

class CSkipItemsNode
{
public:
    std::optional<std::size_t> FindChild(const NSTextPackage::TUTF16String& name) const;
    void Insert(const NSTextPackage::TUTF16String& path);
    // Whether the path ends at a listed node or passes one.
    bool Find(const NSTextPackage::TUTF16String& path) const;

    NSTextPackage::TUTF16String fName;
    // In insertion order.
    std::vector<CSkipItemsNode> fChildren;
    u8 fListed = 0;
};

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
