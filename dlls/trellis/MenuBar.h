#pragma once
// The application's menu bar: the program's menu, the library's edit menu and a help menu with
// the about item. Every document window shows it; a window sets the items' states when its menus
// are about to open.
#include "dlls/trellis/Trellis.h"

#include <map>
#include <string>
#include <vector>

namespace NSTrellisLibrary
{
class CMenuBar final : public NSTrellis::IMenuBar
{
public:
    // The about item's title; empty for no help menu.
    explicit CMenuBar(std::wstring aboutItem);

    u32 GetProperties(NSTrellis::TMenuBarProperties* properties) override;
    u32 SetProperties(const NSTrellis::TMenuBarProperties* properties) override;
    u32 CountItems(u32 menu, u32* count) override;
    u32 GetItems(u32 menu, NSTrellis::TMenuItemData* items, u64 size) override;
    u32 SetItems(u32 menu, const NSTrellis::TMenuItemData* items, u64 size) override;
    u32 SetTitle(u32 menu, const u16* title) override;

    // A new Windows menu of the bar as it is now; the caller owns it.
    HMENU Build() const;
    // Enables, disables, checks and unchecks the items of a built menu by command.
    void ApplyStates(HMENU menu) const;

private:
    struct TMenu
    {
        std::wstring fTitle;
        std::vector<NSTrellis::TMenuItemData> fItems;
    };

    const TMenu& MenuOf(u32 menu) const;
    // Throws std::invalid_argument for a menu the bar does not have.
    TMenu& EditableMenu(u32 menu);

    NSTrellis::TMenuBarProperties fProperties{};
    std::map<u32, TMenu> fMenus;
    std::wstring fAboutItem;
};
} // namespace NSTrellisLibrary
