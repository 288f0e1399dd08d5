#pragma once
// The one tree of items: folders and files on disk, packages, loop files and SoundFont banks,
// each an object of a class derived from CABCVirtualFileItem and held through CItemPtr.
//
// Items count their own references (or forward them to the item that owns them); CItemPtr holds
// one reference. An item is made with a count of 0 and wrapped in a CItemPtr at once; it is
// destroyed when its count drops below 1. Items hold their parents through CItemPtr too, so a
// held item keeps its ancestors alive. One thread only; counts are plain integers.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/FileTypeDescriptors.h"

#include <memory>
#include <vector>

namespace NSFerrant
{
class CABCProgressInfo;
class CMedia;
} // namespace NSFerrant

namespace NSTrellis
{
class IIcon;
}

class CItemPtr;

// The observer of a long listing; the content model only reports to it.
class IProgressListener
{
public:
    virtual ~IProgressListener() = default;
    virtual void Report(const NSFerrant::CABCProgressInfo& progress) = 0;
};

namespace NSVirtualFS
{
using NSTextPackage::TUTF16String;

// The volume kind of an item that does not know its volume.
constexpr u32 kNoVolumeType = 0xFFFFFFFF;

class CABCVirtualFileItem
{
public:
    CABCVirtualFileItem() = default;
    CABCVirtualFileItem(const CABCVirtualFileItem&) = delete;
    CABCVirtualFileItem& operator=(const CABCVirtualFileItem&) = delete;

    virtual ~CABCVirtualFileItem() = default;
    // This very object, unless a class knows other objects for the same thing.
    virtual bool IsSameItem(const CABCVirtualFileItem* other) const;
    virtual bool IsAvailable() = 0;
    virtual CItemPtr GetParent() = 0;
    // The listener may be null. The base lists no children.
    virtual void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener);
    // The first child whose GetName equals name, ignoring case; empty when none.
    virtual CItemPtr FindChild(const TUTF16String& name);
    virtual bool IsFolder();
    // A file that is shown as a folder.
    virtual bool IsBrowsableFile();
    virtual bool IsVantleFile();
    // The three texts stay valid until the item's next InvalidateCaches or its end.
    virtual const TUTF16String& GetDisplayName() = 0;
    virtual const TUTF16String& GetName() = 0;
    virtual std::shared_ptr<NSTrellis::IIcon> GetIcon(u8 flag) = 0;
    virtual const TUTF16String& GetTypeName() = 0;
    virtual bool IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type);
    virtual bool IsFile();
    // A file time (100 ns since 1601); 0 when unknown.
    virtual u64 GetModificationTime();
    virtual u64 GetSize();
    virtual TUTF16String GetSecondaryText();
    virtual TUTF16String GetCachedName();
    virtual u32 GetCachedKind();
    // A shortcut, and the item it leads to (empty when the class has no shortcuts).
    virtual bool IsLink();
    virtual CItemPtr ResolveLink();
    // The item's bytes for reading; empty when it has none.
    virtual std::shared_ptr<NSFerrant::CMedia> OpenMedia();
    // Creates or empties the item's file for writing; empty when the class cannot.
    virtual std::shared_ptr<NSFerrant::CMedia> CreateMedia(u32 fileType, u32 creator);
    virtual bool IsRegularFile();
    // Items that are not on disk throw a plain std::exception.
    virtual NSFileLibSupport::TFileSpecPtr GetFileSpec();
    virtual bool IsFileSystemFolder();
    virtual NSFileLibSupport::TDirSpecPtr GetDirSpec();
    // The volume root that holds the item: by default the parent's.
    virtual CItemPtr GetVolumeItem();
    virtual u32 GetVolumeType(); // NSFileLib::EVolumeKind, kNoVolumeType when unknown
    virtual TUTF16String GetVolumeName();
    // Update batches: between them an item may keep what it has read.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    virtual void InvalidateCaches();
    virtual void AddRef() = 0;
    virtual void Release() = 0;

private:
    // No class fills these, so the cached name is empty and the cached kind 0.
    TUTF16String fStoredName;
    u8 fStoredNameHandedOut = 0;
    u32 fStoredKind = 0;
    u8 fStoredKindHandedOut = 0;
};

// An item that keeps its own reference count.
class CABCCountedItem : public CABCVirtualFileItem
{
public:
    void AddRef() override;
    // Destroys the item when the count drops below 1.
    void Release() override;

private:
    u32 fRefCount = 0;
};
} // namespace NSVirtualFS

// Holds one reference of its item; empty means "no item".
class CItemPtr
{
public:
    CItemPtr() = default;
    explicit CItemPtr(NSVirtualFS::CABCVirtualFileItem* item);
    CItemPtr(const CItemPtr& other);
    CItemPtr(CItemPtr&& other) noexcept;
    // The new item is counted before the old one is released, so assigning an item that only
    // the old one keeps alive is safe.
    CItemPtr& operator=(const CItemPtr& other);
    CItemPtr& operator=(CItemPtr&& other) noexcept;
    ~CItemPtr();

    void Reset();
    bool IsEmpty() const { return fItem == nullptr; }
    NSVirtualFS::CABCVirtualFileItem* Get() const { return fItem; }
    NSVirtualFS::CABCVirtualFileItem* operator->() const { return fItem; }

    // The same pointer (two empty ones included), or the first item's IsSameItem of the second.
    bool operator==(const CItemPtr& other) const;
    bool operator!=(const CItemPtr& other) const { return !(*this == other); }

private:
    NSVirtualFS::CABCVirtualFileItem* fItem = nullptr;
};

// The item operations most callers make, on an item that must not be empty. Exceptions of the
// item pass through unchanged.
std::vector<CItemPtr> GetChildItems(const CItemPtr& item);
CItemPtr FindChildItem(const CItemPtr& item, const NSTextPackage::TUTF16String& name);
std::shared_ptr<NSFerrant::CMedia> OpenItemMedia(const CItemPtr& item);
NSFileLibSupport::TFileSpecPtr GetItemFileSpec(const CItemPtr& item);
NSFileLibSupport::TDirSpecPtr GetItemDirSpec(const CItemPtr& item);
CItemPtr ResolveItemLink(const CItemPtr& item);
