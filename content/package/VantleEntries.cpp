#include "content/package/VantleEntries.h"

#include "base/TextCase.h"
#include "base/TextCompare.h"
#include "content/folders/KIVFolder.h"
#include "content/folders/SoundFontFolder.h"
#include "content/package/PackedFileTypes.h"
#include "content/package/VantleFile.h"
#include "content/vfs/ItemFileTypes.h"
#include "content/vfs/ItemTypeTexts.h"
#include "gui/TrellisUtils.h"

#include <map>

namespace
{
constexpr u32 kFolderEntryIcon = 3011;
constexpr u32 kFileEntryIcon = 3001;

// The icons every package shares: made on first use, dropped with the last entry of their kind.
// One thread.
u32 gLiveFolderEntries = 0;
std::shared_ptr<NSTrellis::IIcon> gFolderIcon;
u32 gLiveFileEntries = 0;
std::map<u32, std::shared_ptr<NSTrellis::IIcon>> gFileIcons;
} // namespace

CABCVantleEntry::CABCVantleEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent)
    : CABCOwnedItem(parent), fParent(parent), fPackage(package)
{
}

bool CABCVantleEntry::IsAvailable()
{
    return fPackage->IsAvailable();
}

CItemPtr CABCVantleEntry::GetParent()
{
    return CItemPtr(fParent);
}

bool CABCVantleEntry::IsFile()
{
    return fPackage->IsFile();
}

u64 CABCVantleEntry::GetModificationTime()
{
    return fPackage->GetModificationTime();
}

CVantleDirEntry::CVantleDirEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                                 const NSTextPackage::TUTF16String& name)
    : CABCVantleEntry(package, parent), fNameIndex(37), fName(name)
{
    ++gLiveFolderEntries;
}

CVantleDirEntry::~CVantleDirEntry()
{
    if (--gLiveFolderEntries == 0)
        gFolderIcon.reset();
}

void CVantleDirEntry::GetChildren(std::vector<CItemPtr>& children, IProgressListener*)
{
    children.clear();
    for (const TVantleEntryPtr& child : fChildren)
        children.push_back(CItemPtr(child.get()));
}

CItemPtr CVantleDirEntry::FindChild(const NSTextPackage::TUTF16String& name)
{
    return CItemPtr(FindChildByName(name, HashName(name)).get());
}

std::shared_ptr<NSTrellis::IIcon> CVantleDirEntry::GetIcon(u8)
{
    if (!gFolderIcon)
        gFolderIcon = NSTrellisUtils::CreateIcon(kFolderEntryIcon);
    return gFolderIcon;
}

const NSTextPackage::TUTF16String& CVantleDirEntry::GetTypeName()
{
    return NSVirtualFS::GetItemTypeText(NSVirtualFS::kItemTypeFolder);
}

std::shared_ptr<CVantleDirEntry> CVantleDirEntry::FindOrCreateSubDirectory(const NSTextPackage::TUTF16String& name)
{
    const u32 hash = HashName(name);
    if (auto folder = std::dynamic_pointer_cast<CVantleDirEntry>(FindChildByName(name, hash)))
        return folder;
    auto folder = std::make_shared<CVantleDirEntry>(GetPackage(), this, name);
    AddChildEntry(folder);
    return folder;
}

void CVantleDirEntry::AddChildEntry(const TVantleEntryPtr& entry)
{
    fChildren.push_back(entry);
    AddChild(entry, HashName(entry->GetName()));
}

void CVantleDirEntry::AddChild(const TVantleEntryPtr& entry, u32 hash)
{
    fNameIndex.Add(entry, hash);
}

TVantleEntryPtr CVantleDirEntry::FindChildByName(const NSTextPackage::TUTF16String& name, u32 hash) const
{
    return fNameIndex.Find(name, hash);
}

void CEntryNameIndex::Add(const TVantleEntryPtr& entry, u32 hash)
{
    fBuckets[hash].push_back(entry);
}

TVantleEntryPtr CEntryNameIndex::Find(const NSTextPackage::TUTF16String& name, u32 hash) const
{
    const auto found = fBuckets.find(hash);
    if (found == fBuckets.end())
        return {};
    for (const TVantleEntryPtr& entry : found->second)
    {
        if (NSTextPackage::CompareText(entry->GetName(), name, NSTextPackage::kCompareIgnoreCase) ==
            NSTextPackage::kCompareEqual)
            return entry;
    }
    return {};
}

u32 CVantleDirEntry::HashName(const NSTextPackage::TUTF16String& name)
{
    u32 hash = 0;
    const auto add = [&hash](u8 byte) {
        hash += byte;
        hash += hash << 10;
        hash ^= hash >> 6;
    };
    for (const char16_t unit : NSTextPackage::ToUpper(name))
    {
        add(u8(unit & 0xFF));
        add(u8(unit >> 8));
    }
    hash += hash << 3;
    hash ^= hash >> 11;
    hash += hash << 15;
    return hash;
}

CVantleFileEntry::CVantleFileEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                                   const CVantleEntryLocation& location, const NSTextPackage::TUTF16String& name)
    : CABCVantleEntry(package, parent), fName(name), fLocation(location)
{
    ++gLiveFileEntries;
}

CVantleFileEntry::~CVantleFileEntry()
{
    if (--gLiveFileEntries == 0)
        gFileIcons.clear();
}

std::shared_ptr<NSTrellis::IIcon> CVantleFileEntry::GetIcon(u8)
{
    std::shared_ptr<NSTrellis::IIcon>& icon = gFileIcons[fLocation.fPackedType];
    if (!icon)
        icon = NSTrellisUtils::CreateIcon(kFileEntryIcon);
    return icon;
}

const NSTextPackage::TUTF16String& CVantleFileEntry::GetTypeName()
{
    if (!fTypeNameValid)
    {
        fTypeName = GetFriendlyTypeName(GetName());
        fTypeNameValid = true;
    }
    return fTypeName;
}

bool CVantleFileEntry::IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type)
{
    return IsPackedTypeOfType(fLocation.fPackedType, type);
}

std::shared_ptr<NSFerrant::CMedia> CVantleFileEntry::OpenMedia()
{
    return OpenEntryMedia(fLocation);
}

CSoundFontVantleEntry::CSoundFontVantleEntry(NSVirtualFS::CVantleFile* package,
                                             NSVirtualFS::CABCVirtualFileItem* parent,
                                             const CVantleEntryLocation& location,
                                             const NSTextPackage::TUTF16String& name)
    : CVantleFileEntry(package, parent, location, name),
      fBuilder(std::make_shared<NSVirtualFS::CSoundFontFSParserHelper>(this))
{
}

CSoundFontVantleEntry::~CSoundFontVantleEntry() = default;

void CSoundFontVantleEntry::GetChildren(std::vector<CItemPtr>& children, IProgressListener*)
{
    fBuilder->GetChildren(children);
}

NSTextPackage::TUTF16String CSoundFontVantleEntry::GetSecondaryText()
{
    return fBuilder->GetName();
}

CKIVVantleEntry::CKIVVantleEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                                 const CVantleEntryLocation& location, const NSTextPackage::TUTF16String& name)
    : CVantleFileEntry(package, parent, location, name), fBuilder(NSVirtualFS::CKivFSParserHelper::Create(this))
{
}

CKIVVantleEntry::~CKIVVantleEntry() = default;

void CKIVVantleEntry::GetChildren(std::vector<CItemPtr>& children, IProgressListener*)
{
    fBuilder->GetChildren(children);
}

NSTextPackage::TUTF16String CKIVVantleEntry::GetSecondaryText()
{
    return fBuilder->GetName();
}
