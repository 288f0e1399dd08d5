#include "dlls/trellis/MenuBar.h"

#include "dlls/trellis/LibraryFence.h"

#include <cstring>

namespace NSTrellisLibrary
{
namespace
{
NSTrellis::TMenuItemData MakeItem(const wchar_t* title, u32 command)
{
    NSTrellis::TMenuItemData item{};
    item.fParent = NSTrellis::kMenuTopLevel;
    std::wcsncpy(reinterpret_cast<wchar_t*>(item.fTitle), title, 255);
    item.fCommand = command;
    return item;
}

std::wstring TitleOf(const NSTrellis::TMenuItemData& item)
{
    const auto* title = reinterpret_cast<const wchar_t*>(item.fTitle);
    return std::wstring(title, wcsnlen(title, 255));
}

// Appends the items whose parent is parentIndex, each followed by its submenu.
void AppendItems(HMENU menu, const std::vector<NSTrellis::TMenuItemData>& items, u32 parentIndex)
{
    for (u32 i = 0; i < items.size(); ++i)
    {
        const NSTrellis::TMenuItemData& item = items[i];
        if (item.fParent != parentIndex)
            continue;
        const std::wstring title = TitleOf(item);
        const bool hasSubmenu = i + 1 < items.size() && items[i + 1].fParent == i;
        if (hasSubmenu)
        {
            HMENU submenu = CreatePopupMenu();
            AppendItems(submenu, items, i);
            AppendMenuW(menu, MF_POPUP | MF_STRING, UINT_PTR(submenu), title.c_str());
        }
        else if (title.empty())
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING, item.fCommand, title.c_str());
    }
}
} // namespace

CMenuBar::CMenuBar(std::wstring aboutItem) : fAboutItem(std::move(aboutItem))
{
    TMenu edit{L"&Edit",
               {MakeItem(L"Cu&t\tCtrl+X", NSTrellis::kEditCommandCut),
                MakeItem(L"&Copy\tCtrl+C", NSTrellis::kEditCommandCopy),
                MakeItem(L"&Paste\tCtrl+V", NSTrellis::kEditCommandPaste),
                MakeItem(L"De&lete\tDel", NSTrellis::kEditCommandClear),
                MakeItem(L"Select &All\tCtrl+A", NSTrellis::kEditCommandSelectAll)}};
    fMenus[NSTrellis::kEditMenu] = std::move(edit);
    fMenus[NSTrellis::kProgramMenu] = TMenu{};
}

const CMenuBar::TMenu& CMenuBar::MenuOf(u32 menu) const
{
    const auto found = fMenus.find(menu);
    if (found == fMenus.end())
        ThrowInvalidArgument();
    return found->second;
}

CMenuBar::TMenu& CMenuBar::EditableMenu(u32 menu)
{
    return const_cast<TMenu&>(MenuOf(menu));
}

u32 CMenuBar::GetProperties(NSTrellis::TMenuBarProperties* properties)
{
    return AnswerStatus(
        [&]
        {
            if (!properties)
                ThrowInvalidArgument();
            *properties = fProperties;
            return kTrellisOK;
        });
}

u32 CMenuBar::SetProperties(const NSTrellis::TMenuBarProperties* properties)
{
    return AnswerStatus(
        [&]
        {
            if (!properties)
                ThrowInvalidArgument();
            fProperties = *properties;
            return kTrellisOK;
        });
}

u32 CMenuBar::CountItems(u32 menu, u32* count)
{
    return AnswerStatus(
        [&]
        {
            if (!count)
                ThrowInvalidArgument();
            *count = u32(MenuOf(menu).fItems.size());
            return kTrellisOK;
        });
}

u32 CMenuBar::GetItems(u32 menu, NSTrellis::TMenuItemData* items, u64 size)
{
    return AnswerStatus(
        [&]
        {
            const TMenu& source = MenuOf(menu);
            if (!items || size != source.fItems.size() * sizeof(NSTrellis::TMenuItemData))
                ThrowInvalidArgument();
            std::memcpy(items, source.fItems.data(), std::size_t(size));
            return kTrellisOK;
        });
}

u32 CMenuBar::SetItems(u32 menu, const NSTrellis::TMenuItemData* items, u64 size)
{
    return AnswerStatus(
        [&]
        {
            TMenu& target = EditableMenu(menu);
            if ((size && !items) || size % sizeof(NSTrellis::TMenuItemData) != 0)
                ThrowInvalidArgument();
            const u64 count = size / sizeof(NSTrellis::TMenuItemData);
            // A parent index must name an earlier item: a submenu follows the item that holds it.
            for (u64 i = 0; i < count; ++i)
            {
                if (items[i].fParent != NSTrellis::kMenuTopLevel && items[i].fParent >= i)
                    ThrowInvalidArgument();
            }
            target.fItems.assign(items, items + count);
            return kTrellisOK;
        });
}

u32 CMenuBar::SetTitle(u32 menu, const u16* title)
{
    return AnswerStatus(
        [&]
        {
            TMenu& target = EditableMenu(menu);
            if (!title)
                ThrowInvalidArgument();
            target.fTitle = reinterpret_cast<const wchar_t*>(title);
            return kTrellisOK;
        });
}

HMENU CMenuBar::Build() const
{
    HMENU bar = CreateMenu();
    for (const u32 number : {NSTrellis::kProgramMenu, NSTrellis::kEditMenu})
    {
        const TMenu& menu = MenuOf(number);
        HMENU popup = CreatePopupMenu();
        AppendItems(popup, menu.fItems, NSTrellis::kMenuTopLevel);
        AppendMenuW(bar, MF_POPUP | MF_STRING, UINT_PTR(popup), menu.fTitle.c_str());
    }
    if (!fAboutItem.empty())
    {
        HMENU help = CreatePopupMenu();
        AppendMenuW(help, MF_STRING, NSTrellis::kAboutCommand, fAboutItem.c_str());
        AppendMenuW(bar, MF_POPUP | MF_STRING, UINT_PTR(help), L"&Help");
    }
    ApplyStates(bar);
    return bar;
}

void CMenuBar::ApplyStates(HMENU menu) const
{
    for (const auto& [number, entry] : fMenus)
    {
        for (u32 i = 0; i < entry.fItems.size(); ++i)
        {
            const NSTrellis::TMenuItemData& item = entry.fItems[i];
            const bool hasSubmenu = i + 1 < entry.fItems.size() && entry.fItems[i + 1].fParent == i;
            if (hasSubmenu || item.fCommand == 0)
                continue;
            EnableMenuItem(menu, item.fCommand,
                           MF_BYCOMMAND |
                               ((item.fFlags & NSTrellis::kMenuItemEnabled) ? MF_ENABLED : MF_GRAYED));
            CheckMenuItem(menu, item.fCommand,
                          MF_BYCOMMAND |
                              ((item.fFlags & NSTrellis::kMenuItemChecked) ? MF_CHECKED : MF_UNCHECKED));
        }
    }
}
} // namespace NSTrellisLibrary
