#include "content/vfs/VirtualFileItem.h"

#include "base/TextCompare.h"
#include "base/Throw.h"
#include "base/Media.h"

#include <utility>

namespace NSVirtualFS
{
bool CABCVirtualFileItem::IsSameItem(const CABCVirtualFileItem* other) const
{
    return other == this;
}

void CABCVirtualFileItem::GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener)
{
}

CItemPtr CABCVirtualFileItem::FindChild(const TUTF16String& name)
{
    std::vector<CItemPtr> children;
    GetChildren(children, nullptr);
    for (const CItemPtr& child : children)
    {
        if (NSTextPackage::CompareText(name, child->GetName(), NSTextPackage::kCompareIgnoreCase) ==
            NSTextPackage::kCompareEqual)
            return child;
    }
    return {};
}

bool CABCVirtualFileItem::IsFolder()
{
    return false;
}

bool CABCVirtualFileItem::IsBrowsableFile()
{
    return false;
}

bool CABCVirtualFileItem::IsVantleFile()
{
    return false;
}

bool CABCVirtualFileItem::IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type)
{
    return false;
}

bool CABCVirtualFileItem::IsFile()
{
    return false;
}

u64 CABCVirtualFileItem::GetModificationTime()
{
    return 0;
}

u64 CABCVirtualFileItem::GetSize()
{
    return 0;
}

TUTF16String CABCVirtualFileItem::GetSecondaryText()
{
    return {};
}

TUTF16String CABCVirtualFileItem::GetCachedName()
{
    fStoredNameHandedOut = 1;
    return fStoredName;
}

u32 CABCVirtualFileItem::GetCachedKind()
{
    fStoredKindHandedOut = 1;
    return fStoredKind;
}

bool CABCVirtualFileItem::IsLink()
{
    return false;
}

CItemPtr CABCVirtualFileItem::ResolveLink()
{
    return {};
}

std::shared_ptr<NSFerrant::CMedia> CABCVirtualFileItem::OpenMedia()
{
    return {};
}

std::shared_ptr<NSFerrant::CMedia> CABCVirtualFileItem::CreateMedia(u32 fileType, u32 creator)
{
    return {};
}

bool CABCVirtualFileItem::IsRegularFile()
{
    return false;
}

NSFileLibSupport::TFileSpecPtr CABCVirtualFileItem::GetFileSpec()
{
    NSQuorral::Throw<std::exception>();
}

bool CABCVirtualFileItem::IsFileSystemFolder()
{
    return false;
}

NSFileLibSupport::TDirSpecPtr CABCVirtualFileItem::GetDirSpec()
{
    NSQuorral::Throw<std::exception>();
}

CItemPtr CABCVirtualFileItem::GetVolumeItem()
{
    const CItemPtr parent = GetParent();
    if (parent.IsEmpty())
        return {};
    return parent->GetVolumeItem();
}

u32 CABCVirtualFileItem::GetVolumeType()
{
    return kNoVolumeType;
}

TUTF16String CABCVirtualFileItem::GetVolumeName()
{
    return {};
}

void CABCVirtualFileItem::BeginUpdate()
{
}

void CABCVirtualFileItem::EndUpdate()
{
}

void CABCVirtualFileItem::InvalidateCaches()
{
}

void CABCCountedItem::AddRef()
{
    ++fRefCount;
}

void CABCCountedItem::Release()
{
    --fRefCount;
    if (static_cast<i32>(fRefCount) < 1)
        delete this;
}
} // namespace NSVirtualFS

CItemPtr::CItemPtr(NSVirtualFS::CABCVirtualFileItem* item) : fItem(item)
{
    if (fItem)
        fItem->AddRef();
}

CItemPtr::CItemPtr(const CItemPtr& other) : CItemPtr(other.fItem)
{
}

CItemPtr::CItemPtr(CItemPtr&& other) noexcept : fItem(std::exchange(other.fItem, nullptr))
{
}

CItemPtr& CItemPtr::operator=(const CItemPtr& other)
{
    if (this == &other)
        return *this;
    if (other.fItem)
        other.fItem->AddRef();
    NSVirtualFS::CABCVirtualFileItem* old = std::exchange(fItem, other.fItem);
    if (old)
        old->Release();
    return *this;
}

CItemPtr& CItemPtr::operator=(CItemPtr&& other) noexcept
{
    if (this == &other)
        return *this;
    NSVirtualFS::CABCVirtualFileItem* old = std::exchange(fItem, std::exchange(other.fItem, nullptr));
    if (old)
        old->Release();
    return *this;
}

CItemPtr::~CItemPtr()
{
    Reset();
}

void CItemPtr::Reset()
{
    if (NSVirtualFS::CABCVirtualFileItem* old = std::exchange(fItem, nullptr))
        old->Release();
}

bool CItemPtr::operator==(const CItemPtr& other) const
{
    if (fItem == other.fItem)
        return true;
    return fItem && other.fItem && fItem->IsSameItem(other.fItem);
}

std::vector<CItemPtr> GetChildItems(const CItemPtr& item)
{
    std::vector<CItemPtr> children;
    item->GetChildren(children, nullptr);
    return children;
}

CItemPtr FindChildItem(const CItemPtr& item, const NSTextPackage::TUTF16String& name)
{
    return item->FindChild(name);
}

std::shared_ptr<NSFerrant::CMedia> OpenItemMedia(const CItemPtr& item)
{
    return item->OpenMedia();
}

NSFileLibSupport::TFileSpecPtr GetItemFileSpec(const CItemPtr& item)
{
    return item->GetFileSpec();
}

NSFileLibSupport::TDirSpecPtr GetItemDirSpec(const CItemPtr& item)
{
    return item->GetDirSpec();
}

CItemPtr ResolveItemLink(const CItemPtr& item)
{
    return item->ResolveLink();
}
