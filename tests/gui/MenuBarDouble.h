#pragma once
// A menu bar of the GUI library holding only an Edit menu, for the edit-command tests.
#include "base/LibraryStatusTables.h"
#include "dlls/trellis/Trellis.h"
#include "gui/EditMenu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// A menu bar whose Edit menu holds the given commands, each flagged 0x5 at the start.
class CMenuBar final : public NSTrellis::IMenuBar
{
public:
    explicit CMenuBar(std::vector<u32> commands)
    {
        for (u32 command : commands)
        {
            NSTrellis::TMenuItemData item{};
            item.fCommand = command;
            item.fFlags = 0x5;
            fItems.push_back(item);
        }
    }
    u32 GetProperties(NSTrellis::TMenuBarProperties*) override { return 12004; }
    u32 SetProperties(const NSTrellis::TMenuBarProperties*) override { return 12004; }
    u32 CountItems(u32 menu, u32* count) override
    {
        *count = menu == NSSprocketUtils::kEditMenu ? u32(fItems.size()) : 0;
        return kTrellisOK;
    }
    u32 GetItems(u32 menu, NSTrellis::TMenuItemData* items, u64 size) override
    {
        EXPECT_EQ(menu, NSSprocketUtils::kEditMenu);
        EXPECT_EQ(size, fItems.size() * sizeof(NSTrellis::TMenuItemData));
        std::copy(fItems.begin(), fItems.end(), items);
        return kTrellisOK;
    }
    u32 SetItems(u32 menu, const NSTrellis::TMenuItemData* items, u64 size) override
    {
        EXPECT_EQ(menu, NSSprocketUtils::kEditMenu);
        fItems.assign(items, items + size / sizeof(NSTrellis::TMenuItemData));
        return kTrellisOK;
    }
    u32 SetTitle(u32, const u16*) override { return 12004; }

    u32 FlagsOf(size_t index) const { return fItems[index].fFlags; }

    std::vector<NSTrellis::TMenuItemData> fItems;
};
