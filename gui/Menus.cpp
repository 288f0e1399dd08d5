#include "gui/Menus.h"

#include "gui/MenuScript.h"

#include <map>

namespace NSMenuScript
{
namespace
{
struct TCachedMenu
{
    std::vector<NSTrellis::TMenuItemData> fItems;
    NSTextPackage::TUTF16String fTitle;
};

// GUI thread only.
std::map<NSFerrant::TResourceID, TCachedMenu>& Cache()
{
    static std::map<NSFerrant::TResourceID, TCachedMenu> cache;
    return cache;
}
} // namespace

bool FindCachedMenu(const NSFerrant::TResourceID& id, std::vector<NSTrellis::TMenuItemData>& items,
                    NSTextPackage::TUTF16String& title)
{
    const auto found = Cache().find(id);
    if (found == Cache().end())
        return false;
    items = found->second.fItems;
    title = found->second.fTitle;
    return true;
}

bool StoreCachedMenu(const NSFerrant::TResourceID& id, std::vector<NSTrellis::TMenuItemData> items,
                     NSTextPackage::TUTF16String title)
{
    return Cache().try_emplace(id, TCachedMenu{std::move(items), std::move(title)}).second;
}

void ClearMenuCache()
{
    Cache().clear();
}
} // namespace NSMenuScript

namespace NSTrellisUtils
{
namespace
{
constexpr u16 kProgramMenu = 2;
} // namespace

void LoadMenu(std::vector<NSTrellis::TMenuItemData>& items, NSTextPackage::TUTF16String& title)
{
    const NSFerrant::TResourceID menu = NSFerrant::MakeMenuID(kProgramMenu);
    if (NSMenuScript::FindCachedMenu(menu, items, title))
        return;
    NSTextPackage::TUTF16String text;
    {
        NSFerrant::COpenResourceFile resources;
        NSMenuScript::ReadResource(text, resources, menu);
    }
    NSMenuScript::BuildMenu(items, text, kProgramMenu, title, menu);
}
} // namespace NSTrellisUtils
