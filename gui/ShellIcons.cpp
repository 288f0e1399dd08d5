// The icon cache and the shell item's icon.
#include "gui/ShellIcons.h"

#include "base/LibraryStatusTables.h"
#include "base/TextCompare.h"
#include "filelib/ShellItem.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"

#include <map>

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

void GetShellItemIcon(const CShellItem& item, std::shared_ptr<NSTrellis::IIcon>& icon)
{
    // Each volume root gets an icon of its own: a drive's icon shows its medium.
    const bool useCache = item.GetKind() != kShellItemVolumeRoot;
    SShellIconKey key;
    if (useCache)
    {
        const SHFILEINFOW location = GetShellFileInfo(item.GetIDList(), SHGFI_ICONLOCATION | SHGFI_ATTRIBUTES);
        key = {NSTextPackage::FromWide(location.szDisplayName), location.iIcon, location.dwAttributes};
        if (std::shared_ptr<NSTrellis::IIcon> cached = FindCachedShellIcon(key))
        {
            icon = cached;
            return;
        }
    }
    CWinIconHandle smallIcon(GetShellFileInfo(item.GetIDList(), SHGFI_ICON | SHGFI_SMALLICON).hIcon);
    CWinIconHandle largeIcon(GetShellFileInfo(item.GetIDList(), SHGFI_ICON).hIcon);

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

} // namespace NSFerrant
