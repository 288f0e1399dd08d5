#pragma once
// A menu bar of the GUI library holding one menu, for the tests of the code that updates menus.
#include "base/LibraryStatusTables.h"
#include "dlls/trellis/Trellis.h"
#include "gui/EditMenu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

class CMenuBar final : public NSTrellis::IMenuBar
{
public:
    // An Edit menu holding the given commands, each flagged 0x5 at the start.
    explicit CMenuBar(std::vector<u32> commands) : fMenu(NSSprocketUtils::kEditMenu)
    {
        for (u32 command : commands)
        {
            NSTrellis::TMenuItemData item{};
            item.fCommand = command;
            item.fFlags = 0x5;
            fItems.push_back(item);
        }
    }
    // The menu holding the items as given.
    CMenuBar(u32 menu, std::vector<NSTrellis::TMenuItemData> items) : fMenu(menu), fItems(std::move(items)) {}

    u32 GetProperties(NSTrellis::TMenuBarProperties* properties) override
    {
        *properties = fProperties;
        return kTrellisOK;
    }
    u32 SetProperties(const NSTrellis::TMenuBarProperties* properties) override
    {
        fProperties = *properties;
        return kTrellisOK;
    }
    u32 CountItems(u32 menu, u32* count) override
    {
        *count = menu == fMenu ? u32(fItems.size()) : 0;
        return kTrellisOK;
    }
    u32 GetItems(u32 menu, NSTrellis::TMenuItemData* items, u64 size) override
    {
        EXPECT_EQ(menu, fMenu);
        EXPECT_EQ(size, fItems.size() * sizeof(NSTrellis::TMenuItemData));
        std::copy(fItems.begin(), fItems.end(), items);
        return kTrellisOK;
    }
    u32 SetItems(u32 menu, const NSTrellis::TMenuItemData* items, u64 size) override
    {
        EXPECT_EQ(menu, fMenu);
        fItems.assign(items, items + size / sizeof(NSTrellis::TMenuItemData));
        return kTrellisOK;
    }
    u32 SetTitle(u32, const u16*) override { return kTrellisLogicError; }

    u32 FlagsOf(size_t index) const { return fItems[index].fFlags; }

    u32 fMenu;
    std::vector<NSTrellis::TMenuItemData> fItems;
    NSTrellis::TMenuBarProperties fProperties{1, 1, 1, 1};
};
