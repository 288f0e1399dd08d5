#pragma once
// The names of the items INFO.TXT lists with SKIP_ITEM, as a tree: a listed folder covers
// everything below it. Paths have "/" between names; names match in any letter case.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace NSVantlePacking
{
// The component that starts at start (the text up to the next "/" or the end) and where the rest
// after it starts, the path's size when the rest is empty. Positions, not copies of the rest: a
// listed path may hold very many components.
std::pair<NSTextPackage::TUTF16String, std::size_t> SplitFirstPathComponent(const NSTextPackage::TUTF16String& path,
                                                                          std::size_t start);
} // namespace NSVantlePacking

class CSkipItemsNode
{
public:
    CSkipItemsNode() = default;
    CSkipItemsNode(CSkipItemsNode&&) = default;
    CSkipItemsNode& operator=(CSkipItemsNode&&) = default;
    // Releases the nodes below one by one: a listed path may be as deep as its text is long.
    ~CSkipItemsNode();

    // The first child whose name equals name in any letter case.
    std::optional<std::size_t> FindChild(const NSTextPackage::TUTF16String& name) const;
    void Insert(const NSTextPackage::TUTF16String& path);
    // Whether the path ends at a listed node or passes one.
    bool Find(const NSTextPackage::TUTF16String& path) const;

    NSTextPackage::TUTF16String fName;
    // In insertion order.
    std::vector<CSkipItemsNode> fChildren;
    u8 fListed = 0;

private:
    struct TNameOrder
    {
        bool operator()(const NSTextPackage::TUTF16String& a, const NSTextPackage::TUTF16String& b) const;
    };
    // Each name, in the order of the case-insensitive comparison, with the index of the first child
    // it names: a node can have as many children as the list has lines.
    std::map<NSTextPackage::TUTF16String, std::size_t, TNameOrder> fChildIndex;
};
