#include "content/vfs/ShellFile.h"

#include "base/FileLibStatus.h"
#include "base/ProgressInfo.h"
#include "base/Quorral.h"
#include "base/ResourceID.h"
#include "base/TextCompare.h"
#include "base/TextTemplates.h"
#include "content/vfs/ItemDatabase.h"
#include "content/vfs/ItemFileTypes.h"
#include "filelib/FileLibAccess.h"
#include "filelib/FileMedia.h"
#include "filelib/ShellIDLists.h"
#include "filelib/ShellItem.h"
#include "gui/ShellIcons.h"
#include "gui/TrellisUtils.h"

#include <new>

using NSTextPackage::CompareText;

namespace NSVirtualFS
{
namespace
{
// A folder that cannot be watched is listed again when this many milliseconds have passed.
constexpr u64 kUnwatchedStampPeriod = 20000;
// The GUI library's icon of a disk item whose shell icon cannot be had.
constexpr u32 kDiskItemIcon = 3016;
constexpr u16 kProgressTextTable = 128;
constexpr u16 kScanningTextEntry = 3223; // "Scanning contents of ^0"
constexpr u16 kStopTextEntry = 3224;     // "Stop"

bool NamesEqual(const TUTF16String& a, const TUTF16String& b)
{
    return CompareText(a, b, NSTextPackage::kCompareIgnoreCase) == NSTextPackage::kCompareEqual;
}

bool IsOneOf(u32 kind, std::initializer_list<u32> kinds)
{
    for (const u32 candidate : kinds)
        if (kind == candidate)
            return true;
    return false;
}

u64 Now()
{
    return static_cast<u64>(GetShellFileCalls().getMilliseconds());
}

TUTF16String DisplayNameOf(NSFerrant::CShellItem& shellItem)
{
    TUTF16String name;
    shellItem.GetDisplayName(name);
    return name;
}

void ReportProgress(IProgressListener* listener, NSFerrant::CSimpleProgressInfo& progress, std::size_t index,
                    std::size_t count, const TUTF16String& folderName)
{
    if (progress.fMessage.empty())
    {
        const TUTF16String scanning =
            NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(kProgressTextTable, kScanningTextEntry));
        progress.fMessage = NSTextPackage::ExpandTemplate(scanning, {folderName});
        progress.fStopText =
            NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(kProgressTextTable, kStopTextEntry));
    }
    progress.fProgress = static_cast<u32>(index * 1000 / count);
    listener->Report(progress);
}
} // namespace

CShellFile::CShellFile(const std::shared_ptr<NSFerrant::CShellItem>& shellItem, const TUTF16String& name,
                       const CItemPtr& parent)
    : fShellItem(shellItem), fParent(parent), fName(name)
{
    if (IsFolder())
        fChildren = std::make_unique<CShellFileChildren>();
    const CItemPtr parentItem = GetParent();
    if (parentItem.IsEmpty())
        return;
    fVolumeItem = parentItem->GetVolumeItem();
    if (!fVolumeItem.IsEmpty())
    {
        fVolumeName = fVolumeItem->GetVolumeName();
        fVolumeNameValid = 1;
    }
}

CShellFile::~CShellFile()
{
    InvalidateCaches();
}

u32 CShellFile::GetShellKind() const
{
    return fShellItem->GetKind();
}

bool CShellFile::IsSameItem(const CABCVirtualFileItem* other) const
{
    if (other == this)
        return true;
    const auto* otherFile = dynamic_cast<const CShellFile*>(other);
    return otherFile && *fShellItem == *otherFile->fShellItem;
}

bool CShellFile::IsAvailable()
{
    try
    {
        return IsVolumePresent() && fShellItem->IsValid();
    }
    catch (const std::bad_alloc&)
    {
        throw;
    }
    catch (...)
    {
        return false;
    }
}

CItemPtr CShellFile::GetParent()
{
    if (!fParent.IsEmpty())
        return fParent;
    if (NSFerrant::CountItemIDs(fShellItem->GetIDList()) == 0)
        return {};
    auto parentShellItem = std::make_shared<NSFerrant::CShellItem>();
    fShellItem->GetParent(*parentShellItem);
    return GetItemDatabase().GetItem(parentShellItem, DisplayNameOf(*parentShellItem), {});
}

void CShellFile::GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener)
{
    children.clear();
    if (!IsFolder())
        return;
    CheckForChanges();
    ReadListingUntil({});
    // A copy: making a child may reach back into this folder.
    const std::vector<SShellChildEntry> entries = fChildren->InOrder();
    children.reserve(entries.size());
    NSFerrant::CSimpleProgressInfo progress;
    for (std::size_t index = 0; index < entries.size(); ++index)
    {
        if (listener)
            ReportProgress(listener, progress, index, entries.size(), GetName());
        CItemPtr child = MakeChildItem(entries[index]);
        if (!child.IsEmpty())
            children.push_back(std::move(child));
    }
}

CItemPtr CShellFile::FindChild(const TUTF16String& name)
{
    if (!IsFolder())
        return CABCVirtualFileItem::FindChild(name);
    CheckForChanges();
    ReadListingUntil(name);
    const SShellChildEntry* entry = fChildren->Find(name);
    if (!entry)
        return {};
    const SShellChildEntry found = *entry;
    return MakeChildItem(found);
}

bool CShellFile::IsFolder()
{
    return IsOneOf(GetShellKind(), {NSFerrant::kShellItemDesktop, NSFerrant::kShellItemVolumeRoot,
                                    NSFerrant::kShellItemFolder, NSFerrant::kShellItemVirtualFolder}) &&
           !fShellItem->IsShortcut();
}

const TUTF16String& CShellFile::GetDisplayName()
{
    if (!fDisplayNameValid)
    {
        fShellItem->GetShellDisplayName(fDisplayName);
        fDisplayNameValid = 1;
    }
    return fDisplayName;
}

const TUTF16String& CShellFile::GetName()
{
    if (!fNameValid)
    {
        fShellItem->GetDisplayName(fName);
        fNameValid = 1;
    }
    return fName;
}

std::shared_ptr<NSTrellis::IIcon> CShellFile::GetIcon(u8 flag)
{
    try
    {
        std::shared_ptr<NSTrellis::IIcon> icon;
        NSFerrant::GetShellItemIcon(*fShellItem, icon);
        return icon;
    }
    catch (const std::exception&)
    {
        return NSTrellisUtils::CreateIcon(kDiskItemIcon);
    }
}

const TUTF16String& CShellFile::GetTypeName()
{
    if (!fTypeNameValid)
    {
        if (fShellItem->IsValid())
            fTypeName = fShellItem->GetTypeName();
        else
            fTypeName = GetFriendlyTypeName(GetName());
        fTypeNameValid = 1;
    }
    return fTypeName;
}

bool CShellFile::IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type)
{
    return fShellItem->HasExtensionIn(type.extensions);
}

bool CShellFile::IsFile()
{
    return IsOneOf(GetShellKind(), {NSFerrant::kShellItemFolder, NSFerrant::kShellItemFile});
}

u64 CShellFile::GetModificationTime()
{
    if (fUpdateNesting > 0 && fModificationTime != 0)
        return fModificationTime;
    if (GetShellKind() == NSFerrant::kShellItemFile)
    {
        NSFileLib::SFileInfo info{};
        NSFileLibSupport::ThrowIfFileLibError(
            NSFileLibSupport::GetFileLib()->GetFileInfo(fShellItem->GetFileSpec().get(), &info));
        fModificationTime = info.modificationTime;
    }
    else
    {
        NSFileLib::SDirInfo info{};
        NSFileLibSupport::ThrowIfFileLibError(
            NSFileLibSupport::GetFileLib()->GetDirInfo(fShellItem->GetDirSpec().get(), &info));
        fModificationTime = info.modificationTime;
    }
    return fModificationTime;
}

u64 CShellFile::GetSize()
{
    const u64 size = fShellItem->GetFileSize();
    return size == ~u64(0) ? 0 : size;
}

bool CShellFile::IsLink()
{
    return fShellItem->IsShortcut();
}

CItemPtr CShellFile::ResolveLink()
{
    auto target = std::make_shared<NSFerrant::CShellItem>();
    fShellItem->ResolveShortcut(*target);
    return GetItemDatabase().GetItem(target, DisplayNameOf(*target), {});
}

std::shared_ptr<NSFerrant::CMedia> CShellFile::OpenMedia()
{
    if (GetShellKind() != NSFerrant::kShellItemFile)
        return {};
    return std::make_shared<NSFileLibSupport::COpenFile>(fShellItem->GetFileSpec().get());
}

std::shared_ptr<NSFerrant::CMedia> CShellFile::CreateMedia(u32 fileType, u32 creator)
{
    return fShellItem->CreateFileMedia(creator, fileType);
}

bool CShellFile::IsRegularFile()
{
    return GetShellKind() == NSFerrant::kShellItemFile;
}

NSFileLibSupport::TFileSpecPtr CShellFile::GetFileSpec()
{
    return NSFileLibSupport::CloneFileSpec(fShellItem->GetFileSpec().get());
}

bool CShellFile::IsFileSystemFolder()
{
    return IsOneOf(GetShellKind(),
                   {NSFerrant::kShellItemDesktop, NSFerrant::kShellItemVolumeRoot, NSFerrant::kShellItemFolder});
}

NSFileLibSupport::TDirSpecPtr CShellFile::GetDirSpec()
{
    if (!IsFileSystemFolder())
        return {};
    return NSFileLibSupport::CloneDirSpec(fShellItem->GetDirSpec().get());
}

CItemPtr CShellFile::GetVolumeItem()
{
    if (!fVolumeItem.IsEmpty())
        return fVolumeItem;
    if (GetShellKind() == NSFerrant::kShellItemVolumeRoot)
        return CItemPtr(this);
    return {};
}

u32 CShellFile::GetVolumeType()
{
    if (fVolumeType == 0)
        fVolumeType = NSFileLibSupport::GetVolumeKind(GetVolumeSpec().get());
    return fVolumeType;
}

TUTF16String CShellFile::GetVolumeName()
{
    if (fVolumeNameValid)
        return fVolumeName;
    NSFileLib::IFileLib* lib = NSFileLibSupport::GetFileLib();
    const NSFileLibSupport::TVolumeSpecPtr volume = GetVolumeSpec();
    NSFileLib::SVolumeInfo info{};
    NSFileLibSupport::ThrowIfFileLibError(lib->GetVolumeInfo(volume.get(), &info));
    if (info.kind == NSFileLib::kVolumeKindFloppy)
    {
        fVolumeName = NSFileLibSupport::GetVolumeWinPath(volume.get());
    }
    else if (info.isAvailable)
    {
        NSFileLib::SVolumeDetails details{};
        NSFileLibSupport::ThrowIfFileLibError(lib->GetVolumeDetails(volume.get(), &details));
        fVolumeName = details.label;
    }
    fVolumeNameValid = 1;
    return fVolumeName;
}

NSFileLibSupport::TVolumeSpecPtr CShellFile::GetVolumeSpec()
{
    if (GetShellKind() != NSFerrant::kShellItemVolumeRoot)
    {
        if (auto* volume = dynamic_cast<CShellFile*>(fVolumeItem.Get()))
            return volume->GetVolumeSpec();
    }
    // An item on no volume: the shell item's std::domain_error.
    return fShellItem->GetVolumeSpec();
}

void CShellFile::BeginUpdate()
{
    ++fUpdateNesting;
}

void CShellFile::EndUpdate()
{
    if (fUpdateNesting == 0)
        return;
    if (--fUpdateNesting == 0)
    {
        fRecheck = 1;
        fModificationTime = 0;
    }
}

void CShellFile::InvalidateCaches()
{
    if (fChildren)
    {
        fChangeStamp = 0;
        fChildren->Clear();
    }
    // The next listing starts with a new stamp, which opens a new notification.
    fChangeNotification.Close();
    fListing.reset();
    fRecheck = 1;
    fModificationTime = 0;
    fVolumeNameValid = 0;
    fNameValid = 0;
    fVolumeType = 0;
}

void CShellFile::StopWatching()
{
    fChangeNotification.Close();
}

u64 CShellFile::GetFolderChangeStamp()
{
    const u64 now = Now();
    if (!fChangeNotification.IsOpen())
    {
        NSFileLibSupport::TDirSpecPtr folder;
        if (IsFileSystemFolder() && fShellItem->IsValid())
        {
            try
            {
                folder = NSFileLibSupport::CloneDirSpec(fShellItem->GetDirSpec().get());
            }
            catch (const std::exception&)
            {
            }
        }
        // A folder the platform will not watch is judged by the clock alone; otherwise its
        // listing would never be read again.
        if (!folder || !fChangeNotification.Open(NSTextPackage::AsWide(NSFileLibSupport::GetDirWinPath(folder.get()))))
            return now / kUnwatchedStampPeriod * kUnwatchedStampPeriod;
    }
    else if (fChangeNotification.PollSignalled())
    {
        return now;
    }
    return fChangeStamp != 0 ? fChangeStamp : now;
}

void CShellFile::CheckForChanges()
{
    if (fChangeStamp == 0)
    {
        fChangeStamp = GetFolderChangeStamp();
        RestartListing();
        return;
    }
    if (!fListing)
    {
        RestartListing();
        return;
    }
    if (!fRecheck)
        return;
    const u64 stamp = GetFolderChangeStamp();
    if (stamp == fChangeStamp)
    {
        // Inside a batch the folder is polled once and then stays as it stood.
        fRecheck = fUpdateNesting == 0;
        return;
    }
    fChangeStamp = stamp;
    RestartListing();
}

void CShellFile::RestartListing()
{
    fRecheck = fUpdateNesting == 0;
    fChildren->Clear();
    fListing.reset();
    fListing = GetShellFileCalls().openListing(*fShellItem);
}

void CShellFile::ReadListingUntil(const TUTF16String& wantedName)
{
    while (!fListing->IsDone())
    {
        auto child = std::make_shared<NSFerrant::CShellItem>();
        fListing->GetCurrent(*child);
        const TUTF16String name = DisplayNameOf(*child);
        fListing->Next();
        fChildren->Add(name, child);
        if (!wantedName.empty() && NamesEqual(wantedName, name))
            return;
    }
}

CItemPtr CShellFile::MakeChildItem(const SShellChildEntry& entry)
{
    try
    {
        return GetItemDatabase().GetItem(entry.fShellItem, entry.fName, CItemPtr(this));
    }
    catch (const NSQuorral::XFormatViolation&)
    {
        // A damaged package, loop file or bank is left out of the listing.
        return {};
    }
}

bool CShellFile::IsVolumePresent()
{
    const CItemPtr volume = GetVolumeItem();
    if (volume.IsEmpty())
        return true;
    if (!IsOneOf(volume->GetVolumeType(),
                 {NSFileLib::kVolumeKindFloppy, NSFileLib::kVolumeKindRemovable, NSFileLib::kVolumeKindCDROM}))
        return true;
    auto* volumeFile = dynamic_cast<CShellFile*>(volume.Get());
    if (!volumeFile)
        return true;
    try
    {
        NSFileLib::IFileLib* lib = NSFileLibSupport::GetFileLib();
        const NSFileLibSupport::TVolumeSpecPtr spec = volumeFile->fShellItem->GetVolumeSpec();
        NSFileLib::SVolumeInfo info{};
        NSFileLibSupport::ThrowIfFileLibError(lib->GetVolumeInfo(spec.get(), &info));
        const TUTF16String storedName = volume->GetVolumeName();
        if (info.kind == NSFileLib::kVolumeKindFloppy)
            return true;
        if (!info.isAvailable)
            return false;
        NSFileLib::SVolumeDetails details{};
        NSFileLibSupport::ThrowIfFileLibError(lib->GetVolumeDetails(spec.get(), &details));
        return NamesEqual(TUTF16String(details.label), storedName);
    }
    catch (const NSQuorral::XNotFound&)
    {
        return false;
    }
}
} // namespace NSVirtualFS
