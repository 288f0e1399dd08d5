#pragma once
// The Edit menu's state for a text field: which of its standard commands can act now.
#include "dlls/trellis/Trellis.h"

#include <vector>

namespace NSSprocketUtils
{
// The text field's edit operations in order, then select all.
constexpr u32 kTextEditCommandBase = 50011;
constexpr u32 kSelectAllCommand = 50015;
// The menu that holds the edit commands.
constexpr u32 kEditMenu = 1;

struct TEditMenuState
{
    bool fSelected; // some text is selected
    bool fPaste;    // the field can paste
    bool fAll;      // there is text and not all of it is selected
};

TEditMenuState ComputeEditMenuState(u32 selectionStart, u32 selectionEnd, u32 textLength, bool canPaste);

// The items of the menu; none gives an empty vector.
std::vector<NSTrellis::TMenuItemData> GetMenuItems(NSTrellis::IMenuBar* menuBar, u32 menu);

// Enables or disables the first item of each command in the Edit menu: the first two edit
// commands by the selection, the third by paste, select all by fAll; the fourth is left alone.
void ApplyEditMenuState(NSTrellis::IMenuBar* menuBar, const TEditMenuState& state);
} // namespace NSSprocketUtils
