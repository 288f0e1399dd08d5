#pragma once
// Finds the node of a source tree by its path of display names, in any letter case: one map
// lookup per level instead of comparing every child's name in the user's locale.
#include "base/UTF16String.h"
#include "content/references/PathComponents.h"
#include "packing/SourceNode.h"

#include <map>
#include <utility>

class CSourceNodeIndex
{
public:
    // Indexes the tree as it stands; a node taken out later is still found.
    explicit CSourceNodeIndex(const TSourceNodes& entries);

    // The node reached through the names from the top level down; among siblings of one name the
    // first in tree order. Null when a name is not found or there are no names.
    CSourceNode* Find(const TPathComponents& components) const;

private:
    void Add(const CSourceNode* parent, const TSourceNodes& nodes);

    // Keyed by the parent (null for the top level) and the upper-cased display name.
    std::map<std::pair<const CSourceNode*, NSTextPackage::TUTF16String>, CSourceNode*> fNodes;
};
