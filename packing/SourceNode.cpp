#include "packing/SourceNode.h"

#include "base/Quorral.h"
#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "filelib/FileLibWrappers.h"
#include "packing/SourcePaths.h"

#include <algorithm>

namespace
{
// A shortcut that leads nowhere is reported as broken, so that no node is ever left without an
// item to read.
CItemPtr ResolveShortcut(const CItemPtr& item)
{
    const CItemPtr target = NSVantlePacking::ResolveShortcutTarget(item);
    if (!target.IsEmpty())
        return target;
    NSQuorral::CThrowContext context(NSQuorral::TThrowSite{});
    context << NSQuorral::XResolve("");
    context.SetTargetObjectType(NSQuorral::GetFileObjectType());
    context.SetProperty(NSQuorral::MakeStringProperty(NSQuorral::GetTargetObjectIDKey(),
                                                      NSTextPackage::UTF16ToUTF8(GetItemDisplayPath(item))));
    NSQuorral::ThrowException(context);
}
} // namespace

CSourceNode::CSourceNode(const CItemPtr& item) : CSourceNode(nullptr, item) {}

CSourceNode::CSourceNode(CSourceNode* parent, const CItemPtr& item)
    : fParent(parent), fItem(item), fResolvedItem(item)
{
    if (item->IsLink())
        fResolvedItem = ResolveShortcut(item);
    fIsFolder = fResolvedItem->IsFolder() && !fResolvedItem->IsRegularFile() ? 1 : 0;
}

NSTextPackage::TUTF16String CSourceNode::GetRelativePath() const
{
    NSTextPackage::TUTF16String path = GetDisplayName();
    for (const CSourceNode* node = fParent; node != nullptr; node = node->fParent)
        path = node->GetDisplayName() + u16(':') + path;
    return path;
}

NSTextPackage::TUTF16String CSourceNode::GetDisplayName() const
{
    return NSVantlePacking::StripShortcutExtension(fItem);
}

NSTextPackage::TUTF16String CSourceNode::GetDisplayPath() const
{
    return GetItemDisplayPath(fItem);
}

void CSourceNode::SwapChildren(TSourceNodes& children)
{
    fChildren.swap(children);
}

NSTextPackage::TUTF16String GetItemDisplayPath(const CItemPtr& item)
{
    if (item->IsRegularFile())
        return NSFileLibSupport::GetFileWinPath(item->GetFileSpec().get());
    if (item->IsFileSystemFolder())
        return NSFileLibSupport::GetDirWinPath(item->GetDirSpec().get());
    return item->GetName();
}

bool CompareSourceNodes(const CSourceNode& a, const CSourceNode& b)
{
    if (a.fIsFolder != b.fIsFolder)
        return a.fIsFolder != 0;
    return NSTextPackage::CompareText(a.GetDisplayName(), b.GetDisplayName(),
                                      NSTextPackage::kCompareRespectCase) == NSTextPackage::kCompareLess;
}

void SortSourceNodes(TSourceNodes& nodes)
{
    std::stable_sort(nodes.begin(), nodes.end(),
                     [](const std::unique_ptr<CSourceNode>& a, const std::unique_ptr<CSourceNode>& b)
                     { return CompareSourceNodes(*a, *b); });
}
