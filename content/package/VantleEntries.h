#pragma once
// The entries of a package shown as a folder: folders made from the ":"-separated paths of the
// index rows, files that read their bytes from the package, and SoundFont banks and loop files
// that are folders too. Entries count on their parent, and so through the chain of folders on the
// package item: holding any entry keeps the package item and its whole tree alive.
#include "content/package/NamedEntries.h"
#include "content/package/VantleEntryMedia.h"
#include "content/vfs/OwnedItem.h"

#include <memory>
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
using TVantleEntries = TNamedEntries<CABCVantleEntry>;

class CVantleDirEntry final : public CABCVantleEntry
{
public:
    CVantleDirEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                    const NSTextPackage::TUTF16String& name);
    // Releases the folders below without recursing, however deep they go.
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
    // The folder of that name among entries, made there with parent when there is none: the
    // package's top level finds its folders as a folder finds its subfolders.
    static std::shared_ptr<CVantleDirEntry> FindOrCreateFolderIn(TVantleEntries& entries,
                                                                 NSVirtualFS::CVantleFile* package,
                                                                 NSVirtualFS::CABCVirtualFileItem* parent,
                                                                 const NSTextPackage::TUTF16String& name);
    void AddChildEntry(const TVantleEntryPtr& entry);

private:
    TVantleEntries fChildren;
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
    u64 GetSize() override { return fSize; }
    // The media holds the package open, so it outlives every item.
    std::shared_ptr<NSFerrant::CMedia> OpenMedia() override;

private:
    // Of the location, what the entry's bytes need: the package data is the package item's, one
    // for the whole tree, and the row's own place in the index is of no use to the entry.
    NSTextPackage::TUTF16String fName;
    u32 fOffset;
    u32 fSize;
    u32 fPackedType; // EPackedFileType
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
