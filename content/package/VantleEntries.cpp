#include "content/package/VantleEntries.h"

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
// The type names of file entries by the extension that names them, kept as the icons are: a
// package may hold hundreds of thousands of entries of a few types.
std::map<NSTextPackage::TUTF16String, NSTextPackage::TUTF16String> gFileTypeNames;
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
    : CABCVantleEntry(package, parent), fName(name)
{
    ++gLiveFolderEntries;
}

CVantleDirEntry::~CVantleDirEntry()
{
    // Every folder below gives up its children before it goes, so no destructor nests another.
    std::vector<TVantleEntryPtr> pending = fChildren.Take();
    while (!pending.empty())
    {
        const TVantleEntryPtr entry = std::move(pending.back());
        pending.pop_back();
        if (auto* folder = dynamic_cast<CVantleDirEntry*>(entry.get()))
        {
            std::vector<TVantleEntryPtr> children = folder->fChildren.Take();
            pending.insert(pending.end(), std::make_move_iterator(children.begin()),
                           std::make_move_iterator(children.end()));
        }
    }
    if (--gLiveFolderEntries == 0)
        gFolderIcon.reset();
}

void CVantleDirEntry::GetChildren(std::vector<CItemPtr>& children, IProgressListener*)
{
    children.clear();
    for (const TVantleEntryPtr& child : fChildren.InOrder())
        children.push_back(CItemPtr(child.get()));
}

CItemPtr CVantleDirEntry::FindChild(const NSTextPackage::TUTF16String& name)
{
    return CItemPtr(fChildren.Find(name, HashEntryName(name)).get());
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
    return FindOrCreateFolderIn(fChildren, GetPackage(), this, name);
}

std::shared_ptr<CVantleDirEntry>
CVantleDirEntry::FindOrCreateFolderIn(TVantleEntries& entries, NSVirtualFS::CVantleFile* package,
                                      NSVirtualFS::CABCVirtualFileItem* parent,
                                      const NSTextPackage::TUTF16String& name)
{
    const u32 hash = HashEntryName(name);
    const TVantleEntryPtr found = entries.Find(
        name, hash, [](const CABCVantleEntry& entry) { return dynamic_cast<const CVantleDirEntry*>(&entry) != nullptr; });
    if (found)
        return std::static_pointer_cast<CVantleDirEntry>(found);
    auto folder = std::make_shared<CVantleDirEntry>(package, parent, name);
    entries.Add(folder, hash);
    return folder;
}

void CVantleDirEntry::AddChildEntry(const TVantleEntryPtr& entry)
{
    fChildren.Add(entry, HashEntryName(entry->GetName()));
}

CVantleFileEntry::CVantleFileEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                                   const CVantleEntryLocation& location, const NSTextPackage::TUTF16String& name)
    : CABCVantleEntry(package, parent), fName(name), fOffset(location.fOffset), fSize(location.fSize),
      fPackedType(location.fPackedType)
{
    ++gLiveFileEntries;
}

CVantleFileEntry::~CVantleFileEntry()
{
    if (--gLiveFileEntries == 0)
    {
        gFileIcons.clear();
        gFileTypeNames.clear();
    }
}

std::shared_ptr<NSTrellis::IIcon> CVantleFileEntry::GetIcon(u8)
{
    std::shared_ptr<NSTrellis::IIcon>& icon = gFileIcons[fPackedType];
    if (!icon)
        icon = NSTrellisUtils::CreateIcon(kFileEntryIcon);
    return icon;
}

const NSTextPackage::TUTF16String& CVantleFileEntry::GetTypeName()
{
    const NSTextPackage::TUTF16String extension = GetTypeNameExtension(fName);
    auto found = gFileTypeNames.find(extension);
    if (found == gFileTypeNames.end())
        found = gFileTypeNames.emplace(extension, GetFriendlyTypeName(fName)).first;
    return found->second;
}

bool CVantleFileEntry::IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type)
{
    return IsPackedTypeOfType(fPackedType, type);
}

std::shared_ptr<NSFerrant::CMedia> CVantleFileEntry::OpenMedia()
{
    return OpenEntryMedia(GetPackage()->GetEntryData(), fOffset, fSize, fPackedType);
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
