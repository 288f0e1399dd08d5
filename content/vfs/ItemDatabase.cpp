#include "content/vfs/ItemDatabase.h"

#include "base/FileLibStatus.h"
#include "base/TextCompare.h"
#include "base/Throw.h"
#include "content/references/ContentRootNames.h"
#include "content/vfs/DatabaseInterface.h"
#include "content/vfs/ItemClassFactory.h"
#include "content/vfs/ItemFileTypes.h"
#include "content/vfs/ShellFile.h"
#include "filelib/FileLibAccess.h"
#include "filelib/ShellIDLists.h"
#include "filelib/ShellItem.h"
#include "filelib/ShortcutTargets.h"

#include <algorithm>
#include <stdexcept>

using NSTextPackage::TUTF16String;
using NSVirtualFS::CShellFile;

CItemDatabase* gItemDatabase = nullptr;

const char16_t kFactoryBankFileName[] = u"Stock Sound Bank.vtl";

namespace
{
TUTF16String Text(const char16_t* text)
{
    return TUTF16String(text, text + std::char_traits<char16_t>::length(text));
}

bool NamesEqual(const TUTF16String& a, const TUTF16String& b)
{
    return NSTextPackage::CompareText(a, b, NSTextPackage::kCompareIgnoreCase) ==
           NSTextPackage::kCompareEqual;
}

TUTF16String DisplayNameOf(NSFerrant::CShellItem& shellItem)
{
    TUTF16String name;
    shellItem.GetDisplayName(name);
    return name;
}

bool IsDesktop(const NSFerrant::CShellItem& shellItem)
{
    return NSFerrant::CountItemIDs(shellItem.GetIDList()) == 0;
}

// The factory bank is opened as the package of kind 1, every other package as kind 0.
u32 PackageKindOf(const TUTF16String& fileName)
{
    return NamesEqual(fileName, Text(kFactoryBankFileName)) ? 1 : 0;
}

bool HasExtensionOf(NSFerrant::CShellItem& shellItem, const NSFileLibSupport::SFileTypeDescriptor& type)
{
    return shellItem.HasExtensionIn(type.extensions);
}

bool IsLoopFile(NSFerrant::CShellItem& shellItem)
{
    const auto& types = NSVirtualFS::GetLoopFileTypes();
    return std::any_of(types.begin(), types.end(),
                       [&shellItem](const auto& type) { return HasExtensionOf(shellItem, type); });
}

// Asked as the folder's "." child: the platform lists no entry for a volume root, so the folder
// information, read from the parent's listing, is not found for one.
bool DoesFolderExist(NSFileLib::IDirSpec* folder)
{
    const u16 itself[] = {u'.', 0};
    u32 exists = 0;
    return NSFileLibSupport::GetFileLib()->DoesChildDirectoryExist(folder, itself, &exists) ==
               NSFileLib::kFileLibOK &&
           exists != 0;
}
} // namespace

// The names the path texts start from, installed for the database's lifetime.
class CItemDatabase::CRootNames final : public IContentRootNames
{
public:
    explicit CRootNames(CItemDatabase& database) : fDatabase(database), fInstalled(*this) {}

    TUTF16String GetDatabaseRootName() const override { return fDatabase.GetDatabaseRoot()->GetName(); }
    TUTF16String GetDesktopName() const override { return fDatabase.GetShellRootItem()->GetName(); }

private:
    CItemDatabase& fDatabase;
    CInstalledContentRootNames fInstalled;
};

CItemDatabase::CItemDatabase() : fRegistry(std::make_unique<CItemRegistry>())
{
    u32 status = NSFileLib::kFileLibNotSet;
    NSFileLib::IDirSpec* desktop = NSFileLibSupport::GetFileLib()->GetDesktopDirectory(&status);
    fDesktopDir.reset(desktop);
    NSFileLibSupport::ThrowIfFileLibError(status);
    fDesktopShellItem = std::make_shared<NSFerrant::CShellItem>();
    fDesktopShellItem2 = std::make_shared<NSFerrant::CShellItem>();
    fDesktopShellItem2->GetDisplayName(fDesktopName);
    fRoot = CItemPtr(new CDatabaseInterface(*this));
    fRootNames = std::make_unique<CRootNames>(*this);
}

CItemDatabase::~CItemDatabase()
{
    fRootNames.reset();
    fRegistry.reset();
    fMountedVantles.clear();
    fFactoryBank.Reset();
    fRoot.Reset();
}

CItemPtr CItemDatabase::GetItem(const TShellItemPtr& shellItem, const TUTF16String& name,
                                const CItemPtr& parent)
{
    CItemPtr registered = fRegistry->Find(shellItem);
    if (!registered.IsEmpty())
        return registered;
    for (const CItemPtr& package : fMountedVantles)
    {
        const auto* file = dynamic_cast<const CShellFile*>(package.Get());
        if (file && *file->GetShellItem() == *shellItem)
            return package;
    }
    if (!shellItem->IsValid())
        return {};
    if (!parent.IsEmpty())
        return MakeItem(shellItem, parent, name);
    if (IsDesktop(*shellItem))
        return MakeItem(fDesktopShellItem, {}, name);
    auto parentShellItem = std::make_shared<NSFerrant::CShellItem>();
    shellItem->GetParent(*parentShellItem);
    const CItemPtr parentItem = GetItem(parentShellItem, DisplayNameOf(*parentShellItem), {});
    if (parentItem.IsEmpty())
        NSQuorral::Throw<NSQuorral::XNotFound>();
    return MakeItem(shellItem, parentItem, name);
}

CItemPtr CItemDatabase::MakeItem(const TShellItemPtr& shellItem, const CItemPtr& parent,
                                 const TUTF16String& name)
{
    const CItemPtr parentFile = dynamic_cast<CShellFile*>(parent.Get()) ? parent : CItemPtr();
    NSVirtualFS::IItemClassFactory& factory = NSVirtualFS::GetItemClassFactory();
    CItemPtr item;
    try
    {
        if (shellItem->GetKind() == NSFerrant::kShellItemFile &&
            HasExtensionOf(*shellItem, NSVirtualFS::GetVantleFileType()))
        {
            item = factory.MakeVantleFile(shellItem, name, parentFile, PackageKindOf(name));
            // A package of a name already mounted stays a plain file while that one is there.
            for (std::size_t index = 0; !item.IsEmpty() && index < fMountedVantles.size();)
            {
                const CItemPtr mounted = fMountedVantles[index];
                if (!NamesEqual(mounted->GetDisplayName(), item->GetDisplayName()))
                    ++index;
                else if (mounted->IsAvailable())
                    item.Reset();
                else
                    UnmountVantle(THashedString(mounted->GetDisplayName()));
            }
            if (!item.IsEmpty())
                AddMountedVantle(item);
        }
        else if (HasExtensionOf(*shellItem, NSVirtualFS::GetSoundFontBankFileType()))
        {
            item = factory.MakeSoundFontFile(shellItem, name, parentFile);
        }
        else if (IsLoopFile(*shellItem))
        {
            item = factory.MakeLoopFile(shellItem, name, parentFile);
        }
        if (item.IsEmpty())
            item = CItemPtr(new CShellFile(shellItem, name, parentFile));
    }
    catch (const std::domain_error&)
    {
        return {};
    }
    if (fBatchNesting > 0)
        fRegistry->Register(shellItem, item);
    return item;
}

void CItemDatabase::SetHostFolder(const NSFileLibSupport::TDirSpecPtr& hostFolder)
{
    const auto folderShellItem = std::make_shared<NSFerrant::CShellItem>(hostFolder);
    const NSFileLibSupport::TFileSpecPtr bank =
        NSFileLibSupport::FindChildShortcutTarget(hostFolder.get(), Text(kFactoryBankFileName));
    if (!bank)
        NSQuorral::Throw<NSQuorral::XNotFound>();
    const auto bankShellItem = std::make_shared<NSFerrant::CShellItem>(bank);
    fFactoryBank = MountVantle(bankShellItem, folderShellItem);
}

CItemPtr CItemDatabase::MountVantle(const TShellItemPtr& package, const TShellItemPtr& folder)
{
    CItemPtr folderItem = GetItem(folder, DisplayNameOf(*folder), {});
    if (!dynamic_cast<CShellFile*>(folderItem.Get()))
        folderItem.Reset();
    const TUTF16String packageName = DisplayNameOf(*package);
    NSVirtualFS::IItemClassFactory& factory = NSVirtualFS::GetItemClassFactory();
    const CItemPtr item =
        factory.MakeVantleFile(package, packageName, folderItem, PackageKindOf(packageName));
    if (item.IsEmpty() || !factory.OpenVantleFile(item))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    AddMountedVantle(item);
    if (fBatchNesting > 0)
        fRegistry->Register(package, item);
    return item;
}

void CItemDatabase::UnmountVantle(const THashedString& name)
{
    for (auto package = fMountedVantles.begin(); package != fMountedVantles.end(); ++package)
    {
        if (THashedString((*package)->GetDisplayName()) == name)
        {
            const CItemPtr unmounted = *package;
            fRegistry->Unregister(unmounted);
            fMountedVantles.erase(package);
            return;
        }
    }
}

void CItemDatabase::AddMountedVantle(const CItemPtr& package)
{
    fMountedVantles.push_back(package);
}

void CItemDatabase::RebuildCache()
{
    try
    {
        CItemCache& cache = fRegistry->Cache();
        cache.Clear();
        std::list<CItemPtr> dropped;
        dropped.swap(fRegistry->Items());
        for (auto item = dropped.rbegin(); item != dropped.rend(); ++item)
        {
            // Their registration began an update inside a batch; it ends with the registration.
            if (fRegistry->IsInBatch())
                (*item)->EndUpdate();
            (*item)->InvalidateCaches();
        }
        for (const CItemPtr& package : fMountedVantles)
        {
            auto* file = dynamic_cast<CShellFile*>(package.Get());
            if (!file)
                continue;
            fRegistry->Items().push_back(package);
            if (fRegistry->IsInBatch())
                package->BeginUpdate();
            cache.InsertItem(file);
        }
    }
    catch (...)
    {
        // A rebuild that stops halfway leaves a smaller cache, which only costs lookups.
    }
}

void CItemDatabase::BeginBatch()
{
    if (fBatchNesting == 0)
    {
        fRegistry->SetInBatch(true);
        for (const CItemPtr& item : fRegistry->Items())
        {
            const CItemPtr held = item;
            held->BeginUpdate();
        }
    }
    ++fBatchNesting;
}

void CItemDatabase::EndBatch()
{
    if (fBatchNesting == 0)
        return;
    if (--fBatchNesting > 0)
        return;
    fRegistry->SetInBatch(false);
    for (const CItemPtr& item : fRegistry->Items())
    {
        const CItemPtr held = item;
        held->EndUpdate();
    }
}

CItemPtr CItemDatabase::GetDesktopItem()
{
    return GetItem(fDesktopShellItem2, fDesktopName, {});
}

CItemPtr CItemDatabase::GetShellRootItem()
{
    return GetItem(fDesktopShellItem, DisplayNameOf(*fDesktopShellItem), {});
}

CItemDatabaseBatch::CItemDatabaseBatch()
{
    GetItemDatabase().BeginBatch();
}

CItemDatabaseBatch::~CItemDatabaseBatch()
{
    GetItemDatabase().EndBatch();
}

CItemDatabase& GetItemDatabase()
{
    if (!gItemDatabase)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    return *gItemDatabase;
}

CItemPtr GetItemForFile(const NSFileLibSupport::TFileSpecPtr& file)
{
    const auto shellItem = std::make_shared<NSFerrant::CShellItem>(file);
    return GetItemDatabase().GetItem(shellItem, DisplayNameOf(*shellItem), {});
}

CItemPtr GetItemForFolder(const NSFileLibSupport::TDirSpecPtr& folder)
{
    // A specification only reads its path text, so a deleted folder still answers its name.
    if (!NSFileLibSupport::IsSpecUsable(folder.get()) || !DoesFolderExist(folder.get()))
        NSQuorral::Throw<NSQuorral::XNotFound>();
    const auto shellItem = std::make_shared<NSFerrant::CShellItem>(folder);
    return GetItemDatabase().GetItem(shellItem, DisplayNameOf(*shellItem), {});
}
