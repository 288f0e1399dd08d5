#pragma once
// The entries of a package shown as a folder: folders made from the ":"-separated paths of the
// index rows, files that read their bytes from the package, and SoundFont banks and loop files
// that are folders too. Entries count on their parent, and so through the chain of folders on the
// package item: holding any entry keeps the package item and its whole tree alive.
#include "content/package/VantleEntryMedia.h"
#include "content/vfs/OwnedItem.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace NSVirtualFS
{
class CVantleFile;
class CKivFSParserHelper;
class CSoundFontFSParserHelper;
} // namespace NSVirtualFS

class CABCVantleEntry : public NSVirtualFS::CABCOwnedItem
{
public:
    bool IsAvailable() override;
    CItemPtr GetParent() override;
    bool IsFile() override;
    u64 GetModificationTime() override;

protected:
    // parent: a folder entry, or the package item at the top of the package.
    CABCVantleEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent);

    NSVirtualFS::CVantleFile* GetPackage() const { return fPackage; }

private:
    NSVirtualFS::CABCVirtualFileItem* fParent;
    NSVirtualFS::CVantleFile* fPackage;
};

using TVantleEntryPtr = std::shared_ptr<CABCVantleEntry>;

// Entries found by name, ignoring case, under the hash of the name (CVantleDirEntry::HashName):
// of several that match, the one added first.
class CEntryNameIndex
{
public:
    explicit CEntryNameIndex(std::size_t buckets = 0) : fBuckets(buckets) {}

    void Add(const TVantleEntryPtr& entry, u32 hash);
    TVantleEntryPtr Find(const NSTextPackage::TUTF16String& name, u32 hash) const;

private:
    std::unordered_map<u32, std::vector<TVantleEntryPtr>> fBuckets;
};

class CVantleDirEntry final : public CABCVantleEntry
{
public:
    CVantleDirEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                    const NSTextPackage::TUTF16String& name);
    ~CVantleDirEntry() override;

    void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener) override;
    CItemPtr FindChild(const NSTextPackage::TUTF16String& name) override;
    bool IsFolder() override { return true; }
    const NSTextPackage::TUTF16String& GetDisplayName() override { return fName; }
    const NSTextPackage::TUTF16String& GetName() override { return fName; }
    std::shared_ptr<NSTrellis::IIcon> GetIcon(u8 flag) override;
    const NSTextPackage::TUTF16String& GetTypeName() override;

    // The child folder of that name (ignoring case), made when there is none; a file of that name
    // does not count, so a file and a folder of one name are both children.
    std::shared_ptr<CVantleDirEntry> FindOrCreateSubDirectory(const NSTextPackage::TUTF16String& name);
    // Appends the entry to the children and indexes it under the hash of its name.
    void AddChildEntry(const TVantleEntryPtr& entry);
    void AddChild(const TVantleEntryPtr& entry, u32 hash);
    TVantleEntryPtr FindChildByName(const NSTextPackage::TUTF16String& name, u32 hash) const;

    // One-at-a-time hash of the upper-cased name, low byte of each unit first.
    static u32 HashName(const NSTextPackage::TUTF16String& name);

private:
    std::vector<TVantleEntryPtr> fChildren; // in the order added
    CEntryNameIndex fNameIndex;
    NSTextPackage::TUTF16String fName;
};

class CVantleFileEntry : public CABCVantleEntry
{
public:
    CVantleFileEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                     const CVantleEntryLocation& location, const NSTextPackage::TUTF16String& name);
    ~CVantleFileEntry() override;

    bool IsFolder() override { return false; }
    const NSTextPackage::TUTF16String& GetDisplayName() override { return fName; }
    const NSTextPackage::TUTF16String& GetName() override { return fName; }
    std::shared_ptr<NSTrellis::IIcon> GetIcon(u8 flag) override;
    const NSTextPackage::TUTF16String& GetTypeName() override;
    bool IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type) override;
    // The stored size: for a compressed entry, the compressed one.
    u64 GetSize() override { return fLocation.fSize; }
    // The media holds the package open, so it outlives every item.
    std::shared_ptr<NSFerrant::CMedia> OpenMedia() override;

private:
    NSTextPackage::TUTF16String fName;
    CVantleEntryLocation fLocation;
    NSTextPackage::TUTF16String fTypeName;
    bool fTypeNameValid = false;
};

// A SoundFont bank inside a package, shown as its folders of presets and samples.
class CSoundFontVantleEntry final : public CVantleFileEntry
{
public:
    CSoundFontVantleEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                          const CVantleEntryLocation& location, const NSTextPackage::TUTF16String& name);
    ~CSoundFontVantleEntry() override;

    void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener) override;
    bool IsFolder() override { return true; }
    bool IsBrowsableFile() override { return true; }
    NSTextPackage::TUTF16String GetSecondaryText() override;

private:
    std::shared_ptr<NSVirtualFS::CSoundFontFSParserHelper> fBuilder;
};

// A loop file inside a package, shown as its slices.
class CKIVVantleEntry final : public CVantleFileEntry
{
public:
    CKIVVantleEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                    const CVantleEntryLocation& location, const NSTextPackage::TUTF16String& name);
    ~CKIVVantleEntry() override;

    void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener) override;
    bool IsFolder() override { return true; }
    bool IsBrowsableFile() override { return true; }
    NSTextPackage::TUTF16String GetSecondaryText() override;

private:
    std::shared_ptr<NSVirtualFS::CKivFSParserHelper> fBuilder;
};
