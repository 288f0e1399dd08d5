#include "gui/EditMenu.h"

#include "base/LibraryStatusTables.h"

#include <algorithm>

namespace NSSprocketUtils
{
namespace
{
void ThrowIfFailure(u32 status)
{
    if (status != kTrellisOK)
        ThrowSprocketFailure(status);
}
} // namespace

TEditMenuState ComputeEditMenuState(u32 selectionStart, u32 selectionEnd, u32 textLength, bool canPaste)
{
    return {selectionStart != selectionEnd, canPaste,
            textLength != 0 && !(selectionStart == 0 && selectionEnd == textLength)};
}

std::vector<NSTrellis::TMenuItemData> GetMenuItems(NSTrellis::IMenuBar* menuBar, u32 menu)
{
    u32 count = 0;
    ThrowIfFailure(menuBar->CountItems(menu, &count));
    std::vector<NSTrellis::TMenuItemData> items(count);
    if (count != 0)
        ThrowIfFailure(menuBar->GetItems(menu, items.data(), u64(count) * sizeof(NSTrellis::TMenuItemData)));
    return items;
}

void ApplyEditMenuState(NSTrellis::IMenuBar* menuBar, const TEditMenuState& state)
{
    std::vector<NSTrellis::TMenuItemData> items = GetMenuItems(menuBar, kEditMenu);
    const std::pair<u32, bool> kCommands[] = {
        {kTextEditCommandBase, state.fSelected},
        {kTextEditCommandBase + 1, state.fSelected},
        {kTextEditCommandBase + 2, state.fPaste},
        {kSelectAllCommand, state.fAll},
    };
    for (const auto& [command, enabled] : kCommands)
    {
        const auto item = std::find_if(items.begin(), items.end(),
                                       [&](const NSTrellis::TMenuItemData& data) { return data.fCommand == command; });
        if (item != items.end())
            item->fFlags = enabled ? NSTrellis::kMenuItemEnabled : 0;
    }
    ThrowIfFailure(menuBar->SetItems(kEditMenu, items.data(), u64(items.size()) * sizeof(NSTrellis::TMenuItemData)));
}
} // namespace NSSprocketUtils
