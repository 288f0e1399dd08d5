#include "packing/SourceNodeIndex.h"

#include "base/TextCase.h"

CSourceNodeIndex::CSourceNodeIndex(const TSourceNodes& entries)
{
    Add(nullptr, entries);
}

void CSourceNodeIndex::Add(const CSourceNode* parent, const TSourceNodes& nodes)
{
    for (const std::unique_ptr<CSourceNode>& node : nodes)
    {
        fNodes.emplace(std::make_pair(parent, NSTextPackage::ToUpper(node->GetDisplayName())), node.get());
        Add(node.get(), node->fChildren);
    }
}

CSourceNode* CSourceNodeIndex::Find(const TPathComponents& components) const
{
    CSourceNode* node = nullptr;
    for (const THashedString& component : components)
    {
        const auto found = fNodes.find(std::make_pair(node, NSTextPackage::ToUpper(component.GetText())));
        if (found == fNodes.end())
            return nullptr;
        node = found->second;
    }
    return node;
}
