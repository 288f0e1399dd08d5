#include "packing/SkipItemsNode.h"

#include "base/TextCompare.h"

namespace NSVantlePacking
{
std::pair<NSTextPackage::TUTF16String, std::size_t> SplitFirstPathComponent(const NSTextPackage::TUTF16String& path,
                                                                          std::size_t start)
{
    const std::size_t slash = path.find(u'/', start);
    if (slash == NSTextPackage::TUTF16String::npos)
        return {path.substr(start), path.size()};
    return {path.substr(start, slash - start), slash + 1};
}
} // namespace NSVantlePacking

bool CSkipItemsNode::TNameOrder::operator()(const NSTextPackage::TUTF16String& a,
                                            const NSTextPackage::TUTF16String& b) const
{
    return NSTextPackage::CompareText(a, b, NSTextPackage::kCompareIgnoreCase) == NSTextPackage::kCompareLess;
}

CSkipItemsNode::~CSkipItemsNode()
{
    std::vector<CSkipItemsNode> pending = std::move(fChildren);
    while (!pending.empty())
    {
        CSkipItemsNode node = std::move(pending.back());
        pending.pop_back();
        for (CSkipItemsNode& child : node.fChildren)
            pending.push_back(std::move(child));
        node.fChildren.clear();
    }
}

std::optional<std::size_t> CSkipItemsNode::FindChild(const NSTextPackage::TUTF16String& name) const
{
    const auto found = fChildIndex.find(name);
    if (found == fChildIndex.end())
        return std::nullopt;
    return found->second;
}

void CSkipItemsNode::Insert(const NSTextPackage::TUTF16String& path)
{
    CSkipItemsNode* node = this;
    std::size_t start = 0;
    for (;;)
    {
        auto [name, rest] = NSVantlePacking::SplitFirstPathComponent(path, start);
        start = rest;
        const auto [entry, added] = node->fChildIndex.emplace(name, node->fChildren.size());
        if (added)
        {
            CSkipItemsNode child;
            child.fName = std::move(name);
            node->fChildren.push_back(std::move(child));
        }
        node = &node->fChildren[entry->second];
        if (start == path.size())
        {
            node->fListed = 1;
            return;
        }
    }
}

bool CSkipItemsNode::Find(const NSTextPackage::TUTF16String& path) const
{
    const CSkipItemsNode* node = this;
    std::size_t start = 0;
    for (;;)
    {
        if (node->fListed != 0)
            return true;
        const auto [name, rest] = NSVantlePacking::SplitFirstPathComponent(path, start);
        start = rest;
        const std::optional<std::size_t> index = node->FindChild(name);
        if (!index)
            return false;
        node = &node->fChildren[*index];
        if (start == path.size())
            return node->fListed != 0;
    }
}
