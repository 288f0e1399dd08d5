// The icon cache, and the shell item's icon and type name.
#include "filelib/ShellIcons.h"

#include "base/LibraryStatusTables.h"
#include "base/TextCompare.h"
#include "filelib/FileTypeNames.h"
#include "filelib/ShellErrors.h"
#include "filelib/ShellItem.h"
#include "filelib/Win32Calls.h"
#include "filelib/WinHandles.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"

#include <map>

using NSTextPackage::TUTF16String;

namespace NSFerrant
{
namespace
{
struct TShellIconKeyOrder
{
    bool operator()(const SShellIconKey& a, const SShellIconKey& b) const { return ShellIconKeyLess(a, b); }
};

using TShellIconCache = std::map<SShellIconKey, std::shared_ptr<NSTrellis::IIcon>, TShellIconKeyOrder>;

TShellIconCache& ShellIconCache()
{
    static TShellIconCache cache;
    return cache;
}

// The shell's answer about the item's id list; a failed call is a plain std::exception.
SHFILEINFOW AskShell(LPCITEMIDLIST list, UINT flags)
{
    SHFILEINFOW info = {};
    if (!Win32Calls().SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &info, sizeof(info), flags | SHGFI_PIDL))
        ThrowShellFailure(std::exception(), NSQuorral::TFixedName());
    return info;
}
} // namespace

bool ShellIconKeyLess(const SShellIconKey& a, const SShellIconKey& b)
{
    switch (NSTextPackage::CompareText(a.iconFile, b.iconFile, NSTextPackage::kCompareRespectCase))
    {
    case NSTextPackage::kCompareLess:
        return true;
    case NSTextPackage::kCompareEqual:
        if (a.iconIndex != b.iconIndex)
            return a.iconIndex < b.iconIndex;
        return a.attributes < b.attributes;
    default:
        return false;
    }
}

std::shared_ptr<NSTrellis::IIcon> FindCachedShellIcon(const SShellIconKey& key)
{
    const TShellIconCache& cache = ShellIconCache();
    const auto found = cache.find(key);
    return found == cache.end() ? nullptr : found->second;
}

void StoreCachedShellIcon(const SShellIconKey& key, const std::shared_ptr<NSTrellis::IIcon>& icon)
{
    ShellIconCache()[key] = icon;
}

void CShellItem::GetIcon(std::shared_ptr<NSTrellis::IIcon>& icon)
{
    // Each volume root gets an icon of its own: a drive's icon shows its medium.
    const bool useCache = fKind != kShellItemVolumeRoot;
    SShellIconKey key;
    if (useCache)
    {
        const SHFILEINFOW location = AskShell(fIDList, SHGFI_ICONLOCATION | SHGFI_ATTRIBUTES);
        key = {NSTextPackage::FromWide(location.szDisplayName), location.iIcon, location.dwAttributes};
        if (std::shared_ptr<NSTrellis::IIcon> cached = FindCachedShellIcon(key))
        {
            icon = cached;
            return;
        }
    }
    CWinIconHandle smallIcon(AskShell(fIDList, SHGFI_ICON | SHGFI_SMALLICON).hIcon);
    CWinIconHandle largeIcon(AskShell(fIDList, SHGFI_ICON).hIcon);

    IPlatformServices* services = nullptr;
    const u32 servicesStatus = GetTrellisInterface()->GetPlatformServices(&services);
    if (servicesStatus != kTrellisOK)
        ThrowTrellisFailure(servicesStatus);
    // The library takes both handles whatever it answers: into the icon, or destroyed.
    u32 status = kTrellisOK;
    NSTrellis::IIcon* made =
        services->CreateIconFromHandles(smallIcon.Release(), 0, largeIcon.Release(), 0, 0, 0, 0, &status);
    std::shared_ptr<NSTrellis::IIcon> owned = NSTrellisUtils::MakeIconPtr(made);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    if (useCache)
        StoreCachedShellIcon(key, owned);
    icon = owned;
}

const TUTF16String& CShellItem::GetTypeName()
{
    if (fTypeNameValid)
        return fTypeName;
    try
    {
        switch (fKind)
        {
        case kShellItemDesktop:
        case kShellItemVirtualFolder:
        case kShellItemVirtualItem:
            fTypeName = NSTextPackage::FromWide(AskShell(fIDList, SHGFI_TYPENAME).szTypeName);
            break;
        case kShellItemVolumeRoot:
            fTypeName = NSFileLibSupport::GetVolumeTypeName(GetVolumeSpec().get());
            break;
        case kShellItemFolder:
            fTypeName = NSFileLibSupport::GetDirTypeName(GetDirSpec().get());
            break;
        case kShellItemFile:
            fTypeName = NSFileLibSupport::GetFileTypeName(GetFileSpec().get());
            break;
        default:
            fTypeName.clear();
            break;
        }
    }
    catch (...)
    {
        fTypeName.clear();
        if (fKind == kShellItemVirtualItem)
        {
            // Such an item may still have a path whose extension tells what it is.
            try
            {
                TUTF16String path;
                GetPath(path);
                const auto dot = path.rfind(u'.');
                const auto backslash = path.rfind(u'\\');
                if (dot != TUTF16String::npos && (backslash == TUTF16String::npos || dot > backslash))
                    fTypeName = path.substr(dot);
            }
            catch (...)
            {
                fTypeName.clear();
            }
        }
    }
    fTypeNameValid = 1;
    return fTypeName;
}
} // namespace NSFerrant
